// The export's small algorithms where the exporter tests cannot reach every case: the transparent index's ties
// and a frame hanging over the canvas on every side.
#include <gtest/gtest.h>

#include "export/ChooseTransparentIndex.h"
#include "export/ExpandToCanvas.h"

namespace {

TEST(ChooseTransparentIndex, LeastUsedThenNearestToYellowThenHighest) {
    uint32_t counts[256];
    PaletteColor palette[256] = {};
    for (int i = 0; i < 256; ++i) counts[i] = 10;
    counts[3] = 2;
    counts[200] = 2;
    palette[3] = {250, 250, 0, 0};
    EXPECT_EQ(ChooseTransparentIndex(counts, palette), 3);  // equally used: 3 is nearer to yellow
    palette[200] = {250, 250, 0, 0};
    EXPECT_EQ(ChooseTransparentIndex(counts, palette), 200);  // equally near: the higher index
    counts[17] = 0;
    EXPECT_EQ(ChooseTransparentIndex(counts, palette), 17);  // unused beats everything
    for (int i = 0; i < 256; ++i) counts[i] = 0;
    EXPECT_EQ(ChooseTransparentIndex(counts, palette), 200);
}

TEST(ExpandToCanvas, PlacesTheFrameAtItsOffsetsAndClipsWhatLiesOutside) {
    auto frame = Bitmap8::Create(3, 2, nullptr);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c) frame->GetRow(r)[c] = static_cast<uint8_t>(10 * r + c + 1);
    auto canvas = ExpandToCanvas(*frame, 2, 1, 6, 4, 99);
    ASSERT_TRUE(canvas);
    EXPECT_EQ(canvas->GetWidth(), 6);
    EXPECT_EQ(canvas->GetRow(0)[2], 99);
    EXPECT_EQ(canvas->GetRow(1)[2], 1);
    EXPECT_EQ(canvas->GetRow(2)[4], 13);
    EXPECT_EQ(canvas->GetRow(2)[5], 99);
    EXPECT_EQ(canvas->GetRow(3)[3], 99);
    // Partly left of, above, right of and below the canvas: only the overlapping pixels land.
    auto left = ExpandToCanvas(*frame, -2, -1, 6, 4, 0);
    EXPECT_EQ(left->GetRow(0)[0], 13);
    EXPECT_EQ(left->GetRow(0)[1], 0);
    auto right = ExpandToCanvas(*frame, 4, 3, 6, 4, 0);
    EXPECT_EQ(right->GetRow(3)[4], 1);
    EXPECT_EQ(right->GetRow(3)[5], 2);
    auto outside = ExpandToCanvas(*frame, 100, -100, 6, 4, 5);
    EXPECT_EQ(outside->GetRow(0)[0], 5);
}

}  // namespace
