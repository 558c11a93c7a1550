// Tests of ReadBmp: plain, RLE8, 24- and 32-bit, top-down files, and files it must refuse without overrunning.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "import/BmpReader.h"
#include "import/ChannelPictureReader.h"
#include "platform/Bitmap8.h"
#include "platform/BmpWriter.h"
#include "support/TempDir.h"

using reshaper_test::TempDir;

namespace {

void Put16(std::vector<uint8_t>& b, uint16_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A BMP file: 14-byte file header, 40-byte info header, `colors` table entries (entry i = (i, 255 - i, i / 2)
// as red, green, blue), optional extra bytes (colour masks), then `pixels` exactly as given.
std::vector<uint8_t> MakeBmp(int32_t width, int32_t height, uint16_t bits, uint32_t compression, uint32_t colors,
                             const std::vector<uint8_t>& pixels, const std::vector<uint8_t>& extra = {}) {
    std::vector<uint8_t> b;
    const uint32_t offset = 14 + 40 + colors * 4 + static_cast<uint32_t>(extra.size());
    b.push_back('B');
    b.push_back('M');
    Put32(b, offset + static_cast<uint32_t>(pixels.size()));
    Put32(b, 0);
    Put32(b, offset);
    Put32(b, 40);
    Put32(b, static_cast<uint32_t>(width));
    Put32(b, static_cast<uint32_t>(height));
    Put16(b, 1);
    Put16(b, bits);
    Put32(b, compression);
    Put32(b, static_cast<uint32_t>(pixels.size()));
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, colors);
    Put32(b, 0);
    b.insert(b.end(), extra.begin(), extra.end());
    for (uint32_t i = 0; i < colors; ++i) {
        b.push_back(static_cast<uint8_t>(i / 2));    // blue
        b.push_back(static_cast<uint8_t>(255 - i));  // green
        b.push_back(static_cast<uint8_t>(i));        // red
        b.push_back(0);
    }
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

bool Read(const std::vector<uint8_t>& file, ChannelPicture& image, std::string* reason = nullptr) {
    return ReadBmp(file.data(), file.size(), image, reason);
}

std::string ReasonFor(const std::vector<uint8_t>& file) {
    ChannelPicture image;
    std::string reason;
    EXPECT_FALSE(Read(file, image, &reason));
    EXPECT_TRUE(image.pixels.empty());
    EXPECT_FALSE(reason.empty());
    return reason;
}

}  // namespace

TEST(BmpReader, PlainEightBitWithRowPaddingDeliversTopRowFirst) {
    // 34 pixels wide: 2 padding bytes per row. File rows are bottom first; pixel value = 10 x file row + column.
    const int32_t w = 34, h = 3;
    std::vector<uint8_t> pixels;
    for (int fileRow = 0; fileRow < h; ++fileRow) {
        for (int c = 0; c < w; ++c) pixels.push_back(static_cast<uint8_t>(10 * fileRow + c));
        pixels.push_back(0xEE);
        pixels.push_back(0xEE);
    }
    ChannelPicture image;
    ASSERT_TRUE(Read(MakeBmp(w, h, 8, 0, 256, pixels), image));
    EXPECT_EQ(image.width, 34);
    EXPECT_EQ(image.height, 3);
    EXPECT_EQ(image.bitDepth, 8);
    EXPECT_FALSE(image.IsRgb());
    ASSERT_EQ(image.pixels.size(), 34u * 3u);
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) EXPECT_EQ(image.GetRow(r)[c], 10 * (h - 1 - r) + c) << r << "," << c;
    EXPECT_EQ(image.palette[7].red, 7);
    EXPECT_EQ(image.palette[7].green, 248);
    EXPECT_EQ(image.palette[7].blue, 3);
}

TEST(BmpReader, TwentyFourAndThirtyTwoBitPixelsBecomeRgbInEitherRowOrder) {
    // 2 x 2; file pixels blue, green, red. 24-bit rows are 6 bytes + 2 padding.
    const std::vector<uint8_t> rows24 = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
    const std::vector<uint8_t> rows32 = {1, 2, 3, 99, 4, 5, 6, 99, 7, 8, 9, 99, 10, 11, 12, 99};
    const std::vector<uint8_t> masks = {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0};
    struct Case {
        std::vector<uint8_t> file;
        bool topDown;
        int depth;
    } cases[] = {
        {MakeBmp(2, 2, 24, 0, 0, rows24), false, 24},
        {MakeBmp(2, -2, 24, 0, 0, rows24), true, 24},
        {MakeBmp(2, 2, 32, 0, 0, rows32), false, 32},
        {MakeBmp(2, -2, 32, 3, 0, rows32, masks), true, 32},
    };
    for (const Case& k : cases) {
        ChannelPicture image;
        ASSERT_TRUE(Read(k.file, image)) << k.depth << " " << k.topDown;
        EXPECT_EQ(image.bitDepth, k.depth);
        ASSERT_TRUE(image.IsRgb());
        const uint8_t* first = image.GetRow(k.topDown ? 0 : 1);
        const uint8_t* second = image.GetRow(k.topDown ? 1 : 0);
        EXPECT_EQ(std::vector<uint8_t>(first, first + 6), (std::vector<uint8_t>{3, 2, 1, 6, 5, 4}));
        EXPECT_EQ(std::vector<uint8_t>(second, second + 6), (std::vector<uint8_t>{9, 8, 7, 12, 11, 10}));
        EXPECT_EQ(image.palette[77].red, 77);  // the grey ramp
        EXPECT_EQ(image.palette[77].blue, 77);
    }
}

TEST(BmpReader, Rle8RunsLiteralsDeltasAndRowEnds) {
    // 6 x 4 image, filled from the bottom row up.
    const std::vector<uint8_t> rle = {
        3, 7,               // bottom row: 7 7 7
        0, 3, 1, 2, 3, 0,   // literal 1 2 3 (odd: one pad byte)
        0, 0,               // end of row
        0, 2, 2, 1,         // delta: right 2, up one more row (now row 2 from the bottom, column 2)
        2, 9,               // 9 9 at columns 2, 3
        0, 0,               // end of row: row 3 from the bottom
        0, 4, 5, 5, 5, 5,   // literal of 4 (even, no pad)
        0, 1,               // end of bitmap
    };
    ChannelPicture image;
    ASSERT_TRUE(Read(MakeBmp(6, 4, 8, 1, 256, rle), image));
    const std::vector<uint8_t> expected = {
        5, 5, 5, 5, 0, 0,  // top row
        0, 0, 9, 9, 0, 0,  //
        0, 0, 0, 0, 0, 0,  // skipped by the delta
        7, 7, 7, 1, 2, 3,  // bottom row
    };
    EXPECT_EQ(image.pixels, expected);
}

TEST(BmpReader, Rle8CodesThatLeaveTheImageAreReportedNotFollowed) {
    const std::vector<std::vector<uint8_t>> faults = {
        {4, 1, 0, 1},                    // run longer than the 3-pixel row
        {2, 1, 2, 1, 0, 1},              // second run passes the row end
        {0, 4, 1, 2, 3, 4, 0, 1},        // literal longer than the row
        {0, 2, 4, 0, 0, 1},              // delta right past the row
        {0, 2, 0, 3, 0, 1},              // delta up past the image
        {0, 0, 0, 0, 1, 1, 0, 1},        // a run after the last row ended
        {3, 1, 0, 0},                    // no end of bitmap
        {0, 5, 1, 2},                    // data ends inside a literal
        {0, 2, 1},                       // data ends inside a delta
    };
    for (const std::vector<uint8_t>& rle : faults) ReasonFor(MakeBmp(3, 2, 8, 1, 256, rle));
    // The delta and row end may reach the image's end as long as nothing is written there.
    ChannelPicture image;
    EXPECT_TRUE(Read(MakeBmp(3, 2, 8, 1, 256, {0, 2, 3, 2, 0, 1}), image));
    EXPECT_TRUE(Read(MakeBmp(3, 2, 8, 1, 256, {3, 1, 0, 0, 3, 2, 0, 0, 0, 1}), image));
}

TEST(BmpReader, UnreadableFilesAreReportedWithAReason) {
    const std::vector<uint8_t> row4 = {1, 2, 3, 0};
    const std::vector<uint8_t> good = MakeBmp(3, 1, 8, 0, 256, row4);
    ChannelPicture image;
    ASSERT_TRUE(Read(good, image));

    std::vector<uint8_t> notBm = good;
    notBm[0] = 'X';
    ReasonFor(notBm);
    ReasonFor(std::vector<uint8_t>(good.begin(), good.begin() + 30));          // cut inside the header
    ReasonFor(std::vector<uint8_t>(good.begin(), good.begin() + 54 + 100));    // cut inside the colour table
    ReasonFor(std::vector<uint8_t>(good.begin(), good.end() - 2));             // cut inside the only row
    ReasonFor(MakeBmp(3, 1, 4, 0, 16, row4));                                  // 4-bit
    ReasonFor(MakeBmp(3, 1, 16, 0, 0, {1, 2, 3, 4, 5, 6, 0, 0}));              // 16-bit
    ReasonFor(MakeBmp(3, 1, 8, 2, 256, row4));                                 // RLE4 compression code
    ReasonFor(MakeBmp(3, 1, 24, 1, 0, row4));                                  // RLE8 on 24 bits
    ReasonFor(MakeBmp(3, -1, 8, 1, 256, {0, 1}));                              // top-down RLE8
    ReasonFor(MakeBmp(3, 1, 8, 0, 257, row4));                                 // 257 colours
    ReasonFor(MakeBmp(0, 1, 8, 0, 256, row4));                                 // zero width
    ReasonFor(MakeBmp(3, 0, 8, 0, 256, row4));                                 // zero height
    ReasonFor(MakeBmp(-3, 1, 8, 0, 256, row4));                                // negative width
    ReasonFor(MakeBmp(100000, 1, 8, 1, 256, {0, 1}));                          // absurd width
    ReasonFor(MakeBmp(3, INT32_MIN, 8, 0, 256, row4));                         // absurd height
    ReasonFor(MakeBmp(20000, 20000, 8, 1, 256, {0, 1}));                       // too many pixels
    ReasonFor(MakeBmp(30000, 30000, 24, 0, 0, row4));                          // rows far beyond the file
    ReasonFor(MakeBmp(1, 1, 32, 3, 0, {1, 2, 3, 4}, {0, 0xFF, 0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF}));  // odd masks
    std::vector<uint8_t> offsetPastEnd = good;
    offsetPastEnd[10] = 0xF0;
    ReasonFor(offsetPastEnd);
}

TEST(BmpReader, ReadsFilesFromDiskAsThisProgramWritesThem) {
    TempDir dir;
    RgbQuad table[256];
    for (int i = 0; i < 256; ++i) table[i] = RgbQuad{static_cast<uint8_t>(i), 0, static_cast<uint8_t>(255 - i), 0};
    std::unique_ptr<Bitmap8> bitmap = Bitmap8::Create(37, 5, table);
    ASSERT_TRUE(bitmap);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 37; ++c) bitmap->GetRow(r)[c] = static_cast<uint8_t>(r * 37 + c);
    const std::string path = dir.Join("frame.bmp");
    ASSERT_TRUE(WriteBmp(path, *bitmap));

    ChannelPicture image;
    std::string reason;
    ASSERT_TRUE(ReadChannelPicture(path, image, &reason)) << reason;
    ASSERT_EQ(image.width, 37);
    ASSERT_EQ(image.height, 5);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 37; ++c) ASSERT_EQ(image.GetRow(r)[c], r * 37 + c);
    EXPECT_EQ(image.palette[3].red, 252);
    EXPECT_EQ(image.palette[3].blue, 3);

    EXPECT_FALSE(ReadChannelPicture(dir.Join("missing.bmp"), image, &reason));
    EXPECT_FALSE(reason.empty());
}
