// PngWriter: encoding through libpng's simplified write interface, straight from the bottom-up rows.
#include "platform/PngWriter.h"

#include <png.h>

#include <cstring>
#include <new>

#include "platform/Bitmap24.h"
#include "platform/Bitmap8.h"
#include "platform/HostFile.h"

namespace {

// Encodes rows stored bottom-up with `stride` bytes per row (a negative row stride tells libpng so).
std::vector<uint8_t> Encode(png_image& image, const uint8_t* bits, int32_t stride, const void* colormap) {
    std::vector<uint8_t> out;
    png_alloc_size_t size = 0;
    if (!png_image_write_get_memory_size(image, size, 0, bits, -stride, colormap)) {
        png_image_free(&image);
        return out;
    }
    try {
        out.resize(size);
    } catch (const std::bad_alloc&) {
        return {};
    }
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, bits, -stride, colormap)) {
        png_image_free(&image);
        return {};
    }
    out.resize(size);
    return out;
}

png_image MakeImage(int32_t width, int32_t height, png_uint_32 format) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = format;
    return image;
}

bool WriteBytes(const std::string& hostPath, const std::vector<uint8_t>& bytes) {
    if (bytes.empty()) return false;
    std::unique_ptr<HostFile> file = HostFile::Create(hostPath);
    if (!file) return false;
    const auto n = static_cast<int64_t>(bytes.size());
    const bool written = file->Write(bytes.data(), n) == n;
    return file->Close() && written;
}

}  // namespace

std::vector<uint8_t> EncodePng(const Bitmap24& picture) {
    png_image image = MakeImage(picture.GetWidth(), picture.GetHeight(), PNG_FORMAT_BGR);
    return Encode(image, picture.GetBits(), picture.GetStride(), nullptr);
}

std::vector<uint8_t> EncodePng(const Bitmap8& bitmap) { return EncodePng(bitmap, bitmap.GetColorTable()); }

std::vector<uint8_t> EncodePng(const Bitmap8& bitmap, const RgbQuad table[256]) {
    png_image image = MakeImage(bitmap.GetWidth(), bitmap.GetHeight(), PNG_FORMAT_BGR_COLORMAP);
    image.colormap_entries = 256;
    uint8_t colormap[256 * 3];
    for (int i = 0; i < 256; ++i) {
        colormap[3 * i] = table[i].blue;
        colormap[3 * i + 1] = table[i].green;
        colormap[3 * i + 2] = table[i].red;
    }
    return Encode(image, bitmap.GetBits(), bitmap.GetStride(), colormap);
}

std::vector<uint8_t> EncodeGreyPng(const Bitmap8& bitmap) {
    png_image image = MakeImage(bitmap.GetWidth(), bitmap.GetHeight(), PNG_FORMAT_GRAY);
    return Encode(image, bitmap.GetBits(), bitmap.GetStride(), nullptr);
}

bool WritePng(const std::string& hostPath, const Bitmap24& picture) { return WriteBytes(hostPath, EncodePng(picture)); }

bool WritePng(const std::string& hostPath, const Bitmap8& bitmap) { return WriteBytes(hostPath, EncodePng(bitmap)); }
