// PngReader: the header checked by hand first, then libpng's row reader over a ByteReader.
#include "import/PngReader.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <new>
#include <vector>

#include "objects/palettes/SharedPalettes.h"
#include "platform/ByteReader.h"
#include "platform/GreyRamp.h"

namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint32_t kIhdrLength = 13;
constexpr uint8_t kColorGrey = 0;
constexpr uint8_t kColorRgb = 2;
constexpr uint8_t kColorIndexed = 3;
constexpr uint8_t kColorRgba = 6;
// Ancillary chunks (text, profiles) are not needed; none may take more memory than this.
constexpr png_alloc_size_t kMaxChunkBytes = 8u << 20;

bool Fail(std::string* reason, const char* text) {
    if (reason) *reason = text;
    return false;
}

// What libpng reads from and what it reports to: trivially destructible, so a longjmp may pass over it.
struct PngSource {
    ByteReader reader;
    bool endedEarly = false;
    char message[160] = {};
};

void OnRead(png_structp png, png_bytep out, size_t n) {
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (!source->reader.ReadBytes(out, n)) {
        source->endedEarly = true;
        png_error(png, "the file ends early");
    }
}

void OnError(png_structp png, png_const_charp message) {
    auto* source = static_cast<PngSource*>(png_get_error_ptr(png));
    std::strncpy(source->message, message ? message : "", sizeof source->message - 1);
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// Every libpng call is made here, under its setjmp, and nothing declared after the setjmp has a destructor: a
// longjmp from libpng leaves only the structures to destroy. `pixels` holds height rows of `rowBytes` bytes.
bool DecodeRows(PngSource& source, uint32_t width, uint32_t height, size_t rowBytes, uint8_t* pixels,
                PaletteColor palette[256]) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &source, OnError, OnWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &source, OnRead);
    png_set_user_limits(png, width, height);
    png_set_chunk_malloc_max(png, kMaxChunkBytes);
    png_read_info(png, info);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_image_width(png, info) != width || png_get_image_height(png, info) != height ||
        png_get_rowbytes(png, info) != rowBytes)
        png_error(png, "the header changed while it was read");
    png_colorp entries = nullptr;
    int count = 0;
    if (png_get_valid(png, info, PNG_INFO_PLTE) && png_get_PLTE(png, info, &entries, &count))
        for (int i = 0; i < count && i < 256; ++i)
            palette[i] = PaletteColor{entries[i].red, entries[i].green, entries[i].blue, 0};
    for (int pass = 0; pass < passes; ++pass)
        for (uint32_t r = 0; r < height; ++r) png_read_row(png, pixels + size_t{r} * rowBytes, nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

bool ReadPngFromReader(ByteReader reader, ChannelPicture& image, std::string* reason) {
    if (!HasPngSignature(reader.GetData(), reader.GetSize()))
        return Fail(reason, "not a PNG file (no PNG signature)");
    // The IHDR chunk must come first: length 13, "IHDR", width, height, bit depth, colour type, compression,
    // filter, interlace, all big-endian.
    ByteReader header = reader;
    header.Skip(sizeof kSignature);
    const uint32_t length = header.ReadUInt32BE();
    uint8_t type[4] = {};
    header.ReadBytes(type, 4);
    const uint32_t width = header.ReadUInt32BE();
    const uint32_t height = header.ReadUInt32BE();
    const uint8_t bitDepth = header.ReadUInt8();
    const uint8_t colorType = header.ReadUInt8();
    if (header.HasFailed()) return Fail(reason, "the file ends inside its headers");
    if (length != kIhdrLength || std::memcmp(type, "IHDR", 4) != 0)
        return Fail(reason, "the file does not begin with its IHDR header");
    if (bitDepth == 16) return Fail(reason, "16-bit PNG files cannot be read");
    if (bitDepth != 8 || (colorType != kColorGrey && colorType != kColorRgb && colorType != kColorIndexed &&
                          colorType != kColorRgba))
        return Fail(reason, "only 8-bit indexed, 8-bit grey, 24-bit RGB and 32-bit RGBA PNG files can be read");
    if (width == 0 || height == 0 || width > uint32_t{kChannelPictureMaxSide} ||
        height > uint32_t{kChannelPictureMaxSide})
        return Fail(reason, "the picture's width or height is zero or too large");
    if (int64_t{width} * height > kChannelPictureMaxPixels) return Fail(reason, "the picture is too large");

    const int samples = colorType == kColorRgba ? 4 : (colorType == kColorRgb ? 3 : 1);
    image.width = static_cast<int32_t>(width);
    image.height = static_cast<int32_t>(height);
    image.bitDepth = 8 * samples;
    if (colorType != kColorIndexed) FillGreyRamp(image.palette);
    const size_t rowBytes = size_t{width} * static_cast<size_t>(samples);
    std::vector<uint8_t> rgba;
    try {
        image.pixels.assign(image.GetRowBytes() * height, 0);
        if (samples == 4) rgba.assign(rowBytes * height, 0);
    } catch (const std::bad_alloc&) {
        return Fail(reason, "out of memory");
    }
    PngSource source;
    source.reader = reader;
    if (!DecodeRows(source, width, height, rowBytes, samples == 4 ? rgba.data() : image.pixels.data(),
                    image.palette)) {
        if (source.endedEarly) return Fail(reason, "the file ends before its last row or its end chunk");
        if (reason) *reason = std::string("the PNG data is damaged (") + source.message + ")";
        return false;
    }
    if (samples == 4) {
        const uint8_t* top = rgba.data();
        const uint8_t* src = top;
        uint8_t* out = image.pixels.data();
        for (size_t i = 0, n = size_t{width} * height; i < n; ++i, src += 4, out += 3) {
            const uint8_t* colour = src[3] == 0 ? top : src;
            out[0] = colour[0];
            out[1] = colour[1];
            out[2] = colour[2];
        }
    }
    return true;
}

}  // namespace

bool HasPngSignature(const uint8_t* data, size_t size) {
    return data && size >= sizeof kSignature && std::memcmp(data, kSignature, sizeof kSignature) == 0;
}

bool ReadPng(const uint8_t* data, size_t size, ChannelPicture& out, std::string* reason) {
    out = ChannelPicture();
    if (ReadPngFromReader(ByteReader(data, size), out, reason)) return true;
    out = ChannelPicture();
    return false;
}
