// Tests of the SPR2 codec as a whole: random frames encoded, assembled into a sprite, decoded back.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "SpriteTestImages.h"
#include "objects/sprites/Spr2Assembler.h"
#include "objects/sprites/Spr2Decoder.h"
#include "objects/sprites/Spr2Encoder.h"
#include "objects/sprites/Spr2Resource.h"
#include "objects/sprites/SpriteFormat.h"
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

// A sprite in the 1001 layout: palette id before the count, frames one after another, each with its size.
constexpr uint8_t kSequentialSprite[] = {
    0xE9, 0x03, 0, 0,  // version 1001
    42, 0, 0, 0,       // palette id 42
    2, 0, 0, 0,        // 2 frames
    // Frame 0: version, 38 bytes, then a 3 x 2 frame at (4, 5).
    0xE9, 0x03, 0, 0, 38, 0, 0, 0,
    3, 0, 2, 0,                          // width 3, height 2
    7, 0, 0, 0,                          // colour, depth and alpha
    0xFF, 0xFF, 0, 0,                    // palette id -1 (the sprite's), clear colour 0
    5, 0, 4, 0,                          // y 5, x 4
    0x0E, 0x00,                          // kNL: a row of 14 bytes
    0x02, 0x20, 10, 1, 11, 2,            // kRunZP 2: (Z 10, P 1), (Z 11, P 2)
    0x01, 0x40, 12, 3, 20, 0xB0,         // kRunZPA 1: Z 12, P 3, alpha 20, pad
    0x04, 0x00, 0x01, 0xC0, 9, 0xB0,     // kNL, then kRunP 1: P 9, pad
    0x00, 0xA0,                          // kEOS
    // Frame 1: version, 26 bytes, then a 2 x 1 frame that names palette 43.
    0xE9, 0x03, 0, 0, 26, 0, 0, 0,
    2, 0, 1, 0, 7, 0, 0, 0, 43, 0, 0, 0, 0, 0, 0, 0,
    0x08, 0x00, 0x02, 0x20, 20, 4, 21, 5,  // kNL 8, kRunZP 2
    0x00, 0xA0,                            // kEOS
};
static_assert(sizeof kSequentialSprite == 12 + 8 + 38 + 8 + 26);

struct DecodedChannels {
    std::unique_ptr<Bitmap8> p, z, a;
};

DecodedChannels DecodeFrame(const Spr2Frame& frame) {
    DecodedChannels d{Bitmap8::Create(frame.width, frame.height, nullptr),
                      Bitmap8::Create(frame.width, frame.height, nullptr),
                      Bitmap8::Create(frame.width, frame.height, nullptr)};
    SpriteChannels out{ViewOf(*d.p), ViewOf(*d.z), ViewOf(*d.a)};
    EXPECT_EQ(DecodeSpr2Frame(frame, out, 99), SpriteDecodeResult::kOk);
    return d;
}

std::vector<uint8_t> Pixels(const Bitmap8& b) {
    std::vector<uint8_t> out;
    for (int32_t r = 0; r < b.GetHeight(); ++r) out.insert(out.end(), b.GetRow(r), b.GetRow(r) + b.GetWidth());
    return out;
}

TEST(SpriteDecode, TheSecondLayoutReadsAsItsTableTwin) {
    const std::vector<uint8_t> sequential(std::begin(kSequentialSprite), std::end(kSequentialSprite));
    const auto frameBytes = [&](size_t at, size_t size) {
        return std::vector<uint8_t>(sequential.begin() + static_cast<ptrdiff_t>(at),
                                    sequential.begin() + static_cast<ptrdiff_t>(at + size));
    };
    // The twin keeps each frame's own palette id: patch the assembler's choice back.
    std::vector<uint8_t> twin;
    ASSERT_TRUE(AssembleSpr2(42, {frameBytes(20, 38), frameBytes(66, 26)}, -1, twin));
    twin[20 + 8] = 0xFF, twin[20 + 9] = 0xFF, twin[58 + 8] = 43, twin[58 + 9] = 0;

    const ByteReader a(sequential.data(), sequential.size()), b(twin.data(), twin.size());
    Spr2Header ha, hb;
    ASSERT_TRUE(ReadSpr2Header(a, ha));
    ASSERT_TRUE(ReadSpr2Header(b, hb));
    EXPECT_TRUE(ha.sequential);
    EXPECT_FALSE(hb.sequential);
    EXPECT_EQ(ha.frameCount, 2);
    EXPECT_EQ(ha.paletteId, 42);
    EXPECT_EQ(hb.paletteId, 42);
    for (int32_t i = 0; i < 2; ++i) {
        Spr2Frame fa, fb;
        ASSERT_TRUE(ReadSpr2Frame(a, i, fa));
        ASSERT_TRUE(ReadSpr2Frame(b, i, fb));
        EXPECT_EQ(std::tie(fa.width, fa.height, fa.x, fa.y, fa.flags),
                  std::tie(fb.width, fb.height, fb.x, fb.y, fb.flags));
        EXPECT_EQ(GetSpr2FramePaletteId(ha, fa), i == 0 ? 42 : 43);
        EXPECT_EQ(fa.tokens.GetSize(), i == 0 ? 22u : 10u);  // the stream ends with the frame's own bytes
        const DecodedChannels da = DecodeFrame(fa), db = DecodeFrame(fb);
        EXPECT_EQ(Pixels(*da.p), Pixels(*db.p)) << i;
        EXPECT_EQ(Pixels(*da.z), Pixels(*db.z)) << i;
        EXPECT_EQ(Pixels(*da.a), Pixels(*db.a)) << i;
        if (i == 0) {
            EXPECT_EQ(Pixels(*da.p), (std::vector<uint8_t>{1, 2, 3, 9, 99, 99}));
            EXPECT_EQ(Pixels(*da.z), (std::vector<uint8_t>{10, 11, 12, 128, 255, 255}));
            EXPECT_EQ(Pixels(*da.a), (std::vector<uint8_t>{255, 255, 160, 255, 0, 0}));
        }
    }

    // A last frame cut short ends the sprite at the frame before it; so does a size that is negative.
    for (size_t cut : {size_t{1}, size_t{26}}) {
        const ByteReader shorter(sequential.data(), sequential.size() - cut);
        ASSERT_TRUE(ReadSpr2Header(shorter, ha));
        EXPECT_EQ(ha.storedFrameCount, 2);
        EXPECT_EQ(ha.frameCount, 1);
        Spr2Frame f;
        EXPECT_TRUE(ReadSpr2Frame(shorter, 0, f));
        EXPECT_FALSE(ReadSpr2Frame(shorter, 1, f));
    }
    std::vector<uint8_t> negative = sequential;
    negative[62] = 0xFF, negative[63] = 0xFF, negative[64] = 0xFF, negative[65] = 0xFF;
    ASSERT_TRUE(ReadSpr2Header(ByteReader(negative.data(), negative.size()), ha));
    EXPECT_EQ(ha.frameCount, 1);
    // A frame too short for its header counts but cannot be read; any other version is the table layout.
    std::vector<uint8_t> tiny = sequential;
    tiny[62] = 4;
    ASSERT_TRUE(ReadSpr2Header(ByteReader(tiny.data(), tiny.size()), ha));
    EXPECT_EQ(ha.frameCount, 2);
    Spr2Frame f;
    EXPECT_FALSE(ReadSpr2Frame(ByteReader(tiny.data(), tiny.size()), 1, f));
    std::vector<uint8_t> other = sequential;
    other[0] = 0xEA;  // 1002
    ASSERT_TRUE(ReadSpr2Header(ByteReader(other.data(), other.size()), ha));
    EXPECT_FALSE(ha.sequential);
    EXPECT_EQ(ha.paletteId, 2);
    EXPECT_EQ(ha.storedFrameCount, 42);
}

}  // namespace
