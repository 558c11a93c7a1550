// IFF 1.0 files: open of hand-built files, both name-list forms, changes and their layout, allocation,
// compaction, read-only files and malformed input.
#include <gtest/gtest.h>

#include "IFF10Builder.h"
#include "platform/FaultInjection.h"
#include "resfile/CTGFileManager.h"
#include "resfile/IFFResFile.h"
#include "support/TempDir.h"

using namespace reshaper_test;

namespace {

// The chunks of a small 1.0 file, behind its 64-byte header.
constexpr uint8_t kChunks[] = {
    // offset 64: the name list in its older form: internal, no name of its own
    'N', 'A', 'M', 'E', 0x00, 0x00, 0x00, 0x23,  // type, size 35
    0x00, 0x00, 0x00, 0x08,                      // id 0, flags internal
    0xFF, 0xFF, 0xFF, 0xFF,                      // name index -1
    0x01, 0x00, 0x00, 0x00, 5, 'C', 'h', 'a', 'i', 'r',  // index 1 (LE), length 5, "Chair"
    0x02, 0x00, 0x00, 0x00, 4, 'L', 'a', 'm', 'p',       // index 2 (LE), length 4, "Lamp"
    // offset 99: OBJD 128, converted, named by entry 1
    'O', 'B', 'J', 'D', 0x00, 0x00, 0x00, 0x12,  // type, size 18
    0x00, 0x80, 0x00, 0x10,                      // id 128, flags converted
    0x00, 0x00, 0x00, 0x01,                      // name index 1
    'a', 'b',
    // offset 117: a free chunk of 20 bytes
    'X', 'X', 'X', 'X', 0x00, 0x00, 0x00, 0x14,  // type, size 20
    0x00, 0x00, 0x00, 0x04,                      // id 0, flags free
    0xFF, 0xFF, 0xFF, 0xFF,                      // name index -1
    0xEE, 0xEE, 0xEE, 0xEE,
    // offset 137: STR# 5, unnamed
    'S', 'T', 'R', '#', 0x00, 0x00, 0x00, 0x13,  // type, size 19
    0x00, 0x05, 0x00, 0x00,                      // id 5, flags 0
    0xFF, 0xFF, 0xFF, 0xFF,                      // name index -1
    'x', 'y', 'z',
    // offset 156: OBJD 129, named by entry 2
    'O', 'B', 'J', 'D', 0x00, 0x00, 0x00, 0x12,  // type, size 18
    0x00, 0x81, 0x00, 0x00,                      // id 129, flags 0
    0x00, 0x00, 0x00, 0x02,                      // name index 2
    'c', 'd',
};
static_assert(sizeof(kChunks) == 35 + 18 + 20 + 19 + 18, "five chunks, ending at offset 174");

std::vector<uint8_t> SmallFile() {
    auto f = IFF10Header();
    f.insert(f.end(), std::begin(kChunks), std::end(kChunks));
    return f;
}

std::string Text(const DataHandle* h) { return h ? std::string(h->bytes.begin(), h->bytes.end()) : "<null>"; }
DataHandle* H(const std::string& s) { return NewHandleFrom(s.data(), static_cast<int32_t>(s.size())); }

class IFF10 : public ::testing::Test {
protected:
    TempDir dir;
    std::string Put(const std::vector<uint8_t>& bytes, const std::string& name = "file.iff") {
        std::string p = dir.Join(name);
        EXPECT_TRUE(WriteFileBytes(p, bytes));
        return p;
    }
    static std::string NameOf(IFFResFile& f, DataHandle* h) {
        std::string n;
        f.GetName(h, n);
        return n;
    }
    static int32_t OffsetOf(IFFResFile& f, ResType t, int16_t id) {
        for (const auto& node : f.GetResourceList().types)
            if (node.type == t)
                for (const auto& e : node.entries)
                    if (e.id == id) return e.offset;
        return -2;
    }
    void TearDown() override { FaultInjection::Reset(); }
};

TEST_F(IFF10, OpensAHandBuiltFileWithTheOlderNameList) {
    std::string p = Put(SmallFile());
    IFFResFile f;
    ASSERT_EQ(f.Open(p), kNoErr);
    EXPECT_EQ(f.GetFreeSpace(), 20);
    // Types newest first, entries newest first; the internal name list is not listed.
    ASSERT_EQ(f.CountTypes(), 2);
    EXPECT_EQ(f.GetIndexedType(1), kTypeSTRList);
    EXPECT_EQ(f.GetIndexedType(2), kTypeOBJD);
    EXPECT_EQ(f.GetIndexedType(3), 0u);
    EXPECT_EQ(f.GetError(), kErrTypeIndex);
    EXPECT_EQ(f.CountResources(kTypeNameList), 0);
    EXPECT_EQ(f.GetResource(kTypeNameList, 0, nullptr), nullptr);
    EXPECT_EQ(f.GetError(), kErrNotFound);

    DataHandle* first = f.GetIndexedResource(kTypeOBJD, 1, nullptr);
    ResID id = 0;
    f.GetID(first, id);
    EXPECT_EQ(id, 129);
    EXPECT_EQ(Text(first), "cd");
    EXPECT_EQ(NameOf(f, first), "Lamp");
    DataHandle* chair = f.GetNamedResource(kTypeOBJD, "CHAIR", nullptr);
    EXPECT_EQ(Text(chair), "ab");
    EXPECT_EQ(f.GetResource(kTypeOBJD, 128, nullptr), chair);
    EXPECT_TRUE(f.IsConverted(chair));
    DataHandle* strings = f.GetResource(kTypeSTRList, 5, nullptr);
    EXPECT_EQ(Text(strings), "xyz");
    EXPECT_EQ(NameOf(f, strings), "");
    EXPECT_EQ(f.GetNamedResource(kTypeSTRList, "", nullptr), nullptr);
    EXPECT_EQ(f.GetError(), kErrNameNotFound);

    // No changes, little free space: closing writes nothing.
    ASSERT_EQ(f.Close(), kNoErr);
    EXPECT_EQ(ReadFileBytes(p), SmallFile());
}

TEST_F(IFF10, ReadsTheIdOneBlockAndPrefersTheOlderFormWhenBothExist) {
    auto file = IFF10Header();
    AppendChunk10(file, kTypeNameList, 1, 0x18, -1, NameListBlock({{3, "Table"}, {7, "Sofa"}}));
    AppendChunk10(file, kTypeOBJD, 1, 0, 3, Bytes("t"));
    AppendChunk10(file, kTypeOBJD, 2, 0, 7, Bytes("s"));
    std::string p = Put(file);
    IFFResFile f;
    ASSERT_EQ(f.Open(p), kNoErr);
    EXPECT_EQ(NameOf(f, f.GetResource(kTypeOBJD, 1, nullptr)), "Table");
    EXPECT_EQ(NameOf(f, f.GetResource(kTypeOBJD, 2, nullptr)), "Sofa");
    EXPECT_EQ(f.GetNameList().GetNextIndex(), 8);
    ASSERT_EQ(f.Close(), kNoErr);
    EXPECT_EQ(ReadFileBytes(p), file);

    AppendChunk10(file, kTypeNameList, 0, 0x08, -1, OldNameList({{3, "Old table"}}));
    p = Put(file);
    ASSERT_EQ(f.Open(p), kNoErr);
    EXPECT_EQ(NameOf(f, f.GetResource(kTypeOBJD, 1, nullptr)), "Old table");
    EXPECT_EQ(NameOf(f, f.GetResource(kTypeOBJD, 2, nullptr)), "");
    ASSERT_EQ(f.Close(), kNoErr);
}

TEST_F(IFF10, RejectsAnythingButTheExactHeader) {
    IFFResFile f;
    auto year = SmallFile();
    year[62] = '7';  // "1997"
    EXPECT_EQ(f.Open(Put(year)), kErrBadHeader);
    auto v25 = IFFHeader('2', '5', 0);
    EXPECT_EQ(f.Open(Put(v25)), kErrBadHeader);
    auto v10Pattern = IFFHeader('1', '0', 0);  // the 2.x pattern with 1.0 digits still ends in "1****"
    EXPECT_EQ(f.Open(Put(v10Pattern)), kErrBadHeader);
    auto cut = IFF10Header();
    cut.pop_back();
    EXPECT_EQ(f.Open(Put(cut)), kErrRead);
    EXPECT_FALSE(f.IsOpen());
    EXPECT_EQ(f.Open(dir.Join("missing.iff")), kErrOpenFailed);
}

TEST_F(IFF10, CreateWritesTheHeaderAndAnEmptyNameList) {
    constexpr uint8_t kNameChunk[] = {
        'N', 'A', 'M', 'E', 0x00, 0x00, 0x00, 0x20,  // type, size 32
        0x00, 0x01, 0x00, 0x18,                      // id 1, flags converted | internal
        0xFF, 0xFF, 0xFF, 0xFF,                      // name index -1
        0x00, 0x00, 0x00, 0x00,                      // block: byte-order marker 0, 3 zero bytes
        0x00, 0x00, 0x00, 0x00,                      // block version 0 (LE)
        'E', 'M', 'A', 'N',                          // object type NAME (LE)
        0x00, 0x00, 0x00, 0x00,                      // count 0
    };
    static_assert(sizeof(kNameChunk) == 32, "16-byte header and 16-byte block");
    auto expected = IFF10Header();
    expected.insert(expected.end(), std::begin(kNameChunk), std::end(kNameChunk));

    std::string p = dir.Join("new.iff");
    IFFResFile f;
    ASSERT_EQ(f.Create(p), kNoErr);
    EXPECT_FALSE(f.IsOpen());
    EXPECT_EQ(ReadFileBytes(p), expected);
    EXPECT_EQ(f.Create(p), kErrFileExists);
    ASSERT_EQ(f.Open(p), kNoErr);
    EXPECT_EQ(f.CountTypes(), 0);
    EXPECT_EQ(f.Create(p), kErrAlreadyOpen);
    EXPECT_EQ(f.Close(), kNoErr);
    EXPECT_EQ(ReadFileBytes(p), expected);
}

TEST_F(IFF10, AddedResourceAndNameListFollowTheLayoutToTheByte) {
    std::string p = dir.Join("new.iff");
    IFFResFile f;
    ASSERT_EQ(f.Create(p), kNoErr);
    ASSERT_EQ(f.Open(p), kNoErr);
    f.Add(H("abcd"), kTypeOBJD, 128, "Chair", true);
    ASSERT_EQ(f.GetError(), kNoErr);
    // Pending until close: the name list goes first, then the resource.
    ASSERT_EQ(f.Close(), kNoErr);

    // The empty list at 64 is too small for the new one and is freed; both chunks are appended.
    auto expected = IFF10Header();
    auto emptyList = NameListBlock({});
    EXPECT_EQ(AppendChunk10(expected, kTypeFree, 1, 0x1C, -1, emptyList), 64);
    EXPECT_EQ(AppendChunk10(expected, kTypeNameList, 1, 0x18, -1, NameListBlock({{1, "Chair"}})), 96);
    EXPECT_EQ(AppendChunk10(expected, kTypeOBJD, 128, 0x10, 1, Bytes("abcd")), 138);
    EXPECT_EQ(ReadFileBytes(p), expected);
}

TEST_F(IFF10, ChangesAndNamesSurviveReopen) {
    std::string p = Put(SmallFile());
    IFFResFile f;
    ASSERT_EQ(f.Open(p), kNoErr);
    f.Add(H("new"), kTypeDGRP, 200, "Group", true);
    ASSERT_EQ(f.GetError(), kNoErr);
    // A new type and a new entry go to the head of their lists.
    EXPECT_EQ(f.GetIndexedType(1), kTypeDGRP);
    f.Add(H("third"), kTypeOBJD, 130, "", false);
    ResID id = 0;
    f.GetID(f.GetIndexedResource(kTypeOBJD, 1, nullptr), id);
    EXPECT_EQ(id, 130);
    f.SetInfo(f.GetResource(kTypeOBJD, 128, nullptr), 300, "Sofa", 0);
    ASSERT_EQ(f.GetError(), kNoErr);
    f.Delete(f.GetResource(kTypeOBJD, 129, nullptr));
    ASSERT_EQ(f.GetError(), kNoErr);
    DataHandle* changed = f.GetResource(kTypeSTRList, 5, nullptr);
    changed->bytes.assign({'l', 'o', 'n', 'g', 'e', 'r'});
    f.Write(changed);
    ASSERT_EQ(f.GetError(), kNoErr);
    ASSERT_EQ(f.Close(), kNoErr);

    ASSERT_EQ(f.Open(p), kNoErr);
    EXPECT_EQ(Text(f.GetNamedResource(kTypeDGRP, "group", nullptr)), "new");
    EXPECT_EQ(Text(f.GetResource(kTypeOBJD, 130, nullptr)), "third");
    DataHandle* sofa = f.GetNamedResource(kTypeOBJD, "Sofa", nullptr);
    ASSERT_NE(sofa, nullptr);
    f.GetID(sofa, id);
    EXPECT_EQ(id, 300);
    EXPECT_EQ(Text(sofa), "ab");
    EXPECT_EQ(f.GetNamedResource(kTypeOBJD, "Chair", nullptr), nullptr);
    EXPECT_EQ(f.GetResource(kTypeOBJD, 129, nullptr), nullptr);
    EXPECT_EQ(f.GetNamedResource(kTypeOBJD, "Lamp", nullptr), nullptr);
    EXPECT_EQ(Text(f.GetResource(kTypeSTRList, 5, nullptr)), "longer");
    // The list went back as the id 1 block; the older form is gone and its entries of the renamed
    // and deleted resources are emptied, never handed out again.
    ASSERT_EQ(f.GetInternalList().types.size(), 1u);
    ASSERT_EQ(f.GetInternalList().types.front().entries.size(), 1u);
    EXPECT_EQ(f.GetInternalList().types.front().entries.front().id, 1);
    EXPECT_EQ(f.GetInternalList().types.front().entries.front().storedFlags, 0x18);
    EXPECT_EQ(f.GetNameList().GetName(1), "");
    EXPECT_EQ(f.GetNameList().GetName(2), "");
    EXPECT_EQ(f.GetNameList().GetNextIndex(), 5);
    ASSERT_EQ(f.Close(), kNoErr);
}

TEST_F(IFF10, VariantsAndSuspensionAreRefused) {
    IFFResFile f;
    ASSERT_EQ(f.Open(Put(SmallFile())), kNoErr);
    EXPECT_EQ(f.GetResourceVariant(kTypeOBJD, 128, 1, nullptr), nullptr);
    EXPECT_EQ(f.GetError(), kErrNoVariants);
    DataHandle* h = f.GetResource(kTypeOBJD, 128, nullptr);
    EXPECT_EQ(f.GetVariant(h), 0);
    EXPECT_EQ(f.GetError(), kNoErr);
    f.SetInfo(h, 128, "Other", 2);
    EXPECT_EQ(f.GetError(), kErrNoVariants);
    EXPECT_EQ(NameOf(f, h), "Chair");
    // AddVariant drops the variant but keeps the name.
    f.AddVariant(H("v"), kTypeBHAV, 4096, "Tree", 3, true);
    EXPECT_EQ(f.GetError(), kNoErr);
    EXPECT_EQ(NameOf(f, f.GetResource(kTypeBHAV, 4096, nullptr)), "Tree");
    EXPECT_EQ(f.Suspend(), kErrOpenFailed);
    EXPECT_TRUE(f.IsOpen());
    EXPECT_EQ(f.Resume(), kErrOpenFailed);
    ASSERT_EQ(f.Close(), kNoErr);
}

// A file with one free chunk of `freeSize` bytes at offset 64, followed by one resource.
std::vector<uint8_t> FileWithFreeChunk(int32_t freeSize) {
    auto f = IFF10Header();
    AppendFree10(f, freeSize);
    AppendChunk10(f, kTypeSTRList, 1, 0, -1, Bytes("keep"));
    return f;
}

TEST_F(IFF10, NextFitSplitsOnlyWhenTheRestHoldsAHeader) {
    const std::string data(10, 'd');  // chunk size s = 26
    struct Case {
        int32_t freeSize;
        int32_t expectOffset;
        int32_t expectFree;
    };
    auto base = FileWithFreeChunk(26);
    const int32_t end = static_cast<int32_t>(base.size());
    for (Case c : {Case{26, 64, 0}, Case{26 + 15, end + 15, 26 + 15}, Case{26 + 16, 64, 16}}) {
        SCOPED_TRACE(c.freeSize);
        std::string p = Put(FileWithFreeChunk(c.freeSize));
        IFFResFile f;
        ASSERT_EQ(f.Open(p), kNoErr);
        f.Add(H(data), kTypeOBJD, 1, "", true);
        f.Write(f.GetResource(kTypeOBJD, 1, nullptr));
        ASSERT_EQ(f.GetError(), kNoErr);
        EXPECT_EQ(OffsetOf(f, kTypeOBJD, 1), c.expectOffset);
        EXPECT_EQ(f.GetFreeSpace(), c.expectFree);
        ASSERT_EQ(f.Close(), kNoErr);
        auto bytes = ReadFileBytes(p);
        if (c.freeSize == 26 + 16) {
            // The rest of the split is a free chunk of exactly one header.
            std::vector<uint8_t> rest(bytes.begin() + 64 + 26, bytes.begin() + 64 + 26 + 8);
            EXPECT_EQ(rest, std::vector<uint8_t>({'X', 'X', 'X', 'X', 0, 0, 0, 16}));
        }
        ASSERT_EQ(f.Open(p), kNoErr);
        EXPECT_EQ(Text(f.GetResource(kTypeOBJD, 1, nullptr)), data);
        EXPECT_EQ(Text(f.GetResource(kTypeSTRList, 1, nullptr)), "keep");
        ASSERT_EQ(f.Close(), kNoErr);
    }
}

TEST_F(IFF10, CompactionRunsAtCloseFrom10240FreeBytesEvenWhenUnchanged) {
    auto below = FileWithFreeChunk(10239);
    std::string p = Put(below);
    IFFResFile f;
    ASSERT_EQ(f.Open(p), kNoErr);
    EXPECT_EQ(f.GetFreeSpace(), 10239);
    ASSERT_EQ(f.Close(), kNoErr);
    EXPECT_EQ(ReadFileBytes(p), below);

    p = Put(FileWithFreeChunk(10240));
    ASSERT_EQ(f.Open(p), kNoErr);
    ASSERT_EQ(f.Close(), kNoErr);
    auto expected = IFF10Header();
    AppendChunk10(expected, kTypeSTRList, 1, 0, -1, Bytes("keep"));
    EXPECT_EQ(ReadFileBytes(p), expected);
}

TEST_F(IFF10, CompactionLeavesABrokenChunkSequenceAlone) {
    auto file = FileWithFreeChunk(20000);
    AppendChunk10(file, kTypeOBJD, 2, 0, -1, Bytes("past the end"), 5000);  // claims more than the file has
    std::string p = Put(file);
    IFFResFile f;
    ASSERT_EQ(f.Open(p), kNoErr);
    ASSERT_EQ(f.Close(), kNoErr);
    EXPECT_EQ(ReadFileBytes(p), file);
}

TEST_F(IFF10, ReadOnlyFilesAreNeverWritten) {
    auto member = FileWithFreeChunk(20000);
    std::string archive = dir.Join("objects/pack.far");
    auto archiveBytes = MakeArchive({{"inside\\old.iff", member}});
    ASSERT_TRUE(WriteFileBytes(archive, archiveBytes));
    CTGFileManager::Instance().MapDirectory(dir.Join("objects"), true, true);
    IFFResFile f;
    ASSERT_EQ(f.Open(dir.Join("objects/inside/old.iff")), kNoErr);
    EXPECT_FALSE(f.IsWritable());
    DataHandle* fresh = H("x");
    f.Add(fresh, kTypeOBJD, 9, "Nine", true);
    EXPECT_EQ(f.GetError(), kErrNotWritable);
    FreeHandle(fresh);
    DataHandle* h = f.GetResource(kTypeSTRList, 1, nullptr);
    f.Write(h);
    EXPECT_EQ(f.GetError(), kErrNotWritable);
    f.Delete(h);
    EXPECT_EQ(f.GetError(), kErrNotWritable);
    f.SetInfo(h, 1, "Renamed in memory", 0);
    EXPECT_EQ(f.Close(), kNoErr);
    EXPECT_EQ(ReadFileBytes(archive), archiveBytes);
}

TEST_F(IFF10, MalformedChunksEndTheWalkWithoutDamage) {
    // A chunk header cut short: the sequence ends there, and a new chunk is written over the cut bytes.
    auto cut = IFF10Header();
    AppendChunk10(cut, kTypeOBJD, 1, 0, -1, Bytes("one"));
    const size_t whole = cut.size();
    cut.insert(cut.end(), {'O', 'B', 'J', 'D', 0, 0, 0});
    std::string p = Put(cut);
    IFFResFile f;
    ASSERT_EQ(f.Open(p), kNoErr);
    EXPECT_EQ(f.CountResources(kTypeOBJD), 1);
    f.Add(H("two"), kTypeOBJD, 2, "", true);
    ASSERT_EQ(f.Close(), kNoErr);
    EXPECT_EQ(ReadFileBytes(p).size(), whole + 19);
    ASSERT_EQ(f.Open(p), kNoErr);
    EXPECT_EQ(Text(f.GetResource(kTypeOBJD, 2, nullptr)), "two");
    ASSERT_EQ(f.Close(), kNoErr);

    // Sizes smaller than a header (zero, negative, 15) stop the scan rather than loop or step back;
    // an allocation goes behind the file's end and leaves everything before untouched.
    for (int32_t bad : {0, -16, 15}) {
        SCOPED_TRACE(bad);
        auto file = IFF10Header();
        AppendChunk10(file, kTypeOBJD, 1, 0, -1, Bytes("one"));
        int32_t at = AppendChunk10(file, kTypeOBJD, 2, 0, -1, Bytes("hidden"));
        for (int i = 0; i < 4; ++i) file[at + 4 + i] = static_cast<uint8_t>(static_cast<uint32_t>(bad) >> (24 - 8 * i));
        AppendChunk10(file, kTypeOBJD, 3, 0, -1, Bytes("three"));
        p = Put(file);
        ASSERT_EQ(f.Open(p), kNoErr);
        EXPECT_EQ(f.CountResources(kTypeOBJD), 1);
        f.Add(H("new"), kTypeDGRP, 1, "", true);
        ASSERT_EQ(f.Close(), kNoErr);
        auto after = ReadFileBytes(p);
        ASSERT_GE(after.size(), file.size());
        EXPECT_TRUE(std::equal(file.begin(), file.end(), after.begin()));
    }

    // A chunk whose size runs past the end is listed, but loading it is a read error.
    auto longChunk = IFF10Header();
    AppendChunk10(longChunk, kTypeOBJD, 1, 0, -1, Bytes("short"), 500);
    ASSERT_EQ(f.Open(Put(longChunk)), kNoErr);
    EXPECT_EQ(f.GetResource(kTypeOBJD, 1, nullptr), nullptr);
    EXPECT_EQ(f.GetError(), kErrRead);
    ASSERT_EQ(f.Close(), kNoErr);
}

TEST_F(IFF10, UnreadableNameListsFailTheOpen) {
    IFFResFile f;
    // The id 1 block announces five entries and holds one.
    auto shortBlock = NameListBlock({{1, "Chair"}});
    shortBlock[12] = 5;
    auto file = IFF10Header();
    AppendChunk10(file, kTypeNameList, 1, 0x18, -1, shortBlock);
    EXPECT_EQ(f.Open(Put(file)), kErrBadChunk);
    EXPECT_FALSE(f.IsOpen());

    // A name without its NUL at the end of the block.
    auto noNul = NameListBlock({{1, "Chair"}});
    noNul.resize(noNul.size() - 2);  // "Chair" and its NUL end the block: drop the 'r' and the NUL
    file = IFF10Header();
    AppendChunk10(file, kTypeNameList, 1, 0x18, -1, noNul);
    EXPECT_EQ(f.Open(Put(file)), kErrBadChunk);

    // An older-form record cut short, with no block to fall back on.
    auto cutRecord = OldNameList({{1, "Chair"}});
    cutRecord.resize(cutRecord.size() - 2);
    file = IFF10Header();
    AppendChunk10(file, kTypeNameList, 0, 0x08, -1, cutRecord);
    EXPECT_EQ(f.Open(Put(file)), kErrBadChunk);

    // ... but with a readable block, that block is taken.
    AppendChunk10(file, kTypeNameList, 1, 0x18, -1, NameListBlock({{1, "Chair"}}));
    AppendChunk10(file, kTypeOBJD, 1, 0, 1, Bytes("c"));
    ASSERT_EQ(f.Open(Put(file)), kNoErr);
    EXPECT_EQ(NameOf(f, f.GetResource(kTypeOBJD, 1, nullptr)), "Chair");
    ASSERT_EQ(f.Close(), kNoErr);

    // A name list whose chunk runs past the end of the file.
    file = IFF10Header();
    AppendChunk10(file, kTypeNameList, 1, 0x18, -1, NameListBlock({}), 400);
    EXPECT_EQ(f.Open(Put(file)), kErrRead);
}

TEST_F(IFF10, OpenStartsAllocationsAtTheFirstChunkAgain) {
    // A long file moves the allocation cursor far out.
    auto big = IFF10Header();
    for (int16_t i = 1; i <= 20; ++i) AppendChunk10(big, kTypeOBJD, i, 0, -1, Bytes("0123456789"));
    IFFResFile f;
    ASSERT_EQ(f.Open(Put(big, "big.iff")), kNoErr);
    f.Add(H("appended"), kTypeOBJD, 100, "", true);
    ASSERT_EQ(f.Close(), kNoErr);
    // The next file is shorter than that cursor; its free chunk at 64 fits exactly.
    std::string p = Put(FileWithFreeChunk(16 + 8), "small.iff");
    ASSERT_EQ(f.Open(p), kNoErr);
    f.Add(H("appended"), kTypeOBJD, 100, "", true);
    ASSERT_EQ(f.Close(), kNoErr);
    ASSERT_EQ(f.Open(p), kNoErr);
    EXPECT_EQ(OffsetOf(f, kTypeOBJD, 100), 64);
    ASSERT_EQ(f.Close(), kNoErr);
}

TEST_F(IFF10, CloseReportsAFailedWriteOfAPendingResource) {
    std::string p = Put(SmallFile());
    IFFResFile f;
    ASSERT_EQ(f.Open(p), kNoErr);
    f.Add(H("pending"), kTypeOBJD, 7, "", true);
    FaultInjection::FailNth(FaultInjection::Op::Write, 1, true);
    EXPECT_EQ(f.Close(), kErrShortWrite);
    FaultInjection::Reset();
    EXPECT_FALSE(f.IsOpen());
    ASSERT_EQ(f.Open(p), kNoErr);
    EXPECT_EQ(Text(f.GetResource(kTypeOBJD, 128, nullptr)), "ab");
    ASSERT_EQ(f.Close(), kNoErr);
}

}  // namespace
