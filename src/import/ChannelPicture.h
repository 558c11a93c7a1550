// ChannelPicture: a channel file of a document (BMP or PNG) as read into memory, and the limits on its size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/ColorTypes.h"

// Largest side and largest pixel count the readers accept; bigger pictures are reported as unreadable before
// anything is allocated.
constexpr int32_t kChannelPictureMaxSide = 32768;
constexpr int64_t kChannelPictureMaxPixels = int64_t{1} << 26;

// The file format a channel picture came in, told by its first bytes.
enum class ChannelPictureKind { kBmp, kPng };

// The pixels are delivered top row first, packed without padding. For 8-bit pictures each pixel is one palette
// index and `palette` holds the file's colour table (entries the file does not list are black; a grey picture has
// the grey ramp); for 24- and 32-bit pictures each pixel is three bytes red, green, blue (a 32-bit picture's fourth
// byte is dropped) and `palette` is the grey ramp (entry i = i, i, i).
struct ChannelPicture {
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
