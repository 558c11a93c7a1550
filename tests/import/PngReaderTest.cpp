// Tests of ReadPng through ReadChannelPicture: the four forms read as their BMP counterparts, told by signature
// whatever the name, and damaged or unsupported files refused with their reason.
#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <string>
#include <vector>

#include "import/ChannelPictureReader.h"
#include "import/PngReader.h"
#include "platform/Bitmap24.h"
#include "platform/Bitmap8.h"
#include "platform/PngWriter.h"
#include "support/TempDir.h"

using reshaper_test::TempDir;

namespace {

// A 5 x 3 bitmap whose pixel (r, c) is 5r + c + 10, over the colour table entry i = (i, 255 - i, i / 2).
std::unique_ptr<Bitmap8> Indices() {
    RgbQuad table[256];
    for (int i = 0; i < 256; ++i)
        table[i] = RgbQuad{static_cast<uint8_t>(i / 2), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i), 0};
    auto b = Bitmap8::Create(5, 3, table);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 5; ++c) b->GetRow(r)[c] = static_cast<uint8_t>(5 * r + c + 10);
    return b;
}

// A 3 x 2 RGBA picture: pixel 0 (top-left) opaque yellow, pixel 4 erased (alpha 0, its colour blue), the others
// opaque shades of red.
std::vector<uint8_t> RgbaPng() {
    uint8_t pixels[6 * 4] = {255, 255, 0, 255, 10, 0, 0, 255, 20, 0, 0, 255,
                             30,  0,   0, 255, 0,  0, 255, 0, 50, 0, 0, 128};
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = 3;
    image.height = 2;
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    png_image_write_get_memory_size(image, size, 0, pixels, 0, nullptr);
    std::vector<uint8_t> out(size);
    EXPECT_TRUE(png_image_write_to_memory(&image, out.data(), &size, 0, pixels, 0, nullptr));
    out.resize(size);
    return out;
}

bool Read(const std::vector<uint8_t>& file, ChannelPicture& picture, std::string* reason = nullptr) {
    ChannelPictureKind kind = ChannelPictureKind::kBmp;
    const bool ok = ReadChannelPicture(file.data(), file.size(), picture, reason, &kind);
    EXPECT_EQ(kind, ChannelPictureKind::kPng);
    return ok;
}

TEST(PngReader, ReadsIndexedGreyRgbAndRgbaAsTheBmpFormsAre) {
    ChannelPicture p;
    std::string reason;
    const auto indices = Indices();
    ASSERT_TRUE(Read(EncodePng(*indices), p, &reason)) << reason;
    EXPECT_EQ(p.bitDepth, 8);
    ASSERT_EQ(p.width, 5);
    ASSERT_EQ(p.height, 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 5; ++c) EXPECT_EQ(p.GetRow(r)[c], 5 * r + c + 10);
    EXPECT_EQ(p.palette[12].red, 12);
    EXPECT_EQ(p.palette[12].green, 243);
    EXPECT_EQ(p.palette[12].blue, 6);

    // Grey: the values are indices over the grey ramp.
    ASSERT_TRUE(Read(EncodeGreyPng(*indices), p, &reason)) << reason;
    EXPECT_EQ(p.bitDepth, 8);
    EXPECT_EQ(p.GetRow(2)[4], 24);
    EXPECT_EQ(p.palette[24].red, 24);
    EXPECT_EQ(p.palette[24].blue, 24);

    auto rgb = Bitmap24::Create(2, 2);
    rgb->Fill(1, 2, 3);
    rgb->GetRow(1)[3] = 200;  // bottom-right pixel's blue
    ASSERT_TRUE(Read(EncodePng(*rgb), p, &reason)) << reason;
    EXPECT_EQ(p.bitDepth, 24);
    EXPECT_EQ(std::vector<uint8_t>(p.GetRow(1), p.GetRow(1) + 6), (std::vector<uint8_t>{1, 2, 3, 1, 2, 200}));

    // RGBA: the fourth byte goes, and an erased pixel reads as the top-left colour, the transparent one.
    ASSERT_TRUE(Read(RgbaPng(), p, &reason)) << reason;
    EXPECT_EQ(p.bitDepth, 32);
    EXPECT_EQ(std::vector<uint8_t>(p.GetRow(0), p.GetRow(0) + 9), (std::vector<uint8_t>{255, 255, 0, 10, 0, 0, 20, 0, 0}));
    EXPECT_EQ(std::vector<uint8_t>(p.GetRow(1), p.GetRow(1) + 9), (std::vector<uint8_t>{30, 0, 0, 255, 255, 0, 50, 0, 0}));
}

TEST(PngReader, TheSignatureDecidesWhateverTheName) {
    TempDir dir;
    const std::vector<uint8_t> png = EncodePng(*Indices());
    ASSERT_TRUE(reshaper_test::WriteFileBytes(dir.Join("frame_p.bmp"), png));
    ChannelPicture p;
    ChannelPictureKind kind = ChannelPictureKind::kBmp;
    std::string reason;
    ASSERT_TRUE(ReadChannelPicture(dir.Join("frame_p.bmp"), p, &reason, &kind)) << reason;
    EXPECT_EQ(kind, ChannelPictureKind::kPng);
    EXPECT_EQ(p.width, 5);
    // A file that cannot be read is named by its extension.
    EXPECT_FALSE(ReadChannelPicture(dir.Join("missing.png"), p, &reason, &kind));
    EXPECT_EQ(kind, ChannelPictureKind::kPng);
    EXPECT_EQ(reason, "the file cannot be opened");
}

TEST(PngReader, RefusesWhatItCannotReadWithItsReason) {
    const std::vector<uint8_t> good = EncodePng(*Indices());
    // IHDR fields after the signature and the chunk's length and type: width 16, height 20, depth 24, type 25.
    auto with = [&](size_t at, std::vector<uint8_t> bytes) {
        std::vector<uint8_t> file = good;
        std::copy(bytes.begin(), bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(at));
        return file;
    };
    std::vector<uint8_t> damaged = good;
    damaged[good.size() - 20] ^= 0x55;  // inside the image data or its checksum
    const struct {
        const char* what;
        std::vector<uint8_t> file;
        std::string reason;
    } cases[] = {
        {"half", std::vector<uint8_t>(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2)),
         "the file ends before its last row or its end chunk"},
        {"no end chunk", std::vector<uint8_t>(good.begin(), good.end() - 12),
         "the file ends before its last row or its end chunk"},
        {"inside the header", std::vector<uint8_t>(good.begin(), good.begin() + 20), "the file ends inside its headers"},
        {"16-bit", with(24, {16}), "16-bit PNG files cannot be read"},
        {"4-bit", with(24, {4}), "only 8-bit indexed, 8-bit grey, 24-bit RGB and 32-bit RGBA PNG files can be read"},
        {"grey and alpha", with(25, {4}),
         "only 8-bit indexed, 8-bit grey, 24-bit RGB and 32-bit RGBA PNG files can be read"},
        {"zero width", with(16, {0, 0, 0, 0}), "the picture's width or height is zero or too large"},
        {"huge", with(16, {0, 1, 0, 1}), "the picture's width or height is zero or too large"},
        {"too many pixels", with(16, {0, 0, 0x40, 0, 0, 0, 0x40, 0}), "the picture is too large"},
        {"damaged", damaged, "the PNG data is damaged ("},
    };
    for (const auto& c : cases) {
        ChannelPicture p;
        std::string reason;
        EXPECT_FALSE(ReadPng(c.file.data(), c.file.size(), p, &reason)) << c.what;
        EXPECT_EQ(reason.substr(0, c.reason.size()), c.reason) << c.what << ": " << reason;
        EXPECT_TRUE(p.pixels.empty()) << c.what;
    }
    ChannelPicture p;
    std::string reason;
    EXPECT_FALSE(ReadPng(good.data() + 1, good.size() - 1, p, &reason));
    EXPECT_EQ(reason, "not a PNG file (no PNG signature)");
}

}  // namespace
