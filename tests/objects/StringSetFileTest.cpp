// String sets and catalogue strings through an IFF file: fix-up, read failures, merging writes, legacy forms.
#include <gtest/gtest.h>

#include "ObjectsTestSupport.h"
#include "StringSetFixtures.h"
#include "TestObjectFile.h"
#include "objects/strings/CatalogStrings.h"
#include "objects/strings/StringSet.h"

using namespace objects_test;
using namespace objects_test::fixtures;

namespace {

// What kFormatLanguages becomes after it was read for French with read-all and French entry 1 was
// changed: the languages that held only US English copies are gone.
constexpr uint8_t kWrittenAfterFrenchEdit[] = {
    0xFD, 0xFF,                                                               // format -3
    0x06, 0x00,                                                               // 6 entries
    0x01, 'N',  'a', 'm', 'e', 0x00, 'n',  'o',  't', 'e',  0x00,             // US English 1
    0x01, 'D',  'e', 's', 'c', 0x00, 0x00,                                    // US English 2: no comment
    0x03, 'N',  'o', 'm', '2', 0x00, 'n',  'o',  't', 'e',  0x00,             // French 1: changed, US comment spread
    0x03, 'D',  'e', 's', 'c', 'r',  0x00, 'f',  'c', 0x00,                   // French 2: own comment kept
    0x04, 'N',  'a', 'm', 'e', 'D',  'E',  0x00, 'n', 'o',  't',  'e', 0x00,  // German 1: US comment spread
    0x04, 'D',  'e', 's', 'c', 0x00, 0x00,                                    // German 2: padded from US English
};
static_assert(sizeof(kWrittenAfterFrenchEdit) == 63);

// Catalogue strings: US English name and description, French name and description.
constexpr uint8_t kCatalog[] = {
    0xFD, 0xFF,                                          // format -3
    0x04, 0x00,                                          // 4 entries
    0x01, 'C',  'h', 'a', 'i',  'r',  0x00, 0x00,        // US English 1: name
    0x01, 'S',  'i', 't', 0x00, 0x00,                    // US English 2: description
    0x03, 'C',  'h', 'a', 'i',  's',  'e',  0x00, 0x00,  // French 1
    0x03, 'A',  's', 's', 'i',  's',  0x00, 0x00,        // French 2
};
static_assert(sizeof(kCatalog) == 35);

// A set read from the stored bytes of (type, id).
StringSet StoredSet(TestObjectFile<>& f, ResType type, ResID id, int language, bool readAll = false) {
    std::vector<uint8_t> bytes = f.Stored(type, id);
    StringSet set;
    set.Bind(nullptr, 0, type, false, language);
    set.ParseData(bytes.data(), bytes.size(), readAll, false);
    return set;
}

TEST(StringSetFileTest, UnconvertedResourcesAreFixedUpAndNeverReadPastTheData) {
    TestObjectFile<> f;
    const uint8_t values[] = {0xFF, 0xFF, 0x00, 0x02, 'O', 'n', 'e', 0x00, 'T', 'w', 'o', 0x00};  // count big-endian
    const uint8_t comments[] = {0xFF, 0xFE, 0x00, 0x02, 'a', 0x00, 'c', 0x00, 'b', 0x00, 0x00};   // count left as 512
    const uint8_t languages[] = {0xFF, 0xFD, 0x00, 0x01, 0x01, 'a', 0x00, 0x00};                  // count left as 256
    const uint8_t format0[] = {0x00, 0x01, 0x02, 'H', 'i'};
    f.Put(kTypeSTRList, 1, Bytes(values), "", false);
    f.Put(kTypeSTRList, 2, Bytes(comments), "", false);
    f.Put(kTypeSTRList, 3, Bytes(languages), "", false);
    f.Put(kTypeSTRList, 4, Bytes(format0), "", false);
    f.Put(kTypeSTRList, 5, Bytes(values), "", true);  // already converted: the count reads 512
    f.Reopen();
    const int expected[] = {2, 2, 1, 1, 2};
    for (ResID id = 1; id <= 5; ++id) {
        StringSet set;
        set.Bind(&f.file, id, kTypeSTRList, false, 0);
        ASSERT_EQ(set.Read(false, false), kNoErr);
        EXPECT_EQ(set.Count(), expected[id - 1]) << id;
        if (id == 4) {
            EXPECT_EQ(*set.Get(1), "Hi");
        }
    }
}

TEST(StringSetFileTest, ReadFailuresAndStringTables) {
    ScopedGameLanguage language(kFrench + 1);
    TestObjectFile<> f;
    f.Put(kTypeTextStrings, 300, TextBytes(kLegacyText), "legacy");
    f.Put(kTypeSTRList, 301, Bytes(kFormatLanguages), "table");
    StringSet set;
    EXPECT_EQ(set.Read(false, false), kErrStringSetNoFile);
    ASSERT_EQ(set.ReadStringTable(&f.file, 300, false), kNoErr);  // STR# missing: the text form
    EXPECT_EQ(set.GetType(), kTypeTextStrings);
    EXPECT_EQ(set.GetLanguage(), kFrench);
    EXPECT_EQ(*set.Get(2), "World");
    EXPECT_EQ(set.GetName(), "legacy");
    EXPECT_EQ(set.ReadStringTable(&f.file, 302, false), kErrNotFound);
    EXPECT_EQ(set.Count(kUSEnglishIndex), 0);

    std::string out;
    f.file.GetIndexedString(out, 301, 1);
    EXPECT_EQ(out, "Nom");
    f.file.GetIndexedString(out, 301, 3);
    EXPECT_EQ(out, "");
    out = "stale";
    f.file.GetIndexedString(out, 301, 0);
    EXPECT_EQ(out, "");
    SetGameLanguage(kItalian + 1);
    f.file.GetIndexedString(out, 301, 2);
    EXPECT_EQ(out, "Desc");  // fall-back to US English
    f.file.GetIndexedString(out, 300, 1);
    EXPECT_EQ(out, "Hello");

    ASSERT_EQ(f.file.Close(), kNoErr);
    set.Bind(&f.file, 301);
    EXPECT_EQ(set.Read(false, false), kErrStringSetNoFile);
}

TEST(StringSetFileTest, ReadAllThenWriteDropsLanguagesThatHeldOnlyCopies) {
    TestObjectFile<> f;
    f.Put(kTypeSTRList, 100, Bytes(kFormatLanguages), "names");
    StringSet set;
    set.Bind(&f.file, 100, kTypeSTRList, false, kFrench);
    ASSERT_EQ(set.Read(true, true), kNoErr);
    EXPECT_EQ(set.Count(kItalian), 2);
    set.Set(1, "Nom2");
    ASSERT_EQ(set.Write(), kNoErr);
    f.Reopen();
    EXPECT_EQ(f.Stored(kTypeSTRList, 100), Bytes(kWrittenAfterFrenchEdit));
    EXPECT_EQ(f.NameOf(kTypeSTRList, 100), "names");
    DataHandle* h = f.file.GetResource(kTypeSTRList, 100, nullptr);
    EXPECT_TRUE(f.file.IsConverted(h));
    f.file.ReleaseAndFree(h);
}

TEST(StringSetFileTest, UntouchedFallBackCopiesAreNotStoredAsATranslation) {
    TestObjectFile<> f;
    f.Put(kTypeSTRList, 100, Bytes(kFormatLanguages));
    StringSet set;
    set.Bind(&f.file, 100, kTypeSTRList, false, kItalian);
    ASSERT_EQ(set.Read(false, true), kNoErr);
    ASSERT_EQ(set.Count(), 2);
    ASSERT_EQ(set.Write(), kNoErr);
    StringSet back = StoredSet(f, kTypeSTRList, 100, kItalian, true);
    EXPECT_EQ(back.GetSource(1, kItalian), kUSEnglishIndex);  // still only a copy
    EXPECT_EQ(back.Count(kGerman), 2);
}

TEST(StringSetFileTest, ShortLanguageIsPaddedAndKept) {
    const uint8_t three[] = {
        0xFD, 0xFF,                              // format -3
        0x03, 0x00,                              // 3 entries
        0x01, 'o',  'n', 'e', 0x00, 0x00,        // US English 1
        0x01, 't',  'w', 'o', 0x00, 'c',  0x00,  // US English 2, comment "c"
        0x01, 's',  'i', 'x', 0x00, 0x00,        // US English 3
    };
    static_assert(sizeof(three) == 23);
    TestObjectFile<> f;
    f.Put(kTypeSTRList, 1, Bytes(three));
    StringSet set;
    set.Bind(&f.file, 1, kTypeSTRList, false, kGerman);
    set.Set(1, "eins");
    ASSERT_EQ(set.Write(), kNoErr);
    StringSet back = StoredSet(f, kTypeSTRList, 1, kGerman);
    ASSERT_EQ(back.Count(), 3);
    EXPECT_EQ(*back.Get(1), "eins");
    EXPECT_EQ(*back.Get(2), "two");
    EXPECT_EQ(*back.GetComment(2), "c");
    EXPECT_EQ(f.Stored(kTypeSTRList, 1)[2], 6);  // US English and German, 3 each
}

TEST(StringSetFileTest, MissingResourceIsCreatedAndRefusedWritesReportAnError) {
    TestObjectFile<> f;
    StringSet set;
    set.Bind(&f.file, 42, kTypeCTSS, false, kUSEnglishIndex);
    EXPECT_EQ(set.Read(false, false), kErrNotFound);
    set.Set(1, "n");
    ASSERT_EQ(set.Write(), kNoErr);
    const uint8_t expected[] = {0xFD, 0xFF, 0x01, 0x00, 0x01, 'n', 0x00, 0x00};
    EXPECT_EQ(f.Stored(kTypeCTSS, 42), Bytes(expected));

    TestObjectFile<ReadOnlyIFFResFile> readOnly;
    set.Bind(&readOnly.file, 42, kTypeCTSS, false, kUSEnglishIndex);
    EXPECT_EQ(set.Write(), kErrNotWritable);
    EXPECT_FALSE(readOnly.Has(kTypeCTSS, 42));
    StringSet unbound;
    EXPECT_EQ(unbound.Write(), kErrStringSetNoFile);
}

TEST(StringSetFileTest, LegacyTextSetIsSavedAsFormatMinus3StringTable) {
    TestObjectFile<> f;
    f.Put(kTypeTextStrings, 300, TextBytes(kLegacyText), "legacy");
    StringSet set;
    ASSERT_EQ(set.ReadStringTable(&f.file, 300, false), kNoErr);
    ASSERT_EQ(set.Write(), kNoErr);
    EXPECT_EQ(set.GetType(), kTypeSTRList);
    f.Reopen();
    const uint8_t expected[] = {
        0xFD, 0xFF,                                  // format -3
        0x02, 0x00,                                  // 2 entries
        0x01, 'H',  'e', 'l', 'l', 'o', 0x00, 0x00,  // US English 1
        0x01, 'W',  'o', 'r', 'l', 'd', 0x00, 0x00,  // US English 2
    };
    EXPECT_EQ(f.Stored(kTypeSTRList, 300), Bytes(expected));
    EXPECT_EQ(f.NameOf(kTypeSTRList, 300), "legacy");
    EXPECT_TRUE(f.Has(kTypeTextStrings, 300));  // the legacy resource stays
}

TEST(StringSetFileTest, TooManyEntriesForTheCountWordAreRefused) {
    std::string text;
    for (int i = 0; i < 32768; ++i) text += "^a^";
    TestObjectFile<> f;
    f.Put(kTypeTextStrings, 1, std::vector<uint8_t>(text.begin(), text.end()));
    StringSet set;
    set.Bind(&f.file, 1, kTypeTextStrings, true, kUSEnglishIndex);
    ASSERT_EQ(set.Read(false, false), kNoErr);
    ASSERT_EQ(set.Count(), 32768);
    EXPECT_EQ(set.Write(), kErrBadChunk);
    EXPECT_FALSE(f.Has(kTypeSTRList, 1));
    set.Remove(1);
    EXPECT_EQ(set.Write(), kNoErr);
}

// ---- catalogue strings ----

TEST(CatalogStringsTest, LegacyCatsHoldsDescriptionThenName) {
    TestObjectFile<> f;
    f.Put(kTypeCATS, 1, TextBytes("Only a description\0"));
    f.Put(kTypeCATS, 2, TextBytes("Soft\0Sofa\0"));
    f.Put(kTypeCATS, 3, TextBytes("Soft\0Unterminated"));
    f.Put(kTypeCTSS, 2, Bytes(kCatalog));  // CATS wins
    CatalogStrings cs;
    ASSERT_EQ(cs.Load(f.file, 1, true), kNoErr);
    EXPECT_EQ(cs.description, "Only a description");
    EXPECT_EQ(cs.name, "");
    ASSERT_EQ(cs.Load(f.file, 2, true), kNoErr);
    EXPECT_EQ(cs.name, "Sofa");
    EXPECT_EQ(cs.description, "Soft");
    ASSERT_EQ(cs.Load(f.file, 3, false), kNoErr);
    EXPECT_EQ(cs.name, "Unterminated");
}

TEST(CatalogStringsTest, CtssInTheCurrentLanguageWithOptionalFallBack) {
    TestObjectFile<> f;
    f.Put(kTypeCTSS, 7, Bytes(kCatalog));
    CatalogStrings cs;
    ScopedGameLanguage language(kFrench + 1);
    ASSERT_EQ(cs.Load(f.file, 7, false), kNoErr);
    EXPECT_EQ(cs.name, "Chaise");
    EXPECT_EQ(cs.description, "Assis");
    SetGameLanguage(kItalian + 1);
    ASSERT_EQ(cs.Load(f.file, 7, false), kNoErr);
    EXPECT_EQ(cs.name, "");
    ASSERT_EQ(cs.Load(f.file, 7, true), kNoErr);
    EXPECT_EQ(cs.name, "Chair");
    EXPECT_EQ(cs.description, "Sit");
    EXPECT_EQ(cs.Load(f.file, 8, true), kErrNotFound);
    EXPECT_EQ(cs.name, "");
    EXPECT_EQ(cs.description, "");
}

TEST(CatalogStringsTest, SaveWritesTheCurrentLanguageAndDeletesCats) {
    ScopedGameLanguage language(kFrench + 1);
    TestObjectFile<> f;
    f.Put(kTypeCTSS, 7, Bytes(kCatalog), "old name");
    f.Put(kTypeCATS, 7, TextBytes("legacy\0"));
    CatalogStrings cs;
    cs.name = "Fauteuil";
    cs.description = "Confortable";
    ASSERT_EQ(cs.Save(f.file, 7), kNoErr);
    f.Reopen();
    EXPECT_FALSE(f.Has(kTypeCATS, 7));
    EXPECT_EQ(f.NameOf(kTypeCTSS, 7), "");  // a set that was never read has no name
    StringSet french = StoredSet(f, kTypeCTSS, 7, kFrench);
    EXPECT_EQ(*french.Get(1), "Fauteuil");
    EXPECT_EQ(*french.Get(2), "Confortable");
    EXPECT_EQ(*StoredSet(f, kTypeCTSS, 7, kUSEnglishIndex).Get(1), "Chair");

    TestObjectFile<ReadOnlyIFFResFile> readOnly;
    readOnly.Put(kTypeCATS, 7, TextBytes("legacy\0"));
    EXPECT_EQ(cs.Save(readOnly.file, 7), kErrNotWritable);
    EXPECT_TRUE(readOnly.Has(kTypeCATS, 7));
}

TEST(CatalogStringsTest, EnsureEntriesInsertsMissingOnesAndWritesOnlyThen) {
    TestObjectFile<> f;
    const uint8_t nameOnly[] = {0xFD, 0xFF, 0x01, 0x00, 0x01, 'n', 0x00, 0x00};
    f.Put(kTypeCTSS, 1, Bytes(nameOnly));
    f.Put(kTypeCTSS, 2, Bytes(kCatalog));
    ASSERT_EQ(EnsureCatalogStringEntries(f.file, 1), kNoErr);
    StringSet us = StoredSet(f, kTypeCTSS, 1, kUSEnglishIndex);
    ASSERT_EQ(us.Count(), 2);
    EXPECT_EQ(*us.Get(1), "n");
    EXPECT_EQ(*us.Get(2), "");
    ASSERT_EQ(EnsureCatalogStringEntries(f.file, 2), kNoErr);
    EXPECT_EQ(f.Stored(kTypeCTSS, 2), Bytes(kCatalog));
    EXPECT_EQ(EnsureCatalogStringEntries(f.file, 3), kErrNotFound);
    EXPECT_FALSE(f.Has(kTypeCTSS, 3));
}

TEST(LanguagesTest, TableAndCurrentLanguage) {
    EXPECT_STREQ(GetLanguageName(0), "US English");
    EXPECT_STREQ(GetLanguageName(1), "UKEnglish");
    EXPECT_STREQ(GetLanguageName(16), "Simplified Chinese");
    EXPECT_STREQ(GetLanguageName(19), "Korean");
    EXPECT_STREQ(GetLanguageName(20), "");
    ScopedGameLanguage restore(GameLanguage());
    EXPECT_TRUE(SetGameLanguage(20));
    EXPECT_EQ(LanguageIndex(), 19);
    EXPECT_FALSE(SetGameLanguage(0));
    EXPECT_FALSE(SetGameLanguage(21));
    EXPECT_EQ(GameLanguage(), 20);
}

}  // namespace
