// Tests of the object definition record: field table, byte form, version upgrade, load and store.
#include <gtest/gtest.h>

#include "TestObjectFile.h"
#include "objects/definitions/ObjectDefinition.h"
#include "objects/definitions/ObjectDefinitionFields.h"

using objects_test::ReadOnlyIFFResFile;
using objects_test::TestObjectFile;

namespace {

// A version 136 record cut after 33 bytes (an odd size, so it ends inside the `disabled` word).
constexpr uint8_t kShortRecord136[] = {
    0x88, 0x00, 0x00, 0x00,  // 0   version 136
    0x07, 0x00,              // 4   initialstacksize 7
    0x00, 0x10,              // 6   basegraphic 4096
    0x02, 0x00,              // 8   numgraphics 2
    0x00, 0x00,              // 10  maintreeid
    0x00, 0x00,              // 12  gardeningtreeid
    0x00, 0x00,              // 14  treetableid
    0x00, 0x00,              // 16  interactiongroup
    0x00, 0x00,              // 18  type
    0x05, 0x00,              // 20  masterid 5
    0xFF, 0xFF,              // 22  subindex -1
    0x00, 0x00,              // 24  washhandstreeid
    0x00, 0x00,              // 26  animtableid
    0x01, 0x00, 0x00, 0x80,  // 28  guid 0x80000001
    0x2A,                    // 32  first byte of disabled (the record ends here)
};
static_assert(sizeof(kShortRecord136) == 33);

std::vector<uint8_t> Bytes(const uint8_t* p, size_t n) { return std::vector<uint8_t>(p, p + n); }

// A record whose every named field holds a distinct value and whose reserved tail is not zero.
ObjectDefinition DistinctRecord() {
    ObjectDefinition def;
    int32_t v = 1;
    for (const ObjectDefinitionField& f : GetObjectDefinitionFields()) SetFieldValue(def, f, v++ * 257);
    for (size_t i = 0; i < def.reserved.size(); ++i) def.reserved[i] = static_cast<uint8_t>(0xC0 + i);
    return def;
}

// A stored block of `size` bytes with the given version and 0x11 everywhere else.
std::vector<uint8_t> Block(int32_t version, size_t size) {
    std::vector<uint8_t> b(size, 0x11);
    for (size_t i = 0; i < 4 && i < size; ++i) b[i] = static_cast<uint8_t>(static_cast<uint32_t>(version) >> (8 * i));
    return b;
}

int32_t VersionOf(const std::vector<uint8_t>& b) { return b[0] | (b[1] << 8) | (b[2] << 16) | (b[3] << 24); }

TEST(ObjectDefinitionFieldsTest, TableNamesEveryFieldInStoredOrder) {
    auto fields = GetObjectDefinitionFields();
    ASSERT_EQ(fields.size(), 89u);
    EXPECT_STREQ(fields.front().name, "version");
    EXPECT_STREQ(fields.back().name, "typeattrguid");
    // A few offsets checked against the stored layout independently of the table.
    const std::pair<const char*, int> expected[] = {{"guid", 28},          {"catalogid", 82},
                                                    {"originalguid", 140}, {"footprintinsetmask", 154},
                                                    {"typeattrguid", 184}, {"ratingskillflags", 178}};
    for (const auto& [name, offset] : expected) {
        const ObjectDefinitionField* f = FindObjectDefinitionField(name);
        ASSERT_NE(f, nullptr) << name;
        EXPECT_EQ(f->offset, offset) << name;
    }
    int wide = 0;
    for (const ObjectDefinitionField& f : fields) wide += f.width == 4;
    EXPECT_EQ(wide, 5);  // version and the four GUIDs
    EXPECT_EQ(FindObjectDefinitionField("Catalogid"), nullptr);
    EXPECT_EQ(FindObjectDefinitionField("reserved"), nullptr);

    // Values are signed; 16-bit fields keep the low bits.
    ObjectDefinition def;
    const ObjectDefinitionField& guid = *FindObjectDefinitionField("guid");
    const ObjectDefinitionField& mask = *FindObjectDefinitionField("footprintinsetmask");
    SetFieldValue(def, guid, static_cast<int32_t>(0x80000001u));
    EXPECT_EQ(GetFieldValue(def, guid), -2147483647);
    SetFieldValue(def, mask, 0x1F000);
    EXPECT_EQ(def.footprintinsetmask, -4096);
    EXPECT_EQ(GetFieldValue(def, mask), -4096);
}

TEST(ObjectDefinitionTest, ByteFormIsLittleEndianAtTheTableOffsets) {
    ObjectDefinition def = DistinctRecord();
    ObjectDefinitionBytes bytes = SerializeObjectDefinition(def);
    EXPECT_EQ(bytes[0], 0x01);  // version = 257
    EXPECT_EQ(bytes[1], 0x01);
    EXPECT_EQ(bytes[82], static_cast<uint8_t>(def.catalogid & 0xFF));
    EXPECT_EQ(bytes[83], static_cast<uint8_t>(static_cast<uint16_t>(def.catalogid) >> 8));
    EXPECT_EQ(bytes[188], 0xC0);
    EXPECT_EQ(bytes[215], 0xC0 + 27);

    ObjectDefinition back;
    ASSERT_TRUE(ParseObjectDefinition(bytes.data(), bytes.size(), back));
    EXPECT_EQ(back, def);
    ObjectDefinition untouched = back;
    EXPECT_FALSE(ParseObjectDefinition(bytes.data(), 215, back));
    EXPECT_EQ(back, untouched);
}

TEST(ObjectDefinitionTest, Versions136And137UpgradeWithZeroFill) {
    for (int32_t version : {136, 137}) {
        std::vector<uint8_t> b = Block(version, 160);
        EXPECT_TRUE(NormalizeObjectDefinition(b));
        ASSERT_EQ(b.size(), kObjectDefinitionSize);
        EXPECT_EQ(VersionOf(b), 138);
        for (size_t i = 4; i < 160; ++i) ASSERT_EQ(b[i], 0x11) << i;
        for (size_t i = 160; i < 216; ++i) ASSERT_EQ(b[i], 0) << i;
    }
    // An odd size: the word that holds the last stored byte is cleared as well.
    std::vector<uint8_t> odd = Bytes(kShortRecord136, sizeof(kShortRecord136));
    EXPECT_TRUE(NormalizeObjectDefinition(odd));
    ObjectDefinition def;
    ASSERT_TRUE(ParseObjectDefinition(odd.data(), odd.size(), def));
    EXPECT_EQ(def.version, 138);
    EXPECT_EQ(def.initialstacksize, 7);
    EXPECT_EQ(def.basegraphic, 4096);
    EXPECT_EQ(def.guid, static_cast<int32_t>(0x80000001u));
    EXPECT_EQ(def.disabled, 0);
    EXPECT_TRUE(IsMultiTileLead(def));
    // A longer old record is cut, with nothing inside the record cleared.
    std::vector<uint8_t> longer = Block(137, 230);
    EXPECT_TRUE(NormalizeObjectDefinition(longer));
    ASSERT_EQ(longer.size(), 216u);
    EXPECT_EQ(longer[215], 0x11);
}

// A record read from a file gives what its normalised copy parses to, whether or not a copy is made.
TEST(ObjectDefinitionTest, FromDataParsesAsTheNormalisedCopy) {
    for (auto [version, size] : {std::pair{138, 216}, {138, 230}, {138, 200}, {137, 216}, {136, 230}, {136, 160}}) {
        std::vector<uint8_t> bytes = Block(version, size);
        for (size_t i = 4; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7);
        DataHandle h;
        h.bytes = bytes;
        std::vector<uint8_t> copy = bytes;
        NormalizeObjectDefinition(copy);
        ObjectDefinition expected, got;
        ASSERT_TRUE(ParseObjectDefinition(copy.data(), copy.size(), expected));
        ASSERT_TRUE(ObjectDefinitionFromData(h, got)) << version << " " << size;
        EXPECT_EQ(got, expected) << version << " " << size;
        EXPECT_EQ(h.bytes, bytes);
    }
}

TEST(ObjectDefinitionTest, OtherVersionsAreOnlyResized) {
    std::vector<uint8_t> shortCurrent = Block(138, 200);
    EXPECT_FALSE(NormalizeObjectDefinition(shortCurrent));
    ASSERT_EQ(shortCurrent.size(), 216u);
    EXPECT_EQ(shortCurrent[199], 0x11);
    for (size_t i = 200; i < 216; ++i) EXPECT_EQ(shortCurrent[i], 0);

    std::vector<uint8_t> longCurrent = Block(138, 230);
    EXPECT_FALSE(NormalizeObjectDefinition(longCurrent));
    EXPECT_EQ(longCurrent.size(), 216u);

    std::vector<uint8_t> old = Block(120, 100);
    EXPECT_FALSE(NormalizeObjectDefinition(old));
    EXPECT_EQ(VersionOf(old), 120);
    EXPECT_EQ(old.size(), 216u);

    std::vector<uint8_t> tiny = {0x89, 0x00};  // too short to hold a version
    EXPECT_FALSE(NormalizeObjectDefinition(tiny));
    EXPECT_EQ(tiny.size(), 216u);
    EXPECT_EQ(tiny[0], 0x89);
    EXPECT_EQ(tiny[2], 0);
}

TEST(ObjectDefinitionTest, MultiTileGrouping) {
    ObjectDefinition def;
    def.masterid = 5;
    def.subindex = -1;
    EXPECT_TRUE(IsMultiTileLead(def));
    def.subindex = 0;
    EXPECT_FALSE(IsMultiTileLead(def));
    EXPECT_TRUE(IsMultiTileTile(def));
    def.masterid = 0;
    def.subindex = -1;
    EXPECT_FALSE(IsMultiTileLead(def));
    EXPECT_FALSE(IsMultiTileTile(def));
}

TEST(ObjectDefinitionTest, LoadUpgradesACopyAndStoreKeepsTheName) {
    TestObjectFile<> f;
    f.Put(kTypeOBJD, 128, Bytes(kShortRecord136, sizeof(kShortRecord136)), "Lamp - lead");
    ObjectDefinition def;
    std::string name;
    ASSERT_EQ(LoadObjectDefinition(f.file, 128, def, &name), kNoErr);
    EXPECT_EQ(name, "Lamp - lead");
    EXPECT_EQ(def.version, 138);
    EXPECT_EQ(def.masterid, 5);
    EXPECT_EQ(f.Stored(kTypeOBJD, 128).size(), sizeof(kShortRecord136));  // the file's block is left alone
    EXPECT_EQ(LoadObjectDefinition(f.file, 129, def, &name), kErrNotFound);
    EXPECT_EQ(name, "Lamp - lead");

    def = DistinctRecord();
    ASSERT_EQ(StoreObjectDefinition(f.file, 128, def), kNoErr);
    ASSERT_EQ(StoreObjectDefinition(f.file, 129, def), kNoErr);  // no resource of that id
    f.Reopen();
    ObjectDefinitionBytes expected = SerializeObjectDefinition(def);
    EXPECT_EQ(f.Stored(kTypeOBJD, 128), std::vector<uint8_t>(expected.begin(), expected.end()));
    EXPECT_EQ(f.NameOf(kTypeOBJD, 128), "Lamp - lead");
    EXPECT_EQ(f.NameOf(kTypeOBJD, 129), "unnamed object");
    ObjectDefinition back;
    ASSERT_EQ(LoadObjectDefinition(f.file, 129, back), kNoErr);
    EXPECT_EQ(back, def);
}

TEST(ObjectDefinitionTest, StoreOnAReadOnlyFileDoesNothing) {
    TestObjectFile<ReadOnlyIFFResFile> f;
    EXPECT_EQ(StoreObjectDefinition(f.file, 128, ObjectDefinition()), kNoErr);
    EXPECT_FALSE(f.Has(kTypeOBJD, 128));
}

}  // namespace
