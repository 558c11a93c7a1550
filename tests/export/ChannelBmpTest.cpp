// Channel BMP files: the plain layout to the byte, the RLE8 cases, and both read back by an independent reader.
#include <gtest/gtest.h>

#include <sstream>

#include "ExportTestSupport.h"
#include "export/Rle8Encoder.h"
#include "export/WriteChannelBmp.h"
#include "platform/Bitmap8.h"
#include "support/TempDir.h"

using namespace export_test;

namespace {

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

std::vector<uint8_t> EncodeRow(const std::vector<uint8_t>& row) {
    std::vector<uint8_t> out;
    EncodeRle8(row.data(), 0, static_cast<int32_t>(row.size()), 1, out);
    return out;
}

TEST(Rle8Encoder, RunsOfThreeArePairsShorterRunsAreLiteralPairs) {
    EXPECT_EQ(EncodeRow({7, 7, 7}), (std::vector<uint8_t>{3, 7, 0, 1}));
    EXPECT_EQ(EncodeRow({7, 7}), (std::vector<uint8_t>{1, 7, 1, 7, 0, 1}));
    // Literals before a run go out when the run is broken; a run of 255 starts a new run.
    EXPECT_EQ(EncodeRow({1, 2, 3, 4, 4, 4, 5}), (std::vector<uint8_t>{0, 3, 1, 2, 3, 0, 3, 4, 1, 5, 0, 1}));
    std::vector<uint8_t> long_run(256, 9);
    EXPECT_EQ(EncodeRow(long_run), (std::vector<uint8_t>{255, 9, 1, 9, 0, 1}));
}

TEST(Rle8Encoder, ThreeHundredDifferentValuesBecomeTwoPaddedAbsoluteBlocks) {
    std::vector<uint8_t> row(300);
    for (size_t i = 0; i < row.size(); ++i) row[i] = static_cast<uint8_t>(i % 256);
    for (size_t i = 1; i < row.size(); ++i) ASSERT_NE(row[i], row[i - 1]);
    const std::vector<uint8_t> out = EncodeRow(row);
    ASSERT_EQ(out.size(), 2 + 255 + 1 + 2 + 45 + 1 + 2);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1], 255);
    EXPECT_EQ(out[2 + 255], 0);  // pad after an odd block
    EXPECT_EQ(out[258], 0);
    EXPECT_EQ(out[259], 45);
    EXPECT_EQ(out[260], row[255]);
    EXPECT_EQ(out[260 + 45], 0);
    EXPECT_EQ(out[306], 0);
    EXPECT_EQ(out[307], 1);
}

TEST(Rle8Encoder, RowsEndWithEndOfLineAndTheLastWithEndOfBitmap) {
    const uint8_t rows[8] = {5, 5, 5, 5, 6, 6, 6, 6};
    std::vector<uint8_t> out;
    EncodeRle8(rows, 4, 4, 2, out);
    EXPECT_EQ(out, (std::vector<uint8_t>{4, 5, 0, 0, 4, 6, 0, 1}));
}

TEST(WriteChannelBmp, PlainCanvasFileIsStrideTimesHeightPlus1078Bytes) {
    RgbQuad colors[256];
    for (int i = 0; i < 256; ++i) colors[i] = {static_cast<uint8_t>(i), 0, static_cast<uint8_t>(255 - i), 0};
    auto image = Bitmap8::CreateFilled(136, 384, colors, 3);
    const std::vector<uint8_t> b = EncodeChannelBmp(*image, colors, false);
    ASSERT_EQ(b.size(), 52224u + 1078u);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(Le32(b, 2), 52224u + 1078u);
    EXPECT_EQ(Le32(b, 10), 1078u);
    EXPECT_EQ(Le32(b, 14), 40u);
    EXPECT_EQ(Le32(b, 18), 136u);
    EXPECT_EQ(Le32(b, 22), 384u);
    EXPECT_EQ(Le32(b, 30), 0u);
    EXPECT_EQ(Le32(b, 34), 52224u);
    EXPECT_EQ(Le32(b, 46), 256u);
    EXPECT_EQ(Le32(b, 50), 256u);
    EXPECT_EQ(b[54 + 4 * 10], 10);       // blue of entry 10
    EXPECT_EQ(b[54 + 4 * 10 + 2], 245);  // red

    const std::vector<uint8_t> c = EncodeChannelBmp(*image, colors, true);
    EXPECT_EQ(Le32(c, 2), 52224u + 1078u);  // the file size field keeps the plain size
    EXPECT_EQ(Le32(c, 30), 1u);
    EXPECT_EQ(Le32(c, 34), c.size() - 1078);
}

// Writes an odd-width image with every kind of row plain and RLE8, and checks size, palette and every pixel
// through PIL.
TEST(WriteChannelBmp, IndependentReaderSeesTheSamePixelsAndPaletteInBothForms) {
    if (!HavePil()) GTEST_SKIP() << "python3 with PIL is not installed";
    reshaper_test::TempDir dir;
    RgbQuad colors[256];
    for (int i = 0; i < 256; ++i)
        colors[i] = {static_cast<uint8_t>(i * 7), static_cast<uint8_t>(i * 3), static_cast<uint8_t>(255 - i), 0};
    const int w = 301, h = 5;
    auto image = Bitmap8::Create(w, h, colors);
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) {
            uint8_t v = 0;
            switch (r) {
                case 0:
                    v = static_cast<uint8_t>(c % 256);
                    break;  // all different
                case 1:
                    v = static_cast<uint8_t>(c / 2);
                    break;  // pairs
                case 2:
                    v = static_cast<uint8_t>(c / 3);
                    break;  // runs of three
                case 3:
                    v = 200;
                    break;  // one long run
                default:
                    v = static_cast<uint8_t>((c / 7) % 2 ? 1 : c % 5);  // mixed
            }
            image->GetRow(r)[c] = v;
        }
    std::string expected;
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) expected += std::to_string(image->GetRow(r)[c]) + ",";
    for (bool compressed : {false, true}) {
        const std::string path = dir.Join(compressed ? "rle.bmp" : "plain.bmp");
        ASSERT_TRUE(WriteChannelBmp(path, *image, colors, compressed));
        const std::string out = RunPython(
            "from PIL import Image\n"
            "im = Image.open('" +
            path +
            "')\n"
            "print(im.size[0], im.size[1], im.mode)\n"
            "print(''.join(str(p) + ',' for p in im.getdata()))\n"
            "pal = im.getpalette()\n"
            "print(pal[3*17], pal[3*17+1], pal[3*17+2], pal[3*255], pal[3*255+1], pal[3*255+2])\n");
        SCOPED_TRACE(compressed ? "RLE8" : "plain");
        ASSERT_EQ(out.rfind("ERROR", 0), std::string::npos) << out;
        std::istringstream lines(out);
        std::string size, pixels, palette;
        std::getline(lines, size);
        std::getline(lines, pixels);
        std::getline(lines, palette);
        EXPECT_EQ(size, "301 5 P");
        EXPECT_TRUE(pixels == expected) << "pixels differ";
        EXPECT_EQ(palette, "238 51 119 0 253 249");
    }
}

}  // namespace
