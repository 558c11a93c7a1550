// BmpReader: reads a BMP file (8-bit plain or RLE8, 24- or 32-bit plain, bottom-up or top-down) into memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ColorTypes.h"

// Largest side and largest pixel count the reader accepts; bigger images are reported as unreadable before
// anything is allocated.
constexpr int32_t kBmpMaxSide = 32768;
constexpr int64_t kBmpMaxPixels = int64_t{1} << 26;

// A BMP file as read: the pixels are delivered top row first, packed without padding. For 8-bit files each
// pixel is one palette index and `palette` holds the file's colour table (entries the file does not list are
// black); for 24- and 32-bit files each pixel is three bytes red, green, blue (a 32-bit file's fourth byte is
// dropped) and `palette` is the grey ramp (entry i = i, i, i).
struct BmpImage {
    int32_t width = 0;
    int32_t height = 0;
    int bitDepth = 0;  // the file's bits per pixel: 8, 24 or 32
    PaletteColor palette[256] = {};
    std::vector<uint8_t> pixels;

    // True when the pixels are RGB triples (24- and 32-bit files), false for 8-bit indices.
    bool IsRgb() const { return bitDepth != 8; }
    // 1 for indices, 3 for RGB triples.
    int GetBytesPerPixel() const { return IsRgb() ? 3 : 1; }
    size_t GetRowBytes() const { return static_cast<size_t>(width) * static_cast<size_t>(GetBytesPerPixel()); }
    // Row r counted from the top (no range check).
    const uint8_t* GetRow(int32_t r) const { return pixels.data() + static_cast<size_t>(r) * GetRowBytes(); }
    uint8_t* GetRow(int32_t r) { return pixels.data() + static_cast<size_t>(r) * GetRowBytes(); }
};

// Reads the BMP file at a host path. Returns false when the file cannot be opened or read, or is not a BMP this
// reader understands (other depths or compressions, a colour table of more than 256 entries, sizes that are not
// positive or too large, pixel data that ends early or RLE codes that would write outside the image); `reason`,
// when given, then receives a short English explanation and `out` is left empty.
bool ReadBmp(const std::string& hostPath, BmpImage& out, std::string* reason = nullptr);
// The same on the bytes of a whole file in memory.
bool ReadBmp(const uint8_t* data, size_t size, BmpImage& out, std::string* reason = nullptr);
