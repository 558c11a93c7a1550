// The serialisation stream and data blocks: padding, byte order, bounds and the two-pass write.
#include <gtest/gtest.h>

#include "IFFBuilder.h"
#include "resfile/IFFResFile2.h"
#include "resfile/IFFResMap.h"
#include "resfile/ReconBlock.h"
#include "support/TempDir.h"

using namespace reshaper_test;

namespace {

struct Sample {
    int32_t number = 0;
    int16_t small = 0;
    BoundedString text{8};
    std::vector<int32_t> list;
    void Reconstitute(ReconStream& s, int32_t) {
        s.Longs(&number, 1);
        s.Shorts(&small, 1);
        s.String(text);
        int32_t n = s.Count(static_cast<int32_t>(list.size()), 4);
        if (s.IsReading()) list.resize(static_cast<size_t>(n));
        if (n) s.Longs(list.data(), n);
    }
};

TEST(ReconStream, StringsArePaddedToEvenPositions) {
    for (auto [text, bytes] : {std::pair<std::string, int>{"", 2}, {"a", 2}, {"ab", 4}, {"abc", 4}}) {
        BoundedString s(text, 64);
        ReconStream counter;
        counter.String(s);
        EXPECT_EQ(counter.GetPosition(), bytes) << text;
    }
}

TEST(ReconStream, EmptyObjectMakesATwelveByteBlock) {
    ReconObject empty;
    DataHandle* h = SerializeToHandle(empty, 7);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->Size(), 12);
    EXPECT_EQ(h->bytes, (std::vector<uint8_t>{0, 0, 0, 0, 7, 0, 0, 0, 'n', 'o', 'c', 'R'}));
    FreeHandle(h);
}

TEST(ReconStream, RoundTripLeavesFillInThePadByte) {
    Sample in;
    in.number = -5;
    in.small = 0x1234;
    in.text = "ab";
    in.list = {1, 2};
    SimpleReconObject<Sample> obj(&in, kTypeDGRP);
    DataHandle* h = SerializeToHandle(obj, 20004);
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(h->Size(), 12 + 4 + 2 + 4 + 4 + 8);
    EXPECT_EQ(h->bytes[12 + 6 + 3], kHandleFillByte);  // pad after "ab\0"
    Sample out;
    SimpleReconObject<Sample> back(&out, kTypeDGRP);
    int32_t version = 0;
    ASSERT_TRUE(ReconstituteFromHandle(back, *h, &version));
    EXPECT_EQ(version, 20004);
    EXPECT_EQ(out.number, -5);
    EXPECT_EQ(out.small, 0x1234);
    EXPECT_EQ(out.text.Str(), "ab");
    EXPECT_EQ(out.list, in.list);
    FreeHandle(h);
}

TEST(ReconStream, BigEndianBlocksSwapAfterTheFixup) {
    // Marker 0 and header values big-endian as a big-endian host wrote them; payload 00 00 00 05.
    std::vector<uint8_t> block = {0, 0, 0, 0, 0, 0, 0, 3, 'D', 'G', 'R', 'P', 0, 0, 0, 5};
    ReconFixup(block.data(), static_cast<int32_t>(block.size()));
    EXPECT_EQ(block[0], 1);
    DataHandle h;
    h.bytes = block;
    struct One {
        int32_t v = 0;
        void Reconstitute(ReconStream& s, int32_t) { s.Longs(&v, 1); }
    } one;
    SimpleReconObject<One> obj(&one, kTypeDGRP);
    int32_t version = 0;
    ASSERT_TRUE(ReconstituteFromHandle(obj, h, &version));
    EXPECT_EQ(version, 3);
    EXPECT_EQ(one.v, 5);
}

TEST(ReconStream, ReadsStopAtTheEndOfTheData) {
    // A list count of 1000 with four bytes behind it, and a text without a terminator.
    std::vector<uint8_t> data;
    PutLE32(data, 9);
    PutLE16(data, 1);
    data.insert(data.end(), {'h', 'i', 0, 0});
    PutLE32(data, 1000);
    PutLE32(data, 1);
    ReconStream s(data.data(), static_cast<int32_t>(data.size()), ReconStream::kRead, false);
    Sample out;
    out.Reconstitute(s, 0);
    EXPECT_TRUE(s.HasFailed());
    EXPECT_TRUE(out.list.empty());

    std::vector<uint8_t> unterminated = {'a', 'b', 'c'};
    ReconStream t(unterminated.data(), 3, ReconStream::kRead, false);
    BoundedString str(64);
    t.String(str);
    EXPECT_TRUE(t.HasFailed());
}

TEST(ReconStream, LongStoredTextIsCutButSkippedWhole) {
    std::vector<uint8_t> data = {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j', 0, 0xA3};
    PutLE32(data, 42);
    ReconStream s(data.data(), static_cast<int32_t>(data.size()), ReconStream::kRead, false);
    BoundedString small(4);
    s.String(small);
    int32_t after = 0;
    s.Longs(&after, 1);
    EXPECT_FALSE(s.HasFailed());
    EXPECT_EQ(small.Str(), "abc");
    EXPECT_EQ(after, 42);
}

TEST(ReconStream, SaveAndLoadThroughAResourceFile) {
    TempDir dir;
    std::string p = dir.Join("recon.iff");
    IFFResFile2 f;
    ASSERT_EQ(f.Create(p), kNoErr);
    ASSERT_EQ(f.Open(p), kNoErr);
    Sample in;
    in.number = 77;
    in.text = "name";
    SimpleReconObject<Sample> obj(&in, kTypeDGRP);
    ASSERT_EQ(SaveReconObject(obj, 1, f, 200), kNoErr);
    Sample out;
    SimpleReconObject<Sample> back(&out, kTypeDGRP);
    int32_t version = 0;
    ASSERT_EQ(LoadReconObject(back, f, 200, &version), kNoErr);
    EXPECT_EQ(out.number, 77);
    EXPECT_EQ(version, 1);
    EXPECT_EQ(LoadReconObject(back, f, 201, nullptr), kErrNotFound);
    EXPECT_EQ(f.Close(), kNoErr);
}

// The map read on every open goes through the inline reader; it must decode every block, whole, cut short
// (the last name's pad byte too) or read with the other byte order, exactly as the stream does.
TEST(ReconStream, TheInlineReaderDecodesMapsAsTheStreamDoes) {
    IFFResMap map;
    map.freeSpace = 300;
    for (auto [type, name] : {std::pair<ResType, std::string>{kTypeOBJD, "odd"}, {kTypeOBJD, "even"},
                              {kTypeBHAV, std::string(70, 'x')}, {kTypeBHAV, ""}}) {
        IFFResMapEntry& e = map.GetOrAddGroup(type).entries.emplace_back();
        e.offset = 64 + 100 * static_cast<int32_t>(map.groups.size() + name.size());
        e.id = static_cast<int16_t>(name.size());
        e.flags = e.storedFlags = 0x0310;
        e.name = name;
    }
    SimpleReconObject<IFFResMap> object(&map, kTypeResMap);
    HandleOwner block(SerializeToHandle(object, 0));
    ASSERT_TRUE(block);
    auto describe = [](const IFFResMap& m) {
        std::string out = std::to_string(m.freeSpace);
        for (const auto& g : m.groups)
            for (const auto& e : g.entries)
                out += "|" + std::to_string(g.type) + "," + std::to_string(e.offset) + "," + std::to_string(e.id) + "," +
                       std::to_string(e.flags) + "," + e.name.Str();
        return out;
    };
    for (uint8_t marker : {0, 1}) {
        std::vector<uint8_t> bytes = block->bytes;
        bytes[0] = marker;
        for (size_t size = 0; size <= bytes.size(); ++size) {
            IFFResMap byStream, byReader;
            SimpleReconObject<IFFResMap> target(&byStream, kTypeResMap);
            const int32_t n = static_cast<int32_t>(size);
            const bool streamRead = ReconstituteFromBytes(target, bytes.data(), n, nullptr);
            EXPECT_EQ(ReadReconPayload(byReader, bytes.data(), n, nullptr), streamRead) << size;
            EXPECT_EQ(describe(byReader), describe(byStream)) << size;
            // The last name is followed by its pad byte only: a block that leaves it off still reads whole.
            if (marker == 0 && size + 1 >= bytes.size()) {
                EXPECT_TRUE(streamRead) << size;
                EXPECT_EQ(describe(byReader), describe(map)) << size;
            }
        }
    }
}

}  // namespace
