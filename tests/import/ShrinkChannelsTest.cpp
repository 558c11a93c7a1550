// Tests of the smaller zooms' block rules for colour, depth and alpha, with blocks cut at the source's edge.
#include <gtest/gtest.h>

#include "import/ColorQuantizer.h"
#include "import/GenerateChannels.h"
#include "import/ShrinkChannels.h"
#include "platform/GreyRamp.h"

namespace {

std::unique_ptr<Bitmap8> From(int32_t w, int32_t h, std::initializer_list<uint8_t> values) {
    auto b = Bitmap8::Create(w, h, GreyRampTable());
    auto it = values.begin();
    for (int32_t r = 0; r < h; ++r)
        for (int32_t c = 0; c < w; ++c) b->GetRow(r)[c] = *it++;
    return b;
}

TEST(ShrinkAlpha, AverageWithSmoothEdgesLargestWithout) {
    auto a = From(2, 2, {0, 0, 255, 255});
    EXPECT_EQ(ShrinkAlphaChannel(*a, 1, 1, 1, true)->GetRow(0)[0], 127);
    EXPECT_EQ(ShrinkAlphaChannel(*a, 1, 1, 1, false)->GetRow(0)[0], 255);
}

TEST(ShrinkDepth, MostFrequentNonEmptyLowestOnTies) {
    auto z = From(4, 2, {255, 40, 30, 30,  //
                         40, 255, 40, 30});
    auto out = ShrinkDepthChannel(*z, 1, 2, 1);
    EXPECT_EQ(out->GetRow(0)[0], 40);
    EXPECT_EQ(out->GetRow(0)[1], 30);
    auto tie = From(2, 2, {50, 20, 20, 50});
    EXPECT_EQ(ShrinkDepthChannel(*tie, 1, 1, 1)->GetRow(0)[0], 20);
    auto empty = From(2, 2, {255, 255, 255, 255});
    EXPECT_EQ(ShrinkDepthChannel(*empty, 1, 1, 1)->GetRow(0)[0], 255);
}

TEST(ShrinkColor, SharpTakesTheMostFrequentNonBackground) {
    ColorQuantizer q;
    PaletteColor palette[256] = {};
    // Background 0 in the corner; blocks: {0, 3, 3, 2} and {0, 0, 0, 0}; a 1 x 1 degenerate output past the edge.
    auto p = From(4, 2, {0, 3, 0, 0,  //
                         3, 2, 0, 0});
    auto out = ShrinkColorChannel(*p, 1, 2, 1, false, palette, q);
    EXPECT_EQ(out->GetRow(0)[0], 3);
    EXPECT_EQ(out->GetRow(0)[1], 0);
    auto big = ShrinkColorChannel(*p, 3, 0, 0, false, palette, q);  // one block covering everything
    ASSERT_EQ(big->GetWidth(), 1);
    EXPECT_EQ(big->GetRow(0)[0], 3);
}

TEST(ShrinkColor, SmoothAveragesColoursAndCarriesTheError) {
    ColorQuantizer q;
    PaletteColor palette[256];
    for (int i = 0; i < 256; ++i) palette[i] = PaletteColor{0, 0, 0, 0};
    palette[1] = PaletteColor{200, 0, 0, 0};
    palette[2] = PaletteColor{0, 0, 200, 0};
    palette[3] = PaletteColor{100, 0, 100, 0};
    palette[4] = PaletteColor{255, 255, 255, 0};  // background colour, index 4
    // Row of blocks: [1 1 2 2] averages to (100, 0, 100) = entry 3; then a background block, then [1 1 1 1].
    auto p = From(6, 2, {4, 1, 4, 4, 1, 1,  //
                         2, 2, 4, 4, 1, 1});
    auto out = ShrinkColorChannel(*p, 1, 3, 1, true, palette, q);
    // The first block holds 1, 2, 2 (the corner is background): mean (66, 0, 133).
    const uint8_t first = out->GetRow(0)[0];
    EXPECT_TRUE(first == 2 || first == 3) << int(first);
    // A block of background gives the last colour met so far, and the next block starts without error.
    EXPECT_EQ(out->GetRow(0)[1], 2);
    EXPECT_EQ(out->GetRow(0)[2], 1);
}

}  // namespace
