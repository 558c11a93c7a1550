// Tests of the SPR# encoder: its command coding, and round trips through the SPR# reader and decoder.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "objects/sprites/SprListDecoder.h"
#include "objects/sprites/SprListEncoder.h"
#include "objects/sprites/SprListResource.h"
#include "objects/sprites/SpriteFormat.h"

namespace {

// A plain top-down image for the encoder.
struct Image {
    int32_t width;
    int32_t height;
    std::vector<uint8_t> pixels;
    Image(int32_t w, int32_t h, uint8_t fill = 255) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}
    uint8_t& At(int32_t r, int32_t c) { return pixels[static_cast<size_t>(r) * width + c]; }
    ChannelView View() { return {pixels.data(), width, width, height}; }
};

// Decodes frame `index` of an assembled resource with background 255, so that empty pixels read back as 255.
Image Decode(const std::vector<uint8_t>& resource, int32_t index, bool* ok) {
    SprListFrame frame;
    *ok = ReadSprListFrame(ByteReader(resource.data(), resource.size()), index, frame);
    Image p(frame.width, frame.height), z(frame.width, frame.height);
    if (*ok && frame.width && frame.height) {
        SpriteChannels out;
        out.p = p.View();
        out.z = z.View();
        *ok = DecodeSprListFrame(frame, out, 255) == SpriteDecodeResult::kOk;
        for (int32_t r = 0; *ok && r < p.height; ++r)
            for (int32_t c = 0; c < p.width; ++c)
                if (z.At(r, c) != (p.At(r, c) == 255 ? 255 : kColorOnlyDepth)) *ok = false;
    }
    return p;
}

TEST(SprListEncoder, CodesRowsAsSkipFillCopyAndSkipRows) {
    Image img(22, 5);
    img.At(1, 2) = 7;
    img.At(1, 3) = 8;
    img.At(1, 4) = 9;
    for (int c = 5; c < 21; ++c) img.At(1, c) = 5;  // 16 equal values: a fill
    img.At(4, 0) = 1;
    std::vector<uint8_t> out;
    ASSERT_TRUE(EncodeSprListFrame(img.View(), out));
    const std::vector<uint8_t> expected = {
        0, 0,  0, 0, 5, 0, 22, 0, 0, 0,  // y 0, x 0, height 5, width 22, unused
        9, 1,                            // row 0 is empty
        4, 0,                            // row 1
        1, 2,                            //   skip 2
        3, 3,  7, 8, 9, 0,               //   copy 3, pad
        2, 16, 5, 0,                     //   fill 16 with 5, pad; the trailing empty pixel is not coded
        9, 2,                            // rows 2 and 3 are empty
        4, 0,                            // row 4
        3, 1,  1, 0,                     //   copy 1, pad
        5, 0,                            // end
    };
    EXPECT_EQ(out, expected);
}

TEST(SprListEncoder, FifteenEqualValuesAreCopiedAndEmptyBottomRowsDropped) {
    Image img(15, 3);
    for (int c = 0; c < 15; ++c) img.At(0, c) = 42;
    std::vector<uint8_t> out;
    ASSERT_TRUE(EncodeSprListFrame(img.View(), out));
    ASSERT_EQ(out.size(), 10u + 2 + 2 + 16 + 2);
    EXPECT_EQ(out[12], kSprListCopy);
    EXPECT_EQ(out[13], 15);
    EXPECT_EQ(out[out.size() - 2], kSprListEnd);

    Image empty(4, 4);
    ASSERT_TRUE(EncodeSprListFrame(empty.View(), out));
    EXPECT_EQ(out, (std::vector<uint8_t>{0, 0, 0, 0, 4, 0, 4, 0, 0, 0, 5, 0}));
}

TEST(SprListEncoder, LongRunsAndWideImagesRoundTripThroughTheDecoder) {
    // Runs, copies and empty row stretches longer than one command can hold.
    Image img(700, 600);
    uint32_t state = 12345;
    auto next = [&] { return state = state * 1664525u + 1013904223u; };
    for (int32_t r = 0; r < img.height; ++r) {
        if (r < 300 || (r >= 320 && r < 590)) continue;  // 300 and 270 empty rows
        for (int32_t c = 0; c < img.width; ++c) {
            const auto random = static_cast<uint8_t>((next() >> 24) % 255);  // never the empty value
            if (c < 20)
                img.At(r, c) = random;
            else if (c < 400)
                img.At(r, c) = (r & 1) ? 255 : static_cast<uint8_t>(r & 0x7F);  // 380 skipped or filled
            else if (c < 690)
                img.At(r, c) = random;  // 290 copied values; the last 10 stay empty
        }
    }
    std::vector<uint8_t> frame, resource;
    ASSERT_TRUE(EncodeSprListFrame(img.View(), frame));
    ASSERT_TRUE(AssembleSprList(9, {frame, frame}, resource));
    bool ok = false;
    Image back = Decode(resource, 1, &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(back.width, img.width);
    ASSERT_EQ(back.height, img.height);
    EXPECT_EQ(back.pixels, img.pixels);
}

TEST(SprListEncoder, AssemblesVersion504WithPaletteAndOffsets) {
    Image a(3, 2, 4), b(2, 2);
    b.At(1, 1) = 6;
    std::vector<uint8_t> fa, fb, resource;
    ASSERT_TRUE(EncodeSprListFrame(a.View(), fa));
    ASSERT_TRUE(EncodeSprListFrame(b.View(), fb));
    ASSERT_TRUE(AssembleSprList(-1, {fa, fb}, resource));
    SprListHeader h;
    ASSERT_TRUE(ReadSprListHeader(ByteReader(resource.data(), resource.size()), h));
    EXPECT_EQ(h.version, kSprListWrittenVersion);
    EXPECT_EQ(h.frameCount, 2);
    EXPECT_EQ(h.paletteId, -1);
    EXPECT_EQ(resource.size(), 12 + 8 + fa.size() + fb.size());
    EXPECT_EQ(resource[12], 20);  // first frame right after the table
    bool ok = false;
    EXPECT_EQ(Decode(resource, 0, &ok).pixels, a.pixels);
    EXPECT_TRUE(ok);
    EXPECT_EQ(Decode(resource, 1, &ok).pixels, b.pixels);
    EXPECT_TRUE(ok);

    EXPECT_FALSE(AssembleSprList(0, {std::vector<uint8_t>(9)}, resource));
    EXPECT_TRUE(resource.empty());
    EXPECT_FALSE(EncodeSprListFrame(ChannelView{}, fa));
}

}  // namespace
