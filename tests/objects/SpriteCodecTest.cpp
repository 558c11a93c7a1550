// Tests of the SPR2 codec as a whole: random frames encoded, assembled into a sprite, decoded back.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "SpriteTestImages.h"
#include "objects/Spr2Assembler.h"
#include "objects/Spr2Decoder.h"
#include "objects/Spr2Encoder.h"
#include "objects/Spr2Resource.h"
#include "objects/SpriteFormat.h"
#include "platform/Bitmap8.h"

using namespace reshaper_test;

namespace {

struct SourceFrame {
    std::unique_ptr<Bitmap8> p, z, a;
    Rect bounds;
    Point start;
};

// A random image with random content, and a random area of it placed at a random position.
SourceFrame RandomFrame(std::mt19937& rng) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const int w = pick(1, 48), h = pick(1, 48);
    SourceFrame f;
    f.p = Bitmap8::Create(w, h, nullptr);
    f.z = Bitmap8::Create(w, h, nullptr);
    f.a = Bitmap8::Create(w, h, nullptr);
    const int emptyPercent = pick(0, 100);
    for (int r = 0; r < h; ++r) {
        const bool emptyRow = pick(0, 99) < 25;
        for (int c = 0; c < w; ++c) {
            const bool empty = emptyRow || pick(0, 99) < emptyPercent;
            f.p->GetRow(r)[c] = static_cast<uint8_t>(pick(0, 255));
            f.z->GetRow(r)[c] = empty ? 255 : static_cast<uint8_t>(pick(0, 254));
            const int kind = pick(0, 9);
            f.a->GetRow(r)[c] = static_cast<uint8_t>(kind < 4   ? 255
                                                     : kind < 6 ? pick(248, 255)
                                                     : kind < 7 ? 0
                                                                : pick(0, 255));
        }
    }
    const int fw = pick(0, w), fh = pick(0, h);
    f.start = Point{static_cast<int16_t>(pick(0, h - fh)), static_cast<int16_t>(pick(0, w - fw))};
    const int y = pick(-100, 100), x = pick(-100, 100);
    f.bounds = Rect{static_cast<int16_t>(y), static_cast<int16_t>(x), static_cast<int16_t>(y + fh),
                    static_cast<int16_t>(x + fw)};
    return f;
}

TEST(SpriteCodec, RandomFramesComeBackThroughASprite) {
    std::mt19937 rng(20240611);
    for (int sprite = 0; sprite < 40; ++sprite) {
        std::vector<SourceFrame> sources;
        std::vector<std::vector<uint8_t>> encoded;
        const int frames = std::uniform_int_distribution<int>(1, 12)(rng);
        for (int i = 0; i < frames; ++i) {
            sources.push_back(RandomFrame(rng));
            SourceFrame& s = sources.back();
            std::vector<uint8_t> out;
            ASSERT_EQ(EncodeSpr2Frame(ViewOf(*s.p), ViewOf(*s.z), ViewOf(*s.a), s.bounds, s.start, 5, out),
                      Spr2EncodeResult::kOk);
            encoded.push_back(out);
        }
        std::vector<uint8_t> resource;
        ASSERT_TRUE(AssembleSpr2(300 + sprite, encoded, 48 * frames, resource));

        const ByteReader data(resource.data(), resource.size());
        Spr2Header header;
        ASSERT_TRUE(ReadSpr2Header(data, header));
        EXPECT_EQ(header.version, 1000);
        EXPECT_EQ(header.frameCount, frames);
        EXPECT_EQ(header.paletteId, 300 + sprite);
        for (int i = 0; i < frames; ++i) {
            const SourceFrame& s = sources[static_cast<size_t>(i)];
            Spr2Frame frame;
            ASSERT_TRUE(ReadSpr2Frame(data, i, frame));
            const bool empty = IsRectEmpty(s.bounds);
            ASSERT_EQ(frame.width, empty ? 0 : s.bounds.Width());
            ASSERT_EQ(frame.height, empty ? 0 : s.bounds.Height());
            EXPECT_EQ(frame.x, empty ? 0 : s.bounds.left);
            EXPECT_EQ(frame.y, empty ? 0 : s.bounds.top);
            EXPECT_EQ(frame.flags, 7u);
            EXPECT_EQ(frame.paletteId, 300 + sprite);
            EXPECT_EQ(frame.clearColor, s.p->GetTopRow()[0]);
            if (frame.IsEmpty()) continue;

            auto p = Bitmap8::Create(frame.width, frame.height, nullptr);
            auto z = Bitmap8::Create(frame.width, frame.height, nullptr);
            auto a = Bitmap8::Create(frame.width, frame.height, nullptr);
            SpriteChannels out{ViewOf(*p), ViewOf(*z), ViewOf(*a)};
            ASSERT_EQ(DecodeSpr2Frame(frame, out, 200), SpriteDecodeResult::kOk);

            const int opaque = (255 - s.a->GetTopRow()[0]) >> 3;
            for (int r = 0; r < frame.height; ++r) {
                for (int c = 0; c < frame.width; ++c) {
                    const int sr = s.start.row + r, sc = s.start.column + c;
                    const uint8_t sz = s.z->GetRow(sr)[sc];
                    SCOPED_TRACE(testing::Message()
                                 << "sprite " << sprite << " frame " << i << " at " << r << "," << c);
                    if (sz == 255) {
                        ASSERT_EQ(z->GetRow(r)[c], 255);
                        ASSERT_EQ(p->GetRow(r)[c], 200);
                        ASSERT_EQ(a->GetRow(r)[c], 0);
                        continue;
                    }
                    const int alpha = s.a->GetRow(sr)[sc] >> 3;
                    ASSERT_EQ(z->GetRow(r)[c], sz);
                    ASSERT_EQ(p->GetRow(r)[c], s.p->GetRow(sr)[sc]);
                    ASSERT_EQ(a->GetRow(r)[c], alpha == opaque ? 255 : alpha << 3);
                }
            }
        }
    }
}

TEST(SpriteCodec, AssemblerLaysOutTheTableAndPlacesFrames) {
    std::vector<uint8_t> frame(18, 0);
    frame[16] = 0x00;
    frame[17] = 0xA0;
    std::vector<uint8_t> out;
    ASSERT_TRUE(AssembleSpr2(-1, {frame, frame}, -1, out));
    ASSERT_EQ(out.size(), 20u + 36u);
    EXPECT_EQ(out[12], 20);  // first frame right after the table
    EXPECT_EQ(out[16], 38);
    EXPECT_EQ(out[20 + 8], 0xFF);  // palette id -1 in the frame too
    EXPECT_EQ(out[20 + 9], 0xFF);

    ASSERT_TRUE(AssembleSpr2(5, {frame, frame}, 96, out));
    EXPECT_EQ(out.size(), 96u + 36u);
    EXPECT_EQ(out[12], 96);
    EXPECT_EQ(out[20], 0);  // the gap is zero

    ASSERT_TRUE(AssembleSpr2(5, {}, 0, out));
    EXPECT_EQ(out, (std::vector<uint8_t>{0xE8, 0x03, 0, 0, 0, 0, 0, 0, 5, 0, 0, 0}));
    EXPECT_FALSE(AssembleSpr2(5, {frame}, 15, out));                     // inside the table
    EXPECT_FALSE(AssembleSpr2(5, {std::vector<uint8_t>(15)}, -1, out));  // no room for a frame header
    EXPECT_TRUE(out.empty());
}

TEST(SpriteDecode, TokenKindsFillTheirChannels) {
    std::vector<uint8_t> t;
    PutU16(t, kNL | 14);
    PutU16(t, kRunP | 3);
    PutBytes(t, {4, 5, 6, 0});  // three P bytes and a pad
    PutU16(t, kClear | 1);
    PutU16(t, kRunZPA | 1);
    PutBytes(t, {20, 8, 31, 0});  // alpha 31 widens to 248
    PutU16(t, kNL | 0);           // row lengths are not needed for decoding
    PutU16(t, kRunZP | 2);
    PutBytes(t, {1, 9, 2, 9});
    PutU16(t, kEOS);
    PutU16(t, kRunP | 1);  // after the end: ignored
    PutBytes(t, {77, 0});
    const auto res = OneFrameSpr2(6, 3, t);
    Spr2Frame frame;
    ASSERT_TRUE(ReadSpr2Frame(ByteReader(res.data(), res.size()), 0, frame));

    GuardedImage p(6, 3), z(6, 3), a(6, 3);
    uint32_t histogram[256] = {};
    SpriteChannels out{p.View(), z.View(), a.View(), histogram};
    ASSERT_EQ(DecodeSpr2Frame(frame, out, 99), SpriteDecodeResult::kOk);
    const uint8_t wantP[3][6] = {{4, 5, 6, 99, 8, 99}, {9, 9, 99, 99, 99, 99}, {99, 99, 99, 99, 99, 99}};
    const uint8_t wantZ[3][6] = {
        {128, 128, 128, 255, 20, 255}, {1, 2, 255, 255, 255, 255}, {255, 255, 255, 255, 255, 255}};
    const uint8_t wantA[3][6] = {{255, 255, 255, 0, 248, 0}, {255, 255, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 6; ++c) {
            EXPECT_EQ(p.At(r, c), wantP[r][c]) << r << "," << c;
            EXPECT_EQ(z.At(r, c), wantZ[r][c]) << r << "," << c;
            EXPECT_EQ(a.At(r, c), wantA[r][c]) << r << "," << c;
        }
    }
    EXPECT_EQ(histogram[9], 2u);
    EXPECT_EQ(histogram[4], 1u);
    EXPECT_EQ(histogram[99], 0u);
    EXPECT_EQ(histogram[77], 0u);
}

TEST(SpriteDecode, FramePaletteFallsBackToTheSpritesAndChannelsMayBeLeftOut) {
    std::vector<uint8_t> t;
    PutU16(t, kNL | 6);
    PutU16(t, kRunZP | 1);
    PutBytes(t, {3, 4});
    PutU16(t, kEOS);
    auto res = OneFrameSpr2(1, 1, t, -1, 42);
    const ByteReader data(res.data(), res.size());
    Spr2Header header;
    Spr2Frame frame;
    ASSERT_TRUE(ReadSpr2Header(data, header));
    ASSERT_TRUE(ReadSpr2Frame(data, 0, frame));
    EXPECT_EQ(GetSpr2FramePaletteId(header, frame), 42);
    EXPECT_TRUE(frame.IsDegenerate());

    GuardedImage z(1, 1);
    SpriteChannels onlyZ;
    onlyZ.z = z.View();
    EXPECT_EQ(DecodeSpr2Frame(frame, onlyZ, 0), SpriteDecodeResult::kOk);
    EXPECT_EQ(z.At(0, 0), 3);

    res = OneFrameSpr2(1, 1, t, 12, 42);
    ASSERT_TRUE(ReadSpr2Frame(ByteReader(res.data(), res.size()), 0, frame));
    EXPECT_EQ(GetSpr2FramePaletteId(header, frame), 12);
}

}  // namespace
