// FloydSteinbergDither: serpentine Floyd-Steinberg error diffusion with error limiting onto an inverse colour map.
#include "import/FloydSteinbergDither.h"

#include <cstddef>

#include "import/InverseColorMap.h"

namespace {

inline int ClampComponent(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

}  // namespace

FloydSteinbergDither::FloydSteinbergDither() {
    // Errors pass 1:1 below 16, 1:2 up to 48, and are held at 32 beyond.
    for (int e = 0; e <= 255; ++e) {
        int limited = e < 16 ? e : (e < 48 ? 16 + (e - 16) / 2 : 32);
        errorLimit_[255 + e] = limited;
        errorLimit_[255 - e] = -limited;
    }
}

void FloydSteinbergDither::Begin(int32_t width, bool transparentRule) {
    width_ = width < 1 ? 1 : width;
    errors_.assign(static_cast<size_t>(width_ + 2) * 3, 0);
    row_ = 0;
    transparentRule_ = transparentRule;
    transparent_ = -1;
}

void FloydSteinbergDither::DitherRow(const uint8_t* rgb, uint8_t* out, InverseColorMap& map,
                                     const PaletteColor* palette) {
    int dir;
    int32_t* err;  // the column behind the current one; err[dir3 + k] is the current column
    if (row_ & 1) {
        rgb += static_cast<ptrdiff_t>(width_ - 1) * 3;
        out += width_ - 1;
        dir = -1;
        err = errors_.data() + static_cast<ptrdiff_t>(width_ + 1) * 3;
    } else {
        dir = 1;
        err = errors_.data();
    }
    const int dir3 = dir * 3;
    int32_t cur[3] = {0, 0, 0};        // carried error x 7 from the previous pixel
    int32_t belowErr[3] = {0, 0, 0};   // error x 1 of the previous pixel, for the column ahead of it below
    int32_t belowPrev[3] = {0, 0, 0};  // pending sum for the current column below
    for (int32_t col = 0; col < width_; ++col, rgb += dir3, out += dir, err += dir3) {
        if (transparent_ < 0) {
            background_[0] = rgb[0];
            background_[1] = rgb[1];
            background_[2] = rgb[2];
        }
        const bool rule = transparentRule_ && transparent_ >= 0;
        int value[3] = {rgb[0], rgb[1], rgb[2]};
        int index;
        if (rule && rgb[0] == background_[0] && rgb[1] == background_[1] && rgb[2] == background_[2]) {
            index = transparent_;
        } else {
            for (int k = 0; k < 3; ++k)
                value[k] = ClampComponent(rgb[k] + LimitError((cur[k] + err[dir3 + k] + 8) >> 4));
            index = map.LookupColor(static_cast<uint8_t>(value[0]), static_cast<uint8_t>(value[1]),
                                    static_cast<uint8_t>(value[2]));
            if (rule && index == transparent_) {
                // Error alone must not punch a hole: the pixel's own colour decides.
                value[0] = rgb[0];
                value[1] = rgb[1];
                value[2] = rgb[2];
                index = map.LookupColor(rgb[0], rgb[1], rgb[2]);
            }
        }
        if (transparent_ < 0) transparent_ = index;
        *out = static_cast<uint8_t>(index);
        if (transparentRule_ && index == transparent_) {
            // No error flows out of a transparent pixel, and what was pending for the row below is dropped.
            for (int k = 0; k < 3; ++k) {
                err[k] = 0;
                cur[k] = 0;
                belowPrev[k] = 0;
                belowErr[k] = 0;
            }
            continue;
        }
        const PaletteColor& entry = palette[index];
        const int entryColor[3] = {entry.red, entry.green, entry.blue};
        for (int k = 0; k < 3; ++k) {
            int32_t e = value[k] - entryColor[k];
            const int32_t next = e;  // 1/16 to the pixel below ahead
            const int32_t delta = e * 2;
            e += delta;  // x 3: below behind
            err[k] = belowPrev[k] + e;
            e += delta;  // x 5: below
            belowPrev[k] = belowErr[k] + e;
            belowErr[k] = next;
            e += delta;  // x 7: ahead
            cur[k] = e;
        }
    }
    for (int k = 0; k < 3; ++k) err[k] = belowPrev[k];
    ++row_;
}
