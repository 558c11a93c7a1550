// SpriteTestImages: channel images with guard bytes around them, and small byte builders for sprite tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "objects/sprites/SpriteChannels.h"

namespace reshaper_test {

// A width x height image stored bottom-up with a negative step, surrounded by guard bytes on every side, so a
// test can tell whether anything was written outside it.
class GuardedImage {
public:
    static constexpr uint8_t kGuard = 0xEE;
    static constexpr int32_t kMargin = 8;

    GuardedImage(int32_t width, int32_t height)
        : width_(width),
          height_(height),
          stride_(width + 2 * kMargin),
          bytes_(static_cast<size_t>(stride_) * static_cast<size_t>(height + 2 * kMargin), kGuard) {
        for (int32_t r = 0; r < height; ++r)
            for (int32_t c = 0; c < width; ++c) At(r, c) = 0;
    }
    // Row 0 is the highest address row of the inner area (rows stored bottom-up).
    uint8_t& At(int32_t r, int32_t c) {
        return bytes_[static_cast<size_t>(kMargin + height_ - 1 - r) * stride_ + kMargin + c];
    }
    ChannelView View() { return {&At(0, 0), -static_cast<ptrdiff_t>(stride_), width_, height_}; }
    // True when every byte outside the inner area still holds the guard value.
    bool GuardsIntact() const {
        for (size_t i = 0; i < bytes_.size(); ++i) {
            const auto row = static_cast<int32_t>(i / stride_), col = static_cast<int32_t>(i % stride_);
            const bool inner = row >= kMargin && row < kMargin + height_ && col >= kMargin && col < kMargin + width_;
            if (!inner && bytes_[i] != kGuard) return false;
        }
        return true;
    }

private:
    int32_t width_, height_, stride_;
    std::vector<uint8_t> bytes_;
};

inline void PutU16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    PutU16(out, static_cast<uint16_t>(v));
    PutU16(out, static_cast<uint16_t>(v >> 16));
}
inline void PutBytes(std::vector<uint8_t>& out, std::initializer_list<uint8_t> bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
}

// An SPR2 resource with one frame: version 1000, count 1, the palette id, offset 16, then the frame header and
// the given token stream.
inline std::vector<uint8_t> OneFrameSpr2(uint16_t width, uint16_t height, const std::vector<uint8_t>& tokens,
                                         int16_t framePalette = -1, int32_t spritePalette = 7) {
    std::vector<uint8_t> out;
    PutU32(out, 1000);
    PutU32(out, 1);
    PutU32(out, static_cast<uint32_t>(spritePalette));
    PutU32(out, 16);
    PutU16(out, width);
    PutU16(out, height);
    PutU32(out, 7);
    PutU16(out, static_cast<uint16_t>(framePalette));
    PutU16(out, 0);  // clear colour
    PutU16(out, 0);  // y
    PutU16(out, 0);  // x
    out.insert(out.end(), tokens.begin(), tokens.end());
    return out;
}

}  // namespace reshaper_test
