// Writing IFF 2.x files: exact layout, the map written at close, allocation, compaction.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "IFFBuilder.h"
#include "resfile/IFFResFile2.h"
#include "support/TempDir.h"

using namespace reshaper_test;

namespace {

class IFFWrite : public ::testing::Test {
protected:
    TempDir dir;
    std::string Put(const std::vector<uint8_t>& bytes, const std::string& name = "file.iff") {
        std::string p = dir.Join(name);
        EXPECT_TRUE(WriteFileBytes(p, bytes));
        return p;
    }
    static DataHandle* H(const std::string& s) { return NewHandleFrom(s.data(), static_cast<int32_t>(s.size())); }
    static int32_t OffsetOf(IFFResFile2& f, ResType t, int16_t id) {
        for (const auto& g : f.GetMap()->groups)
            if (g.type == t)
                for (const auto& e : g.entries)
                    if (e.id == id) return e.offset;
        return -2;
    }
};

TEST_F(IFFWrite, NewFileFollowsTheLayoutToTheByte) {
    std::string p = dir.Join("new.iff");
    IFFResFile2 f;
    ASSERT_EQ(f.Create(p), kNoErr);
    EXPECT_EQ(ReadFileBytes(p), IFFHeader('2', '5', 0));
    EXPECT_EQ(f.Create(p), kErrFileExists);
    ASSERT_EQ(f.Open(p), kNoErr);
    f.Add(H("abcd"), kTypeOBJD, 128, "Chair", true);
    f.Add(H("xyz"), kTypeSTRList, 129, "", false);
    ASSERT_EQ(f.Close(), kNoErr);

    // Unwritten resources are written from the last type and entry back, so STR# lands first.
    auto expected = IFFHeader('2', '5', 223);
    EXPECT_EQ(AppendChunk(expected, kTypeSTRList, 129, 0x00, "", Bytes("xyz")), 64);
    EXPECT_EQ(AppendChunk(expected, kTypeOBJD, 128, 0x10, "Chair", Bytes("abcd")), 143);
    EXPECT_EQ(AppendChunk(expected, kTypeResMap, 0, 0x10, "",
                          MapPayload(0, {{kTypeOBJD, {{143, 128, 0x10, "Chair"}}}, {kTypeSTRList, {{64, 129, 0, ""}}}})),
              223);
    EXPECT_EQ(ReadFileBytes(p), expected);
}

TEST_F(IFFWrite, Version20BecomesVersion25OnlyWhenChanged) {
    auto v20 = IFFHeader('2', '0', 0);
    AppendChunk(v20, kTypeOBJD, 1, 0, "A", Bytes("1"));
    std::string p = Put(v20);
    IFFResFile2 f;
    ASSERT_EQ(f.Open(p), kNoErr);
    ASSERT_EQ(f.Close(), kNoErr);
    EXPECT_EQ(ReadFileBytes(p), v20);
    ASSERT_EQ(f.Open(p), kNoErr);
    DataHandle* h = f.GetResource(kTypeOBJD, 1, nullptr);
    f.SetInfo(h, 2, "Renamed", 0);
    ASSERT_EQ(f.Close(), kNoErr);
    auto bytes = ReadFileBytes(p);
    EXPECT_EQ(bytes[9], '2');
    EXPECT_EQ(bytes[11], '5');
    ASSERT_EQ(f.Open(p), kNoErr);
    EXPECT_TRUE(f.WasOpenedThroughMap());
    std::string name;
    f.GetName(f.GetResource(kTypeOBJD, 2, nullptr), name);
    EXPECT_EQ(name, "Renamed");
}

TEST_F(IFFWrite, ChangingAResourceFreesTheOldMapAndCountsFreeSpace) {
    auto file = IFFHeader('2', '5', 0);
    int32_t a = AppendChunk(file, kTypeOBJD, 128, 0x10, "Chair", Bytes("abcd"));  // 64, 80 bytes
    int32_t b = AppendChunk(file, kTypeSTRList, 129, 0x10, "Names", Bytes("xyz"));  // 144, 79 bytes
    auto payload = MapPayload(0, {{kTypeOBJD, {{a, 128, 0x10, "Chair"}}}, {kTypeSTRList, {{b, 129, 0x10, "Names"}}}});
    int32_t m = AppendChunk(file, kTypeResMap, 0, 0x10, "", payload);  // 223
    SetMapOffset(file, static_cast<uint32_t>(m));
    const int32_t mapSize = 76 + static_cast<int32_t>(payload.size());
    std::string p = Put(file);

    IFFResFile2 f;
    ASSERT_EQ(f.Open(p), kNoErr);
    DataHandle* h = f.GetResource(kTypeOBJD, 128, nullptr);
    ASSERT_TRUE(h->Resize(10));
    f.Write(h);
    ASSERT_EQ(f.GetError(), kNoErr);
    ASSERT_EQ(f.Close(), kNoErr);

    auto bytes = ReadFileBytes(p);
    uint32_t newMap = (bytes[60] << 24) | (bytes[61] << 16) | (bytes[62] << 8) | bytes[63];
    EXPECT_EQ(newMap, static_cast<uint32_t>(m + mapSize + 86));
    EXPECT_EQ(std::string(bytes.begin() + 64, bytes.begin() + 68), "XXXX");    // old chunk of the resource
    EXPECT_EQ(std::string(bytes.begin() + m, bytes.begin() + m + 4), "XXXX");  // old map
    ASSERT_EQ(f.Open(p), kNoErr);
    EXPECT_TRUE(f.WasOpenedThroughMap());
    EXPECT_EQ(f.GetFreeSpace(), 80 + mapSize);
    EXPECT_EQ(f.GetResource(kTypeOBJD, 128, nullptr)->Size(), 10);
}

TEST_F(IFFWrite, NextFitTakesExactSplitsAt76MoreAndSkipsLess) {
    struct Case {
        int32_t freeSize;
        bool reused;
        int32_t restFree;
    };
    const int32_t s = 76 + 24;
    for (Case c : {Case{s, true, 0}, Case{s + 75, false, s + 75}, Case{s + 76, true, 76}}) {
        auto file = IFFHeader('2', '0', 0);
        AppendFree(file, c.freeSize);
        AppendChunk(file, kTypeOBJD, 1, 0, "A", Bytes("1"));
        std::string p = Put(file);
        IFFResFile2 f;
        ASSERT_EQ(f.Open(p), kNoErr);
        DataHandle* h = NewHandle(24);
        f.Add(h, kTypeBHAV, 5, "", true);
        f.Write(h);
        ASSERT_EQ(f.GetError(), kNoErr);
        EXPECT_EQ(OffsetOf(f, kTypeBHAV, 5) == 64, c.reused) << c.freeSize;
        EXPECT_EQ(f.GetFreeSpace(), c.restFree) << c.freeSize;
        ASSERT_EQ(f.Close(), kNoErr);
        ASSERT_EQ(f.Open(p), kNoErr);
        EXPECT_NE(f.GetResource(kTypeOBJD, 1, nullptr), nullptr);
        EXPECT_EQ(f.GetResource(kTypeBHAV, 5, nullptr)->Size(), 24);
    }
}

TEST_F(IFFWrite, AdjacentFreeChunksMergeAndAppendingCoversACutHeader) {
    auto file = IFFHeader('2', '0', 0);
    AppendFree(file, 80);
    AppendFree(file, 96);
    AppendChunk(file, kTypeOBJD, 1, 0, "A", Bytes("1"));
    file.insert(file.end(), {'S', 'P', 'R', '2', 0, 0});  // a chunk header cut short
    std::string p = Put(file);
    IFFResFile2 f;
    ASSERT_EQ(f.Open(p), kNoErr);
    DataHandle* merged = NewHandle(176 - 76);
    f.Add(merged, kTypeBHAV, 5, "", true);
    f.Write(merged);
    EXPECT_EQ(OffsetOf(f, kTypeBHAV, 5), 64);
    DataHandle* tail = NewHandle(3);
    f.Add(tail, kTypeBHAV, 6, "", true);
    f.Write(tail);
    EXPECT_EQ(OffsetOf(f, kTypeBHAV, 6), 64 + 176 + 77);
    ASSERT_EQ(f.Close(), kNoErr);
}

TEST_F(IFFWrite, CompactionRunsAt10240FreeBytesAndNotBelow) {
    for (int32_t freed : {10240, 10239}) {
        // A version 2.0 file has no map chunk whose freeing would add to the count.
        auto file = IFFHeader('2', '0', 0);
        AppendChunk(file, kTypeOBJD, 2, 0x10, "keep", Bytes("keep"));
        AppendChunk(file, kTypeOBJD, 1, 0x10, "big", std::vector<uint8_t>(freed - 76, 1));
        std::string p = Put(file, "c" + std::to_string(freed) + ".iff");
        IFFResFile2 f;
        ASSERT_EQ(f.Open(p), kNoErr);
        f.Delete(f.GetResource(kTypeOBJD, 1, nullptr));
        ASSERT_EQ(f.GetFreeSpace(), freed);
        ASSERT_EQ(f.Close(), kNoErr);
        auto bytes = ReadFileBytes(p);
        ASSERT_EQ(f.Open(p), kNoErr);
        if (freed == 10240) {
            EXPECT_EQ(std::string(bytes.begin() + 64, bytes.begin() + 68), "OBJD");
            EXPECT_LT(bytes.size(), 1000u);
            EXPECT_EQ(f.GetFreeSpace(), 0);
        } else {
            EXPECT_GT(bytes.size(), 10239u);
            EXPECT_GT(f.GetFreeSpace(), 0);
        }
        DataHandle* keep = f.GetResource(kTypeOBJD, 2, nullptr);
        ASSERT_NE(keep, nullptr);
        EXPECT_EQ(std::string(keep->bytes.begin(), keep->bytes.end()), "keep");
        f.Close();
    }
}

TEST_F(IFFWrite, AddedResourceIsNotLostAtClose) {
    // A freshly created file: nothing but an Add happened before Close.
    std::string p = dir.Join("added.iff");
    IFFResFile2 f;
    ASSERT_EQ(f.Create(p), kNoErr);
    ASSERT_EQ(f.Open(p), kNoErr);
    f.Add(H("only"), kTypeBHAV, 3, "", true);
    EXPECT_FALSE(f.IsModified());
    ASSERT_EQ(f.Close(), kNoErr);
    ASSERT_EQ(f.Open(p), kNoErr);
    ASSERT_NE(f.GetResource(kTypeBHAV, 3, nullptr), nullptr);
}

TEST_F(IFFWrite, ReadOnlyFilesAreNeverWritten) {
    auto file = IFFHeader('2', '0', 0);
    AppendChunk(file, kTypeOBJD, 1, 0, "A", Bytes("1"));
    std::string p = Put(file);
    ASSERT_EQ(chmod(p.c_str(), 0444), 0);
    if (access(p.c_str(), W_OK) == 0) GTEST_SKIP() << "running with rights that ignore file modes";
    IFFResFile2 f;
    ASSERT_EQ(f.Open(p), kNoErr);
    EXPECT_FALSE(f.IsWritable());
    DataHandle* h = f.GetResource(kTypeOBJD, 1, nullptr);
    f.Write(h);
    EXPECT_EQ(f.GetError(), kErrNotWritable);
    DataHandle* extra = H("x");
    f.Add(extra, kTypeBHAV, 1, "", true);
    EXPECT_EQ(f.GetError(), kErrNotWritable);
    FreeHandle(extra);
    f.Delete(h);
    EXPECT_EQ(f.GetError(), kErrNotWritable);
    EXPECT_EQ(f.Close(), kNoErr);
    EXPECT_EQ(ReadFileBytes(p), file);
}

}  // namespace
