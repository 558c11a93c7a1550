// Tests of OffscreenImage and the bitmaps and rectangles under it: layout, lifecycle, pixel addressing.
#include <gtest/gtest.h>

#include "objects/OffscreenImage.h"
#include "objects/SharedPalettes.h"
#include "platform/Bitmap16.h"
#include "platform/Bitmap24.h"
#include "platform/Bitmap8.h"
#include "platform/Rect.h"
#include "platform/GreyRamp.h"

namespace {

TEST(OffscreenImage, CreateGivesABottomUpImageOfTheRectanglesSize) {
    PaletteColor colors[256];
    FillGreyRamp(colors);
    colors[9] = {10, 20, 30, 0};
    PalWrap pal;
    pal.BuildFromColors(colors, false);

    OffscreenImage image;
    EXPECT_FALSE(image.HasBitmap());
    ASSERT_TRUE(image.Create(Rect{5, 10, 25, 40}, &pal));
    EXPECT_TRUE(image.HasBitmap());
    EXPECT_TRUE(EqualRect(image.GetBounds(), Rect{5, 10, 25, 40}));
    EXPECT_EQ(image.GetWidth(), 30);
    EXPECT_EQ(image.GetHeight(), 20);
    EXPECT_EQ(image.GetPalette(), &pal);

    Bitmap8* bmp = image.GetBitmap();
    ASSERT_NE(bmp, nullptr);
    EXPECT_EQ(bmp->GetStride(), 32);
    EXPECT_EQ(image.GetRowStep(), -32);
    EXPECT_EQ(bmp->GetColorTable()[9].red, 10);
    EXPECT_EQ(bmp->GetColorTable()[9].blue, 30);

    // Row 0 is stored last, row 19 first.
    image.GetTopRow()[3] = 0xA1;
    image.GetRow(19)[29] = 0xB2;
    EXPECT_EQ(bmp->GetBits()[19 * 32 + 3], 0xA1);
    EXPECT_EQ(bmp->GetBits()[29], 0xB2);
}

TEST(OffscreenImage, WithoutPaletteUsesTheDefaultOne) {
    OffscreenImage image;
    ASSERT_TRUE(image.Create(Rect{0, 0, 2, 2}, nullptr));
    EXPECT_EQ(image.GetPalette(), &GetDefaultPalette());
    EXPECT_EQ(image.GetBitmap()->GetColorTable()[100].green, 100);
}

TEST(OffscreenImage, CreateFailsOnAnEmptyRectangleAndHoldsNothing) {
    OffscreenImage image;
    ASSERT_TRUE(image.Create(Rect{0, 0, 4, 4}, nullptr));
    EXPECT_FALSE(image.Create(Rect{0, 5, 4, 5}, nullptr));
    EXPECT_FALSE(image.HasBitmap());
    EXPECT_FALSE(image.HasPixels());
    EXPECT_TRUE(EqualRect(image.GetBounds(), Rect{}));
    EXPECT_FALSE(image.Create(Rect{10, 0, 2, 4}, nullptr));
}

TEST(OffscreenImage, AttachBorrowsTheBitmapAndReleaseLeavesIt) {
    auto bmp = Bitmap8::CreateFilled(7, 3, nullptr, 0x33);
    ASSERT_NE(bmp, nullptr);
    {
        OffscreenImage image;
        ASSERT_TRUE(image.Attach(bmp.get()));
        EXPECT_TRUE(image.IsAttached());
        EXPECT_TRUE(EqualRect(image.GetBounds(), Rect{0, 0, 3, 7}));
        EXPECT_EQ(image.GetTopRow(), bmp->GetTopRow());
        image.Release();
        EXPECT_FALSE(image.HasBitmap());
        EXPECT_FALSE(image.Attach(nullptr));
        ASSERT_TRUE(image.Attach(bmp.get()));
    }                       // destroyed while attached
    bmp->GetRow(2)[6] = 1;  // still ours, still alive
    EXPECT_EQ(bmp->GetBits()[6], 1);
}

TEST(OffscreenImage, DetachedPixelsOutliveTheBitmap) {
    OffscreenImage image;
    ASSERT_TRUE(image.Create(Rect{0, 0, 3, 5}, nullptr));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 5; ++c) image.GetRow(r)[c] = static_cast<uint8_t>(r * 10 + c);
    ASSERT_TRUE(image.DetachPixels());
    EXPECT_FALSE(image.HasBitmap());
    EXPECT_TRUE(image.HasPixels());
    EXPECT_EQ(image.GetBitmap(), nullptr);
    EXPECT_TRUE(EqualRect(image.GetBounds(), Rect{0, 0, 3, 5}));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 5; ++c) EXPECT_EQ(image.GetRow(r)[c], r * 10 + c);
    EXPECT_FALSE(image.DetachPixels());

    // Detaching an attached bitmap copies it and leaves the bitmap to its owner.
    auto bmp = Bitmap8::CreateFilled(2, 2, nullptr, 5);
    ASSERT_TRUE(image.Attach(bmp.get()));
    ASSERT_TRUE(image.DetachPixels());
    bmp->Fill(6);
    EXPECT_EQ(image.GetRow(1)[1], 5);
    image.Release();
    EXPECT_FALSE(image.HasPixels());
    EXPECT_TRUE(EqualRect(image.GetBounds(), Rect{}));
}

TEST(Bitmaps, RowsAreBottomUpWithStridesRoundedToFourBytes) {
    auto b16 = Bitmap16::CreateFilled(3, 2, 0xFFFF);
    ASSERT_NE(b16, nullptr);
    EXPECT_EQ(b16->GetStride(), 8);
    EXPECT_EQ(b16->GetRowStep(), -4);
    b16->GetRow(0)[2] = 7;
    EXPECT_EQ(b16->GetRow(1)[3], 0xFFFF);  // padding value, same fill
    EXPECT_EQ(b16->GetTopRow() - b16->GetRow(1), 4);

    auto b24 = Bitmap24::Create(5, 2);
    ASSERT_NE(b24, nullptr);
    EXPECT_EQ(b24->GetStride(), 16);
    b24->Fill(1, 2, 3);
    EXPECT_EQ(b24->GetRow(1)[12], 3);  // blue first
    EXPECT_EQ(b24->GetRow(1)[14], 1);
    EXPECT_EQ(b24->GetBits()[15], 0);  // padding untouched
    b24->GetTopRow()[0] = 9;
    EXPECT_EQ(b24->GetBits()[16], 9);

    EXPECT_EQ(Bitmap8::Create(0, 5, nullptr), nullptr);
    EXPECT_EQ(Bitmap8::Create(5, -1, nullptr), nullptr);
    EXPECT_EQ(Bitmap8::Create(70000, 70000, nullptr), nullptr);
    EXPECT_EQ(Bitmap16::Create(70000, 70000), nullptr);
    EXPECT_EQ(Bitmap24::Create(70000, 70000), nullptr);
}

TEST(Rects, IntersectOffsetEqualEmpty) {
    Rect out{1, 1, 1, 1};
    EXPECT_TRUE(IntersectRect(Rect{0, 0, 10, 10}, Rect{5, -5, 20, 7}, out));
    EXPECT_TRUE(EqualRect(out, Rect{5, 0, 10, 7}));
    EXPECT_FALSE(IntersectRect(Rect{0, 0, 10, 10}, Rect{10, 0, 20, 10}, out));  // touching edges share nothing
    EXPECT_TRUE(EqualRect(out, Rect{}));

    Rect r{1, 2, 3, 4};
    OffsetRect(r, 10, -1);
    EXPECT_TRUE(EqualRect(r, Rect{0, 12, 2, 14}));
    EXPECT_FALSE(EqualRect(r, Rect{0, 12, 2, 15}));

    EXPECT_TRUE(IsRectEmpty(Rect{}));
    EXPECT_TRUE(IsRectEmpty(Rect{5, 0, 4, 10}));
    EXPECT_FALSE(IsRectEmpty(Rect{-3, -3, -2, -2}));
}

}  // namespace
