// Object definitions, string sets and catalogue strings through a real IFF 2.5 file, closed and reopened.
#include <gtest/gtest.h>

#include "ObjectsTestSupport.h"
#include "objects/CatalogStrings.h"
#include "objects/ObjectDefinition.h"
#include "objects/StringSet.h"
#include "resfile/IFFResFile2.h"
#include "support/TempDir.h"

using objects_test::Bytes;
using objects_test::ScopedGameLanguage;
using objects_test::TextBytes;
using reshaper_test::TempDir;

namespace {

// Format -1 as an older writer left it: not marked converted, format word and count big-endian.
constexpr uint8_t kUnconvertedValues[] = {
    0xFF, 0xFF,             // format -1
    0x00, 0x02,             // count 2, big-endian
    'O',  'n',  'e', 0x00,  // "One"
    'T',  'w',  'o', 0x00,  // "Two"
};
static_assert(sizeof(kUnconvertedValues) == 12);

// Catalogue strings in US English and German.
constexpr uint8_t kCatalog[] = {
    0xFD, 0xFF,                                         // format -3
    0x03, 0x00,                                         // 3 entries
    0x01, 'L',  'a', 'm', 'p', 0x00, 0x00,              // US English 1
    0x01, 'B',  'r', 'i', 'g', 'h',  't',  0x00, 0x00,  // US English 2
    0x04, 'L',  'a', 'm', 'p', 'e',  0x00, 0x00,        // German 1
};
static_assert(sizeof(kCatalog) == 28);

class ObjectFileLevelTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.Join("objects.iff");
        IFFResFile2 f;
        ASSERT_EQ(f.Create(path), kNoErr);
        ASSERT_EQ(f.Open(path), kNoErr);
        Put(f, kTypeSTRList, 10, Bytes(kUnconvertedValues), "old table", false);
        Put(f, kTypeTextStrings, 11, TextBytes("^Hello^^World^"), "text table", false);
        Put(f, kTypeCTSS, 20, Bytes(kCatalog), "", true);
        Put(f, kTypeCATS, 21, TextBytes("Old description\0Old name\0"), "", false);
        std::vector<uint8_t> old137(160, 0x11);
        old137[0] = 137;
        old137[1] = old137[2] = old137[3] = 0;
        Put(f, kTypeOBJD, 128, old137, "Lamp", true);
        ASSERT_EQ(f.Close(), kNoErr);
        ASSERT_EQ(file.Open(path), kNoErr);
    }
    static void Put(IFFResFile2& f, ResType type, ResID id, const std::vector<uint8_t>& bytes, const char* name,
                    bool converted) {
        DataHandle* h = NewHandleFrom(bytes.data(), static_cast<int32_t>(bytes.size()));
        f.Add(h, type, id, name, converted);
        ASSERT_EQ(f.GetError(), kNoErr);
        f.Write(h);
        ASSERT_EQ(f.GetError(), kNoErr);
    }
    void Reopen() {
        ASSERT_EQ(file.Close(), kNoErr);
        ASSERT_EQ(file.Open(path), kNoErr);
    }
    int32_t StoredSize(ResType type, ResID id) {
        DataHandle* h = file.GetResource(type, id, nullptr);
        int32_t size = h ? h->Size() : -1;
        if (h) file.ReleaseAndFree(h);
        return size;
    }

    TempDir dir;
    std::string path;
    IFFResFile2 file;
};

TEST_F(ObjectFileLevelTest, StringTablesReadThroughTheFile) {
    ScopedGameLanguage language(4);
    std::string out;
    file.GetIndexedString(out, 10, 2);
    EXPECT_EQ(out, "Two");
    file.GetIndexedString(out, 11, 1);
    EXPECT_EQ(out, "Hello");
    file.GetIndexedString(out, 20, 1);
    EXPECT_EQ(out, "");  // catalogue strings are not a string table
    StringSet set;
    ASSERT_EQ(set.ReadStringTable(&file, 10, false), kNoErr);
    EXPECT_EQ(set.GetName(), "old table");
    EXPECT_EQ(*set.Get(1, kUSEnglishIndex), "One");
}

TEST_F(ObjectFileLevelTest, WrittenSetsSurviveReopeningWithTheLayoutSize) {
    StringSet set;
    ASSERT_EQ(set.ReadStringTable(&file, 10, false), kNoErr);  // US English
    set.Set(3, "Three");
    set.SetComment(3, "new");
    ASSERT_EQ(set.Write(), kNoErr);
    Reopen();
    EXPECT_EQ(StoredSize(kTypeSTRList, 10), 4 + (3 + 0 + 3) + (3 + 0 + 3) + (5 + 3 + 3));
    StringSet back;
    ASSERT_EQ(back.ReadStringTable(&file, 10, true), kNoErr);
    EXPECT_EQ(back.GetName(), "old table");
    ASSERT_EQ(back.Count(kUSEnglishIndex), 3);
    EXPECT_EQ(*back.GetComment(3, kUSEnglishIndex), "new");
    EXPECT_EQ(back.GetSource(1, 7), kUSEnglishIndex);

    // The legacy text table becomes a STR# of the same id.
    ASSERT_EQ(set.ReadStringTable(&file, 11, false), kNoErr);
    ASSERT_EQ(set.GetType(), kTypeTextStrings);
    ASSERT_EQ(set.Write(), kNoErr);
    Reopen();
    DataHandle* h = file.GetResource(kTypeSTRList, 11, StringSet::Fixup);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->bytes[0], 0xFD);
    file.ReleaseAndFree(h);
    std::string out;
    file.GetIndexedString(out, 11, 2);
    EXPECT_EQ(out, "World");
}

TEST_F(ObjectFileLevelTest, CatalogueStringsLoadSaveAndReplaceTheLegacyForm) {
    ScopedGameLanguage language(3);
    CatalogStrings cs;
    ASSERT_EQ(cs.Load(file, 21, true), kNoErr);
    EXPECT_EQ(cs.name, "Old name");
    EXPECT_EQ(cs.description, "Old description");
    cs.name = "Nouveau";
    ASSERT_EQ(cs.Save(file, 21), kNoErr);
    Reopen();
    EXPECT_EQ(StoredSize(kTypeCATS, 21), -1);
    ASSERT_EQ(cs.Load(file, 21, true), kNoErr);
    EXPECT_EQ(cs.name, "Nouveau");
    EXPECT_EQ(cs.description, "Old description");

    ASSERT_EQ(cs.Load(file, 20, true), kNoErr);  // French falls back to US English
    EXPECT_EQ(cs.name, "Lamp");
    EXPECT_EQ(cs.description, "Bright");
}

TEST_F(ObjectFileLevelTest, ObjectDefinitionLoadsUpgradedAndStoresUnderItsName) {
    ObjectDefinition def;
    std::string name;
    ASSERT_EQ(LoadObjectDefinition(file, 128, def, &name), kNoErr);
    EXPECT_EQ(name, "Lamp");
    EXPECT_EQ(def.version, 138);
    EXPECT_EQ(def.basegraphic, 0x1111);
    EXPECT_EQ(def.footprintinsetmask, 0x1111);  // bytes 154..155, inside the old record
    EXPECT_EQ(def.ratinghunger, 0);             // bytes 164..165, beyond it
    EXPECT_EQ(def.typeattrguid, 0);
    def.price = 250;
    ASSERT_EQ(StoreObjectDefinition(file, 128, def), kNoErr);
    ASSERT_EQ(StoreObjectDefinition(file, 129, def), kNoErr);
    Reopen();
    EXPECT_EQ(StoredSize(kTypeOBJD, 128), 216);
    ObjectDefinition back;
    ASSERT_EQ(LoadObjectDefinition(file, 128, back, &name), kNoErr);
    EXPECT_EQ(back, def);
    EXPECT_EQ(name, "Lamp");
    ASSERT_EQ(LoadObjectDefinition(file, 129, back, &name), kNoErr);
    EXPECT_EQ(name, "unnamed object");
}

}  // namespace
