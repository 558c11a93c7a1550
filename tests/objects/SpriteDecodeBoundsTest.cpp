// Tests that malformed sprite data is decoded only inside the frame, the images and the data.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "SpriteTestImages.h"
#include "objects/sprites/Spr2Decoder.h"
#include "objects/sprites/Spr2Resource.h"
#include "objects/sprites/SprListDecoder.h"
#include "objects/sprites/SprListResource.h"
#include "objects/sprites/SpriteFormat.h"

using namespace reshaper_test;

namespace {

struct Channels {
    GuardedImage p, z, a;
    uint32_t histogram[256] = {};
    Channels(int32_t w, int32_t h) : p(w, h), z(w, h), a(w, h) {}
    SpriteChannels Out() { return {p.View(), z.View(), a.View(), histogram}; }
    bool Intact() const { return p.GuardsIntact() && z.GuardsIntact() && a.GuardsIntact(); }
};

SpriteDecodeResult DecodeOne(const std::vector<uint8_t>& res, Channels& ch) {
    Spr2Frame frame;
    EXPECT_TRUE(ReadSpr2Frame(ByteReader(res.data(), res.size()), 0, frame));
    return DecodeSpr2Frame(frame, ch.Out(), 1);
}

TEST(SpriteDecodeBounds, RunsAreCutAtTheFramesEdges) {
    std::vector<uint8_t> t;
    PutU16(t, kRunZP | 2);  // before the first row: nothing is written
    PutBytes(t, {9, 9, 9, 9});
    PutU16(t, kNL);
    PutU16(t, kClear | 2);
    PutU16(t, kRunZP | 3);  // one pixel fits, two pass the right edge
    PutBytes(t, {5, 6, 5, 6, 5, 6});
    PutU16(t, kSL | 8000);  // far past the bottom
    PutU16(t, kNL);
    PutU16(t, kRunP | 2);
    PutBytes(t, {8, 8});
    for (int i = 0; i < 2000; ++i) PutU16(t, kClear | 8191);  // columns cannot overflow either
    PutU16(t, kEOS);
    Channels ch(3, 2);
    EXPECT_EQ(DecodeOne(OneFrameSpr2(3, 2, t), ch), SpriteDecodeResult::kOk);
    EXPECT_TRUE(ch.Intact());
    EXPECT_EQ(ch.z.At(0, 2), 5);
    EXPECT_EQ(ch.p.At(0, 2), 6);
    EXPECT_EQ(ch.p.At(1, 0), 1);
    EXPECT_EQ(ch.histogram[6], 1u);
    EXPECT_EQ(ch.histogram[8], 0u);
}

TEST(SpriteDecodeBounds, ImagesSmallerThanTheFrameAreNotOverrun) {
    std::vector<uint8_t> t;
    for (int r = 0; r < 4; ++r) {
        PutU16(t, kNL);
        PutU16(t, kRunZP | 4);
        PutBytes(t, {1, 2, 1, 2, 1, 2, 1, 2});
    }
    PutU16(t, kEOS);
    Channels ch(2, 3);
    EXPECT_EQ(DecodeOne(OneFrameSpr2(4, 4, t), ch), SpriteDecodeResult::kOk);
    EXPECT_TRUE(ch.Intact());
    EXPECT_EQ(ch.p.At(2, 1), 2);
}

TEST(SpriteDecodeBounds, AStreamCutShortStopsAtTheEndOfTheData) {
    std::vector<uint8_t> t;
    PutU16(t, kNL);
    PutU16(t, kRunZPA | 5);
    PutBytes(t, {7, 8, 31, 7, 8, 31, 7});  // two whole pixels and a piece of the third
    Channels ch(5, 1);
    EXPECT_EQ(DecodeOne(OneFrameSpr2(5, 1, t), ch), SpriteDecodeResult::kOk);
    EXPECT_TRUE(ch.Intact());
    EXPECT_EQ(ch.z.At(0, 1), 7);
    EXPECT_EQ(ch.z.At(0, 2), 255);
    EXPECT_EQ(ch.a.At(0, 2), 0);

    t.resize(3);  // half a token word after the row
    Channels ch2(5, 1);
    EXPECT_EQ(DecodeOne(OneFrameSpr2(5, 1, t), ch2), SpriteDecodeResult::kOk);
}

TEST(SpriteDecodeBounds, TheUnusedOpcodeStopsWithBadToken) {
    std::vector<uint8_t> t;
    PutU16(t, kNL);
    PutU16(t, kRunP | 1);
    PutBytes(t, {3, 0});
    PutU16(t, kBadOpcode | 1);
    PutU16(t, kRunP | 1);
    PutBytes(t, {4, 0});
    Channels ch(3, 1);
    EXPECT_EQ(DecodeOne(OneFrameSpr2(3, 1, t), ch), SpriteDecodeResult::kBadToken);
    EXPECT_EQ(ch.p.At(0, 0), 3);
    EXPECT_EQ(ch.p.At(0, 1), 1);
}

TEST(SpriteDecodeBounds, FrameTableEntriesOutsideTheDataAreRefused) {
    auto res = OneFrameSpr2(2, 2, {0x00, 0xA0});
    Spr2Frame frame;
    const ByteReader whole(res.data(), res.size());
    EXPECT_FALSE(ReadSpr2Frame(whole, 1, frame));
    EXPECT_FALSE(ReadSpr2Frame(whole, -1, frame));
    EXPECT_FALSE(ReadSpr2Frame(ByteReader(res.data(), 31), 0, frame));  // frame header cut short
    EXPECT_TRUE(ReadSpr2Frame(ByteReader(res.data(), 32), 0, frame));   // empty token stream is fine
    Channels ch(2, 2);
    EXPECT_EQ(DecodeSpr2Frame(frame, ch.Out(), 1), SpriteDecodeResult::kOk);

    for (uint32_t offset : {0xFFFFFFF0u, 0x7FFFFFFFu, static_cast<uint32_t>(res.size()) - 15}) {
        auto bad = res;
        bad[12] = static_cast<uint8_t>(offset), bad[13] = static_cast<uint8_t>(offset >> 8);
        bad[14] = static_cast<uint8_t>(offset >> 16), bad[15] = static_cast<uint8_t>(offset >> 24);
        EXPECT_FALSE(ReadSpr2Frame(ByteReader(bad.data(), bad.size()), 0, frame)) << offset;
    }

    // A count far beyond the table is limited to the offsets that are there.
    res[4] = 0xFF, res[5] = 0xFF, res[6] = 0xFF, res[7] = 0x7F;
    Spr2Header header;
    ASSERT_TRUE(ReadSpr2Header(ByteReader(res.data(), res.size()), header));
    EXPECT_EQ(header.storedFrameCount, 0x7FFFFFFF);
    EXPECT_EQ(header.frameCount, static_cast<int32_t>((res.size() - 12) / 4));
    res[7] = 0xFF;
    ASSERT_TRUE(ReadSpr2Header(ByteReader(res.data(), res.size()), header));
    EXPECT_EQ(header.frameCount, 0);
    EXPECT_FALSE(ReadSpr2Header(ByteReader(res.data(), 11), header));
}

TEST(SpriteDecodeBounds, RandomStreamsStayInsideBothDecoders) {
    std::mt19937 rng(77);
    for (int round = 0; round < 3000; ++round) {
        const int w = std::uniform_int_distribution<int>(0, 9)(rng);
        const int h = std::uniform_int_distribution<int>(0, 9)(rng);
        std::vector<uint8_t> body(std::uniform_int_distribution<size_t>(0, 80)(rng));
        for (auto& b : body) {
            // Mostly small counts and known opcodes, so that streams get somewhere.
            b = static_cast<uint8_t>(std::uniform_int_distribution<int>(0, 99)(rng) < 70
                                         ? std::uniform_int_distribution<int>(0, 12)(rng)
                                         : std::uniform_int_distribution<int>(0, 255)(rng));
        }
        Channels ch(std::max(w, 1), std::max(h, 1));
        auto res = OneFrameSpr2(static_cast<uint16_t>(w), static_cast<uint16_t>(h), body);
        DecodeOne(res, ch);
        ASSERT_TRUE(ch.Intact()) << round;

        SprListFrame frame;
        frame.width = static_cast<uint16_t>(w);
        frame.height = static_cast<uint16_t>(h);
        frame.commands = ByteReader(body.data(), body.size());
        Channels ch2(std::max(w, 1), std::max(h, 1));
        DecodeSprListFrame(frame, ch2.Out(), 1);
        ASSERT_TRUE(ch2.Intact()) << round;
    }
}

}  // namespace
