// Tests of catalogue strings: the legacy CATS form, the CTSS set with fall-back, saving, and the editors' two entries.
#include <gtest/gtest.h>

#include "FakeResFile.h"
#include "ObjectsTestSupport.h"
#include "objects/CatalogStrings.h"
#include "objects/StringSet.h"

using objects_test::Bytes;
using objects_test::FakeResFile;
using objects_test::ScopedGameLanguage;
using objects_test::TextBytes;

namespace {

constexpr int kFrenchCode = 3;
constexpr int kItalianCode = 5;

// US English name and description, French name and description.
constexpr uint8_t kCatalog[] = {
    0xFD, 0xFF,                                          // format -3
    0x04, 0x00,                                          // 4 entries
    0x01, 'C',  'h', 'a', 'i',  'r',  0x00, 0x00,        // US English 1: name
    0x01, 'S',  'i', 't', 0x00, 0x00,                    // US English 2: description
    0x03, 'C',  'h', 'a', 'i',  's',  'e',  0x00, 0x00,  // French 1
    0x03, 'A',  's', 's', 'i',  's',  0x00, 0x00,        // French 2
};
static_assert(sizeof(kCatalog) == 35);

StringSet StoredSet(const FakeResFile& file, ResType type, ResID id, int language) {
    StringSet set;
    set.Bind(nullptr, 0, type, false, language);
    const FakeResFile::Resource* r = file.Find(type, id);
    if (r) set.ParseData(r->stored.data(), r->stored.size(), false, false);
    return set;
}

TEST(CatalogStringsTest, LegacyCatsHoldsDescriptionThenName) {
    FakeResFile file;
    file.Put(kTypeCATS, 1, TextBytes("Only a description\0"));
    file.Put(kTypeCATS, 2, TextBytes("Soft\0Sofa\0"));
    file.Put(kTypeCATS, 3, TextBytes("Soft\0Unterminated"));
    file.Put(kTypeCTSS, 2, Bytes(kCatalog));  // CATS wins
    CatalogStrings cs;
    ASSERT_EQ(cs.Load(file, 1, true), kNoErr);
    EXPECT_EQ(cs.description, "Only a description");
    EXPECT_EQ(cs.name, "");
    ASSERT_EQ(cs.Load(file, 2, true), kNoErr);
    EXPECT_EQ(cs.name, "Sofa");
    EXPECT_EQ(cs.description, "Soft");
    ASSERT_EQ(cs.Load(file, 3, false), kNoErr);
    EXPECT_EQ(cs.name, "Unterminated");
    EXPECT_FALSE(file.Find(kTypeCATS, 3)->data);  // given back
}

TEST(CatalogStringsTest, CtssInTheCurrentLanguageWithOptionalFallBack) {
    FakeResFile file;
    file.Put(kTypeCTSS, 7, Bytes(kCatalog));
    CatalogStrings cs;
    {
        ScopedGameLanguage language(kFrenchCode);
        ASSERT_EQ(cs.Load(file, 7, false), kNoErr);
        EXPECT_EQ(cs.name, "Chaise");
        EXPECT_EQ(cs.description, "Assis");
    }
    ScopedGameLanguage language(kItalianCode);
    ASSERT_EQ(cs.Load(file, 7, false), kNoErr);
    EXPECT_EQ(cs.name, "");
    EXPECT_EQ(cs.description, "");
    ASSERT_EQ(cs.Load(file, 7, true), kNoErr);
    EXPECT_EQ(cs.name, "Chair");
    EXPECT_EQ(cs.description, "Sit");

    EXPECT_EQ(cs.Load(file, 8, true), kErrNotFound);
    EXPECT_EQ(cs.name, "");
    EXPECT_EQ(cs.description, "");
}

TEST(CatalogStringsTest, SaveWritesTheCurrentLanguageAndDeletesCats) {
    ScopedGameLanguage language(kFrenchCode);
    FakeResFile file;
    file.Put(kTypeCTSS, 7, Bytes(kCatalog), "old name");
    file.Put(kTypeCATS, 7, TextBytes("legacy\0"));
    CatalogStrings cs;
    cs.name = "Fauteuil";
    cs.description = "Confortable";
    ASSERT_EQ(cs.Save(file, 7), kNoErr);
    EXPECT_EQ(file.Find(kTypeCATS, 7), nullptr);
    const FakeResFile::Resource* r = file.Find(kTypeCTSS, 7);
    EXPECT_EQ(r->name, "");  // a set that was never read has no name
    StringSet french = StoredSet(file, kTypeCTSS, 7, 2);
    EXPECT_EQ(*french.Get(1), "Fauteuil");
    EXPECT_EQ(*french.Get(2), "Confortable");
    EXPECT_EQ(*StoredSet(file, kTypeCTSS, 7, 0).Get(1), "Chair");

    FakeResFile readOnly;
    readOnly.writable = false;
    readOnly.Put(kTypeCATS, 7, TextBytes("legacy\0"));
    EXPECT_EQ(cs.Save(readOnly, 7), kErrNotWritable);
    EXPECT_NE(readOnly.Find(kTypeCATS, 7), nullptr);
}

TEST(CatalogStringsTest, SavingInEveryLanguageStoresAllTwenty) {
    FakeResFile file;
    const uint8_t usOnly[] = {0xFD, 0xFF, 0x02, 0x00, 0x01, 'n', 0x00, 0x00, 0x01, 'd', 0x00, 0x00};
    file.Put(kTypeCTSS, 9, Bytes(usOnly));
    CatalogStrings cs;
    cs.name = "Lamp";
    cs.description = "Bright";
    {
        ScopedGameLanguage restore(GameLanguage());
        for (int code = 1; code <= kLanguageCount; ++code) {
            SetGameLanguage(code);
            ASSERT_EQ(cs.Save(file, 9), kNoErr);
        }
    }
    for (int l = 0; l < kLanguageCount; ++l) {
        StringSet set = StoredSet(file, kTypeCTSS, 9, l);
        ASSERT_EQ(set.Count(), 2) << l;
        EXPECT_EQ(*set.Get(1), "Lamp");
    }
}

TEST(CatalogStringsTest, EnsureEntriesInsertsMissingOnesAndWritesOnlyThen) {
    FakeResFile file;
    const uint8_t nameOnly[] = {0xFD, 0xFF, 0x01, 0x00, 0x01, 'n', 0x00, 0x00};
    file.Put(kTypeCTSS, 1, Bytes(nameOnly));
    file.Put(kTypeCTSS, 2, Bytes(kCatalog));
    ASSERT_EQ(EnsureCatalogStringEntries(file, 1), kNoErr);
    StringSet us = StoredSet(file, kTypeCTSS, 1, 0);
    ASSERT_EQ(us.Count(), 2);
    EXPECT_EQ(*us.Get(1), "n");
    EXPECT_EQ(*us.Get(2), "");
    EXPECT_EQ(file.writeCalls, 1);

    ASSERT_EQ(EnsureCatalogStringEntries(file, 2), kNoErr);
    EXPECT_EQ(file.writeCalls, 1);
    EXPECT_EQ(EnsureCatalogStringEntries(file, 3), kErrNotFound);
    EXPECT_EQ(file.Find(kTypeCTSS, 3), nullptr);
}

TEST(LanguagesTest, TableAndCurrentLanguage) {
    EXPECT_STREQ(GetLanguageName(0), "US English");
    EXPECT_STREQ(GetLanguageName(1), "UKEnglish");
    EXPECT_STREQ(GetLanguageName(16), "Simplified Chinese");
    EXPECT_STREQ(GetLanguageName(19), "Korean");
    EXPECT_STREQ(GetLanguageName(20), "");
    EXPECT_STREQ(GetLanguageName(-1), "");
    ScopedGameLanguage restore(GameLanguage());
    EXPECT_TRUE(SetGameLanguage(20));
    EXPECT_EQ(LanguageIndex(), 19);
    EXPECT_FALSE(SetGameLanguage(0));
    EXPECT_FALSE(SetGameLanguage(21));
    EXPECT_EQ(GameLanguage(), 20);
}

}  // namespace
