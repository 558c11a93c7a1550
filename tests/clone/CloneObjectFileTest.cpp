// Cloning an object file of a catalogue: what is copied, the new GUIDs, the log, the remapping and the failures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "CloneFixture.h"
#include "app/ObjectCatalog.h"
#include "clone/CloneIntoCatalog.h"
#include "clone/CloneObjectFile.h"
#include "objects/definitions/ObjectDefinitionFields.h"
#include "resfile/CTGFileManager.h"
#include "resfile/StdResFile.h"
#include "support/RecordingHosts.h"
#include "support/TempDir.h"

using namespace clone_test;
using namespace reshaper_test;

namespace {

const std::vector<std::string> kDirectories = {".\\Downloads\\", ".\\GameData\\Objects\\"};

class Clone : public ::testing::Test {
protected:
    TempDir dir;
    std::unique_ptr<ScopedCurrentDirectory> cd;
    ObjectCatalog catalog;
    RecordingProgressHost progress;
    RecordingPromptHost prompts;
    std::unique_ptr<ScopedProgressHost> progressScope;
    std::unique_ptr<ScopedPromptHost> promptScope;
    std::string oldSettings;

    void SetUp() override {
        // The cookie is stored as the dialog stores it: into a settings file of this test only.
        if (const char* s = std::getenv("RESHAPER_SETTINGS")) oldSettings = s;
        setenv("RESHAPER_SETTINGS", dir.Join("settings.ini").c_str(), 1);
        ASSERT_TRUE(MakeDirectories(dir.Join("Downloads")));
        ASSERT_TRUE(MakeDirectories(dir.Join("GameData/Objects")));
        progressScope = std::make_unique<ScopedProgressHost>(&progress);
        promptScope = std::make_unique<ScopedPromptHost>(&prompts);
    }
    void TearDown() override {
        catalog.Clear();
        CTGFileManager::Instance().Reset();
        if (oldSettings.empty())
            unsetenv("RESHAPER_SETTINGS");
        else
            setenv("RESHAPER_SETTINGS", oldSettings.c_str(), 1);
    }
    void Map() {
        cd = std::make_unique<ScopedCurrentDirectory>(dir.Path());
        CTGFileManager::Instance().Reset();
        for (const auto& d : kDirectories) CTGFileManager::Instance().MapDirectory(d, true, true);
        catalog.Scan(kDirectories, {}, ".\\Downloads\\Reshaped");
    }
    ObjectFile& Showroom() {
        ObjectFile* f = catalog.Find("showroom");
        EXPECT_NE(f, nullptr);
        return *f;
    }
    static std::vector<uint8_t> Stored(ObjectFile& f, ResType type, ResID id) {
        DataHandle* h = f.file->GetResource(type, id, nullptr);
        if (!h) return {};
        std::vector<uint8_t> bytes = h->bytes;
        f.file->ReleaseAndFree(h);
        return bytes;
    }
    static bool Has(ObjectFile& f, ResType type, ResID id) { return !Stored(f, type, id).empty(); }
    static ObjectDefinition Definition(ObjectFile& f, ResID id) {
        ObjectDefinition d;
        EXPECT_EQ(LoadObjectDefinition(*f.file, id, d), kNoErr);
        return d;
    }
};

TEST_F(Clone, TheLeadBringsItsTilesAndWhatTheyReachAndNothingElse) {
    WriteShowroom(dir.Join("GameData/Objects/showroom.iff"));
    Map();
    CloneSettings settings{"my sofa!", 0x12345, {true, false, false}};
    CloneOutcome out = RunClone(catalog, Showroom(), settings);
    ASSERT_TRUE(out.ok) << out.error;
    EXPECT_EQ(out.path, ".\\Downloads\\Reshaped\\mysofa.iff");
    ASSERT_NE(out.file, nullptr);
    EXPECT_EQ(catalog.GetCurrentFile(), out.file);
    EXPECT_EQ(out.file->displayName, "mysofa");
    EXPECT_TRUE(out.file->IsEditable());
    ObjectFile& c = *out.file;

    // The objects chosen (the lead and its tile) with their OBJf, the lead's catalogue strings only.
    for (ResID id : {128, 129}) {
        EXPECT_TRUE(Has(c, kTypeOBJD, id)) << id;
        EXPECT_TRUE(Has(c, kTypeOBJf, id)) << id;
    }
    for (ResID id : {130, 131}) {
        EXPECT_FALSE(Has(c, kTypeOBJD, id)) << id;
        EXPECT_FALSE(Has(c, kTypeOBJf, id)) << id;
    }
    EXPECT_TRUE(Has(c, kTypeCTSS, 200));
    EXPECT_FALSE(Has(c, kTypeCTSS, 201));
    EXPECT_FALSE(Has(c, kTypeCTSS, 210));
    // Draw groups of both objects' ranges and their sprites; nothing of the lamp or the door.
    for (ResID id : {100, 101, 102}) EXPECT_TRUE(Has(c, kTypeDGRP, id)) << id;
    for (ResID id : {110, 999}) EXPECT_FALSE(Has(c, kTypeDGRP, id)) << id;
    for (ResID id : {1000, 1001, 1002}) EXPECT_TRUE(Has(c, kTypeSPR2, id)) << id;
    for (ResID id : {1010, 1999}) EXPECT_FALSE(Has(c, kTypeSPR2, id)) << id;
    EXPECT_FALSE(Has(c, kTypeSPRList, 300));
    // Types without a rule are copied; palettes too, and then the unused ones are collected.
    EXPECT_TRUE(Has(c, kTypeBHAV, 4096));
    EXPECT_TRUE(Has(c, kTypeBMP, 210));
    EXPECT_TRUE(Has(c, kTypeSTRList, 400));
    EXPECT_TRUE(Has(c, kTypePALT, 50));
    EXPECT_FALSE(Has(c, kTypePALT, 51));
    EXPECT_FALSE(Has(c, kTypePALT, 59));

    // New GUIDs carry the cookie's low 16 bits in bits 8..23, keep the old ones, and differ from all others.
    ObjectDefinition lead = Definition(c, 128);
    ObjectDefinition tile = Definition(c, 129);
    for (const ObjectDefinition* d : {&lead, &tile}) {
        uint32_t g = static_cast<uint32_t>(d->guid);
        EXPECT_EQ((g >> 8) & 0xFFFF, 0x2345u);
        for (uint32_t taken : {0u, 1u, 0xFFFFFFFFu, kSofaGuid, kSofaTileGuid, kLampGuid, kDoorGuid})
            EXPECT_NE(g, taken);
    }
    EXPECT_NE(lead.guid, tile.guid);
    EXPECT_EQ(static_cast<uint32_t>(lead.originalguid), kSofaGuid);
    EXPECT_EQ(static_cast<uint32_t>(tile.originalguid), kSofaTileGuid);
    ASSERT_EQ(c.objects.size(), 2u);
    EXPECT_EQ(c.objects[0]->tiles.size(), 1u);

    // The behaviour names the new sofa; the lamp and the outside object stay; a call is never examined.
    std::vector<uint8_t> bhav = Stored(c, kTypeBHAV, 4096);
    EXPECT_EQ(GetLE32(bhav, 12 + 4), static_cast<uint32_t>(lead.guid));
    EXPECT_EQ(GetLE32(bhav, 24 + 4), kLampGuid);
    EXPECT_EQ(GetLE32(bhav, 36 + 4), kOutsideGuid);
    EXPECT_EQ(GetLE32(bhav, 60 + 4), kSofaGuid);

    // The log: one line per copied resource, counted in advance, then remapping, collection and success.
    ASSERT_FALSE(progress.calls.empty());
    EXPECT_EQ(progress.calls[0].kind, ProgressCall::Begin);
    EXPECT_EQ(progress.calls[0].title, "Cloning Progress");
    int copyLines = 0;
    for (const auto& call : progress.calls)
        if (call.kind == ProgressCall::Log && call.step == 1 && call.text.rfind("<", 0) == 0) ++copyLines;
    EXPECT_EQ(copyLines, progress.calls[0].total);
    std::string log = progress.Text();
    EXPECT_NE(log.find("<OBJD index=\"1\" id=\"128\" name=\"Sofa\" />\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("<cst  index=\"1\" id=\"400\" name=\"table\" />\r\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("id=\"130\""), std::string::npos);
    char mapped[160];
    std::snprintf(mapped, sizeof mapped, "<!-- Mapped TestObjectType guid from %d to %d in behavior \"main\" -->\r\n",
                  static_cast<int32_t>(kSofaGuid), lead.guid);
    EXPECT_NE(log.find(mapped), std::string::npos) << log;
    EXPECT_NE(log.find("<!-- Unmapped CreateObject guid " + std::to_string(kLampGuid) + " in behavior \"main\" -->"),
              std::string::npos);
    EXPECT_NE(log.find("<!-- Unmapped SetToNextParam guid " + std::to_string(kOutsideGuid)), std::string::npos);
    EXPECT_EQ(log.find(std::to_string(kDoorGuid)), std::string::npos);
    EXPECT_NE(log.find("Deleting unused resource type 'PALT' id 51.\r\n"), std::string::npos);
    EXPECT_EQ(progress.TextInColour(0, 128, 0), "Reshaper Successfully Finished Cloning!\r\n");
    EXPECT_EQ(progress.calls.back().kind, ProgressCall::End);
    EXPECT_EQ(prompts.calls.size(), 0u);
}

TEST_F(Clone, GuidsOfOneCloneDifferFromTheCatalogueAndFromEachOther) {
    WriteShowroom(dir.Join("GameData/Objects/showroom.iff"));
    Map();
    // The scripted random part gives the lamp's GUID first, then one value twice.
    std::vector<uint32_t> script = {0x22000021, 0x55000055, 0x55000055, 0x66000066};
    size_t next = 0;
    auto mix = [&] { return script[next++ % script.size()]; };
    CloneOutcome out = RunClone(catalog, Showroom(), {"pair", 0xBB00, {true, false, false}}, mix);
    ASSERT_TRUE(out.ok) << out.error;
    EXPECT_EQ(static_cast<uint32_t>(Definition(*out.file, 128).guid), 0x55BB0055u);
    EXPECT_EQ(static_cast<uint32_t>(Definition(*out.file, 129).guid), 0x66BB0066u);
}

TEST_F(Clone, GuidsAreWrittenOnlyWhereTheStoredRecordHoldsThem) {
    {
        IFFResFile2 f;
        std::string p = dir.Join("GameData/Objects/short.iff");
        ASSERT_EQ(f.Create(p), kNoErr);
        ASSERT_EQ(f.Open(p), kNoErr);
        ObjectDefinition d;
        d.guid = 0x01020304;
        auto full = SerializeObjectDefinition(d);
        // Long enough for both fields (originalguid ends at byte 144), and too short for originalguid.
        Put(f, kTypeOBJD, 128, std::vector<uint8_t>(full.begin(), full.begin() + 150), "holds both");
        d.guid = 0x05060708;
        full = SerializeObjectDefinition(d);
        Put(f, kTypeOBJD, 129, std::vector<uint8_t>(full.begin(), full.begin() + 100), "holds the guid only");
        ASSERT_EQ(f.Close(), kNoErr);
    }
    Map();
    CloneOutcome out = RunClone(catalog, *catalog.Find("short"), {"short2", 7, {true, true}});
    ASSERT_TRUE(out.ok) << out.error;
    std::vector<uint8_t> both = Stored(*out.file, kTypeOBJD, 128);
    ASSERT_EQ(both.size(), 150u);
    EXPECT_EQ(GetLE32(both, 140), 0x01020304u);
    EXPECT_EQ((GetLE32(both, 28) >> 8) & 0xFFFF, 7u);
    // The short record is brought to the current form so that it too carries its new GUID.
    std::vector<uint8_t> grown = Stored(*out.file, kTypeOBJD, 129);
    ASSERT_EQ(grown.size(), kObjectDefinitionSize);
    EXPECT_EQ(GetLE32(grown, 140), 0x05060708u);
    EXPECT_EQ((GetLE32(grown, 28) >> 8) & 0xFFFF, 7u);
}

TEST_F(Clone, LegacyStringTablesOfTheCstTypeAreSavedAsStringSets) {
    {
        IFFResFile2 f;
        std::string p = dir.Join("GameData/Objects/legacy.iff");
        ASSERT_EQ(f.Create(p), kNoErr);
        ASSERT_EQ(f.Open(p), kNoErr);
        PutDefinition(f, {128, "Thing", 0x12340000});
        Put(f, kTypeCloneStrings, 401, {'?'}, "old table");
        Put(f, kTypeTextStrings, 401, TextBytes("^one^ ^two^"), "old table", false);
        ASSERT_EQ(f.Close(), kNoErr);
    }
    Map();
    CloneOutcome out = RunClone(catalog, *catalog.Find("legacy"), {"legacy2", 0, {true}});
    ASSERT_TRUE(out.ok) << out.error;
    std::vector<uint8_t> set = Stored(*out.file, kTypeSTRList, 401);
    ASSERT_GE(set.size(), 2u);
    EXPECT_EQ(set[0] | set[1] << 8, 0xFFFD);  // format -3
    StringSet read;
    ASSERT_EQ(read.ReadStringTable(out.file->file.get(), 401, false), kNoErr);
    ASSERT_EQ(read.Count(), 2);
    EXPECT_EQ(*read.Get(2), "two");
    // The "cst" resource itself is not copied.
    EXPECT_FALSE(Has(*out.file, kTypeCloneStrings, 401));
}

TEST_F(Clone, AFailedCopyLeavesNoFileAndTheCatalogueAsItWas) {
    {
        IFFResFile2 f;
        std::string p = dir.Join("GameData/Objects/broken.iff");
        ASSERT_EQ(f.Create(p), kNoErr);
        ASSERT_EQ(f.Open(p), kNoErr);
        PutDefinition(f, {128, "Thing", 0x12340000});
        // A "cst" table whose string set exists in neither form cannot be loaded.
        Put(f, kTypeCloneStrings, 402, {'?'}, "lost table");
        ASSERT_EQ(f.Close(), kNoErr);
    }
    Map();
    size_t before = catalog.Count();
    CloneOutcome out = RunClone(catalog, *catalog.Find("broken"), {"broken2", 0, {true}});
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.error.rfind("Encountered an error reading from object file, error #", 0), 0u) << out.error;
    EXPECT_FALSE(std::filesystem::exists(dir.Join("Downloads/Reshaped/broken2.iff")));
    EXPECT_EQ(catalog.Count(), before);
    EXPECT_EQ(catalog.GetCurrentFile(), nullptr);
    ASSERT_EQ(prompts.CountMessages(), 1u);
    EXPECT_EQ(prompts.calls[0].title, "Error Cloning Object!");
    EXPECT_EQ(prompts.calls[0].text, "Error cloning object: " + out.error + "\r\n");
    EXPECT_EQ(progress.TextInColour(255, 0, 0), "Error cloning object: " + out.error + "\r\n");
    EXPECT_EQ(progress.calls.back().kind, ProgressCall::End);
}

TEST_F(Clone, ANameWhoseFileExistsEndsWithTheCreateMessage) {
    WriteShowroom(dir.Join("GameData/Objects/showroom.iff"));
    ASSERT_TRUE(MakeDirectories(dir.Join("Downloads/Reshaped")));
    WriteShowroom(dir.Join("Downloads/Reshaped/taken.iff"));
    std::vector<uint8_t> takenBytes = ReadFileBytes(dir.Join("Downloads/Reshaped/taken.iff"));
    Map();
    // The catalogue's display names are lower case, so "Taken" passes the name check.
    EXPECT_FALSE(IsCloneNameUnique(catalog, "taken"));
    ASSERT_TRUE(IsCloneNameUnique(catalog, "Ta ken"));
    size_t before = catalog.Count();
    CloneOutcome out = RunClone(catalog, Showroom(), {"Ta ken", 0, {true}});
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.error,
              "Could not create the new object object file named \".\\Downloads\\Reshaped\\Taken.iff\", error #-43!");
    EXPECT_EQ(catalog.Count(), before);
    EXPECT_EQ(ReadFileBytes(dir.Join("Downloads/Reshaped/taken.iff")), takenBytes);
    // Nothing was copied, so no log was begun: the message box alone reports it.
    EXPECT_TRUE(progress.calls.empty());
    EXPECT_EQ(prompts.CountMessages(), 1u);
}

TEST_F(Clone, TheCookieIsStoredAtOkWhenTheSettingsKeyExists) {
    WriteShowroom(dir.Join("GameData/Objects/showroom.iff"));
    ASSERT_TRUE(WriteFileText(dir.Join("settings.ini"), "[Software\\Vexel\\The Domizens]\n"));
    Map();
    ASSERT_TRUE(RunClone(catalog, Showroom(), {"cookie", 4660, {false, true}}).ok);
    std::vector<uint8_t> ini = ReadFileBytes(dir.Join("settings.ini"));
    EXPECT_NE(std::string(ini.begin(), ini.end()).find("RESHAPER_MAGIC_COOKIE=4660"), std::string::npos);
}

TEST_F(Clone, DefaultNamesAndTheOkCondition) {
    WriteShowroom(dir.Join("GameData/Objects/showroom.iff"));
    Map();
    std::string name = DefaultCloneName(catalog, Showroom());
    ASSERT_EQ(name.size(), std::string("showroom").size() + 6);
    EXPECT_EQ(name.rfind("showroom", 0), 0u);
    EXPECT_TRUE(CanClone(catalog, {name, 0, {false, true}}));
    EXPECT_FALSE(CanClone(catalog, {name, 0, {false, false, false}}));
    EXPECT_FALSE(CanClone(catalog, {"show room", 0, {true}}));
}

}  // namespace
