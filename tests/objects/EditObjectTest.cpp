// The object editors' operations: kinds, choice lists, clamping, catalogue texts per language, GUID changes.
#include <gtest/gtest.h>

#include <algorithm>

#include "../clone/CloneFixture.h"
#include "TestObjectFile.h"
#include "objects/definitions/EditObjectSession.h"
#include "objects/definitions/ObjectDefinitionFields.h"
#include "objects/strings/DescriptionLineEnds.h"
#include "objects/strings/Languages.h"
#include "support/RecordingHosts.h"

using namespace objects_test;
using namespace clone_test;
using namespace reshaper_test;

namespace {

const ObjectProperty& Row(const char* label) {
    const ObjectProperty* p = FindObjectProperty(label);
    EXPECT_NE(p, nullptr) << label;
    return *p;
}

// Restores the program's language after a test that changes it.
struct LanguageGuard {
    int saved = GameLanguage();
    ~LanguageGuard() { SetGameLanguage(saved); }
};

template <class File>
void FillObject(TestObjectFile<File>& t, int16_t footprint = 0) {
    ObjectDefinition d;
    d.guid = 0x11223344;
    d.catalogid = 200;
    d.price = 450;
    d.footprintinsetmask = footprint;
    d.wallstyle = 1;
    auto bytes = SerializeObjectDefinition(d);
    t.Put(kTypeOBJD, 128, std::vector<uint8_t>(bytes.begin(), bytes.end()), "Chair");
    // The catalogue strings go in as stored bytes, so that a read-only file can be filled too.
    StringSet s;
    s.Set(1, "Chair", kUSEnglishIndex);
    s.Set(2, "Sit on it", kUSEnglishIndex);
    std::vector<uint8_t> strings;
    ASSERT_EQ(s.SerializeData(strings), kNoErr);
    t.Put(kTypeCTSS, 200, strings);
    t.Put(kTypeBHAV, 4096, clone_test::BehaviorBytes({{42, 0x11223344, 0}, {32, 0x55555555, 0}}), "make");
}

TEST(EditObjectProperties, TheTableAndItsChoiceLists) {
    ASSERT_EQ(GetObjectProperties().size(), 35u);
    EXPECT_STREQ(GetObjectProperties()[0].label, "Name");
    EXPECT_STREQ(GetObjectProperties()[34].label, "Disabled");
    EXPECT_EQ(&Row("wall style"), &Row("wallstyle"));
    EXPECT_EQ(FindObjectProperty("masterid"), nullptr);
    // Every record row names a field of the one field table.
    for (const ObjectProperty& p : GetObjectProperties())
        if (p.source == PropertySource::Definition) {
            EXPECT_NE(GetPropertyField(p), nullptr) << p.label;
        }
    std::vector<PropertyChoice> build = ParsePropertyChoices(Row("Build Mode Type"));
    ASSERT_EQ(build.size(), 8u);
    EXPECT_EQ(build[7].label, "Pool");
    EXPECT_EQ(build[7].value, 7);
    std::vector<PropertyChoice> wall = ParsePropertyChoices(Row("Wall Style"));
    EXPECT_EQ(wall.back().label, "Custom");
    EXPECT_EQ(wall.back().value, 22);
    EXPECT_EQ(ParsePropertyChoices(Row("Room Flags"))[3].label, "Family Room");
    EXPECT_EQ(std::string(Row("Custom Wall Style ID").help),
              "The custom wall style id of the object, only used by windows and doors. ");
}

TEST(EditObjectProperties, KindsShowAndReadBack) {
    const ObjectProperty& mask = Row("Footprint Inset Mask");
    EXPECT_EQ(FormatPropertyValue(mask, int16_t(0xF000)), "FFFFF000");
    ObjectDefinition d;
    SetPropertyValue(d, mask, ParsePropertyText(mask, "FFFFF000"));
    EXPECT_EQ(static_cast<uint16_t>(d.footprintinsetmask), 0xF000);
    EXPECT_EQ(ParsePropertyText(Row("GUID"), "0x1a2B3c4D"), 0x1A2B3C4D);
    EXPECT_EQ(FormatPropertyValue(Row("GUID"), 0x00AB00CD), "00AB00CD");
    EXPECT_EQ(ParsePropertyText(Row("Price"), "  -5 coins"), -5);
    EXPECT_EQ(ParsePropertyText(Row("Price"), "cheap"), 0);
    EXPECT_EQ(ParseLeadingDecimal("99999999999"), 2147483647);
    // Kind 1 cuts to 16 bits in the definition editor.
    SetPropertyValue(d, Row("Tile Width"), ParsePropertyText(Row("Tile Width"), "70000"));
    EXPECT_EQ(d.tilewidth, 70000 - 65536);
    // A value no line has selects none; no selection reads back as 0.
    std::vector<bool> none = SelectionForValue(Row("Wall Style"), 99);
    EXPECT_EQ(std::count(none.begin(), none.end(), true), 0);
    EXPECT_EQ(ValueForSelection(Row("Wall Style"), none), 0);
}

TEST(DescriptionLineEnds, NewTextTakesTheFormTheStoredTextUsed) {
    EXPECT_EQ(WithDescriptionLineEnds("a\nb\r\nc\rd", "x\r\ny"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(WithDescriptionLineEnds("a\r\nb\nc", "x\ny"), "a\nb\nc");
    EXPECT_EQ(WithDescriptionLineEnds("a\nb", "one line"), "a\r\nb");
    EXPECT_EQ(WithDescriptionLineEnds("a\nb", ""), "a\r\nb");
    EXPECT_TRUE(SameDescription("a\r\nb\rc", "a\nb\nc"));
    EXPECT_FALSE(SameDescription("a\nb", "a b"));
}

TEST(EditObjectSession, PriceIsClampedAboveAndKeptBelow) {
    TestObjectFile<> t;
    FillObject(t);
    EditObjectSession s(t.file, 128);
    ASSERT_EQ(s.Load(), kNoErr);
    EXPECT_EQ(s.ObjectStateLine(), std::string("Object is Editable, so you may change it."));
    EXPECT_EQ(s.ShownName(), "Chair");
    std::string shown;
    ASSERT_EQ(s.Apply("Chair", "40000", "Sit on it", &shown), kNoErr);
    EXPECT_EQ(shown, "32767");
    ObjectDefinition d;
    ASSERT_EQ(LoadObjectDefinition(t.file, 128, d), kNoErr);
    EXPECT_EQ(d.price, 32767);
    ASSERT_EQ(s.Apply("Chair", "-5", "Sit on it", &shown), kNoErr);
    EXPECT_EQ(shown, "-5");
    ASSERT_EQ(LoadObjectDefinition(t.file, 128, d), kNoErr);
    EXPECT_EQ(d.price, -5);
    // Below -32768 only the 16-bit remainder is kept.
    s.Apply("Chair", "-40000", "Sit on it");
    EXPECT_EQ(s.Definition().price, static_cast<int16_t>(-40000 + 65536));
}

TEST(EditObjectSession, PropertiesStoreByTheirKinds) {
    TestObjectFile<> t;
    FillObject(t, static_cast<int16_t>(0xF000));
    EditObjectSession s(t.file, 128);
    ASSERT_EQ(s.Load(), kNoErr);
    EXPECT_EQ(s.SummaryText().find("Object: Chair\r\nCatalog ID: 200\r\n") != std::string::npos, true);
    PropertyView mask = s.ShowProperty(Row("Footprint Inset Mask"));
    EXPECT_EQ(mask.text, "FFFFF000");
    EXPECT_FALSE(mask.readOnly);
    ASSERT_TRUE(s.StoreProperty(Row("Footprint Inset Mask"), {mask.text, false, {}}));
    PropertyView wall = s.ShowProperty(Row("Wall Style"));
    std::vector<bool> custom(wall.choices.size(), false);
    custom.back() = true;
    ASSERT_TRUE(s.StoreProperty(Row("Wall Style"), {"", false, custom}));
    ASSERT_TRUE(s.StoreProperty(Row("Build Mode Type"), {"", false, {0, 0, 0, 0, 0, 0, 0, 1}}));
    ASSERT_TRUE(s.StoreProperty(Row("Room Flags"), {"", false, {1, 0, 1}}));
    ASSERT_TRUE(s.StoreProperty(Row("Disabled"), {"", true, {}}));
    t.Reopen();
    ObjectDefinition d;
    ASSERT_EQ(LoadObjectDefinition(t.file, 128, d), kNoErr);
    EXPECT_EQ(static_cast<uint16_t>(d.footprintinsetmask), 0xF000);
    EXPECT_EQ(d.wallstyle, 22);
    EXPECT_EQ(d.buildmodetype, 7);
    EXPECT_EQ(d.roomflags, 5);
    EXPECT_EQ(d.disabled, 1);
    EXPECT_EQ(t.NameOf(kTypeOBJD, 128), "Chair");
}

TEST(EditObjectSession, AChangedGuidIsRemappedInBehavioursAndTheSameOneChangesNothing) {
    TestObjectFile<> t;
    FillObject(t);
    EditObjectSession s(t.file, 128);
    ASSERT_EQ(s.Load(), kNoErr);
    std::vector<uint8_t> before = t.Stored(kTypeBHAV, 4096);
    ASSERT_TRUE(s.StoreProperty(Row("GUID"), {"11223344", false, {}}));
    EXPECT_EQ(t.Stored(kTypeBHAV, 4096), before);
    ASSERT_TRUE(s.StoreProperty(Row("GUID"), {"AA00BB01", false, {}}));
    t.Reopen();
    std::vector<uint8_t> after = t.Stored(kTypeBHAV, 4096);
    EXPECT_EQ(GetLE32(after, 16), 0xAA00BB01u);
    EXPECT_EQ(GetLE32(after, 28), 0x55555555u);
    ObjectDefinition d;
    ASSERT_EQ(LoadObjectDefinition(t.file, 128, d), kNoErr);
    EXPECT_EQ(static_cast<uint32_t>(d.guid), 0xAA00BB01u);
}

TEST(EditObjectSession, SetAllWritesTheTextsIntoEveryLanguage) {
    LanguageGuard guard;
    TestObjectFile<> t;
    FillObject(t);
    SetGameLanguage(3);
    EditObjectSession s(t.file, 128);
    ASSERT_EQ(s.Load(), kNoErr);
    // French has no entries: the name falls back to US English.
    EXPECT_EQ(s.Name(), "Chair");
    RecordingPromptHost prompts;
    prompts.answers = {true};
    ScopedPromptHost scope(&prompts);
    ASSERT_TRUE(EditObjectSession::ConfirmSetAllLanguages());
    EXPECT_EQ(prompts.calls[0].title, "Set All Languages?");
    EXPECT_EQ(prompts.calls[0].text, "Are you sure you want to set all languages to the current text?");
    EXPECT_EQ(prompts.calls[0].kind, MessageKind::Warning);
    ASSERT_EQ(s.Apply("Chaise", "450", "Assieds-toi"), kNoErr);
    ASSERT_EQ(s.SetAllLanguages(), kNoErr);
    EXPECT_EQ(GameLanguage(), 3);
    t.Reopen();
    StringSet all;
    all.Bind(&t.file, 200, kTypeCTSS, false, 0);
    ASSERT_EQ(all.Read(true, false), kNoErr);
    for (int language = 0; language < kLanguageCount; ++language) {
        ASSERT_NE(all.Get(1, language), nullptr) << language;
        EXPECT_EQ(*all.Get(1, language), "Chaise") << language;
        EXPECT_EQ(*all.Get(2, language), "Assieds-toi") << language;
        EXPECT_EQ(all.GetSource(1, language), language) << language;
    }
}

TEST(EditObjectSession, ReadOnlyFilesAreNeverWritten) {
    TestObjectFile<ReadOnlyIFFResFile> t;
    // Filled through the writable base, then seen read-only.
    FillObject(t);
    t.Reopen();
    std::vector<uint8_t> before = t.Stored(kTypeOBJD, 128);
    EditObjectSession s(t.file, 128);
    ASSERT_EQ(s.Load(), kNoErr);
    EXPECT_FALSE(s.CanEdit());
    EXPECT_EQ(s.ObjectStateLine(),
              std::string("Object file is Read-Only, and can't be changed. Please clone it first."));
    EXPECT_EQ(s.PropertyStateLine(), std::string("Resource file is read-only. Viewing property."));
    std::string shown;
    EXPECT_EQ(s.Apply("Other", "40000", "Other", &shown), kNoErr);
    EXPECT_EQ(shown, "450");
    // A list choice is not stored: showing the row again gives the stored value (the choice snaps back).
    std::vector<bool> custom(11, false);
    custom.back() = true;
    EXPECT_FALSE(s.StoreProperty(Row("Wall Style"), {"", false, custom}));
    EXPECT_EQ(ValueForSelection(Row("Wall Style"), s.ShowProperty(Row("Wall Style")).selected), 1);
    EXPECT_FALSE(s.StoreProperty(Row("GUID"), {"AA00BB01", false, {}}));
    EXPECT_EQ(s.SetAllLanguages(), kNoErr);
    PropertyView check = s.ShowProperty(Row("Disabled"));
    EXPECT_FALSE(check.checkEnabled);
    EXPECT_TRUE(s.ShowProperty(Row("Name")).readOnly);
    EXPECT_EQ(t.Stored(kTypeOBJD, 128), before);
}

TEST(EditObjectSession, MissingCatalogueStringsLeaveTheTextsNotEditable) {
    TestObjectFile<ReadOnlyIFFResFile> t;
    ObjectDefinition d;
    d.catalogid = 300;
    auto bytes = SerializeObjectDefinition(d);
    t.Put(kTypeOBJD, 128, std::vector<uint8_t>(bytes.begin(), bytes.end()), "Bare");
    EditObjectSession s(t.file, 128);
    ASSERT_EQ(s.Load(), kNoErr);
    EXPECT_FALSE(s.AreStringsEditable());
    EXPECT_EQ(s.ShowProperty(Row("Name")).text, "[Name not defined.]");
    EXPECT_EQ(s.ShownDescription(), "[Description not defined.]");
    EditObjectSession missing(t.file, 999);
    EXPECT_NE(missing.Load(), kNoErr);
    EXPECT_FALSE(missing.IsLoaded());
}

}  // namespace
