// FloydSteinbergDither: serpentine Floyd-Steinberg error diffusion with error limiting onto an inverse colour map.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/ColorTypes.h"

class InverseColorMap;

// Rows go top to bottom; even rows (the first is row 0) left to right, odd rows right to left. A pixel's
// component is its value plus the limited error term (carried x 7 + the column's sum from the row above + 8) >> 4,
// clamped to 0..255; the pixel takes the map's entry for that colour and passes the remaining error on: 7/16
// ahead, 3/16 below behind, 5/16 below, 1/16 below ahead.
//
// With the transparent-index rule, the entry given to the first pixel of the picture is transparent: pixels of
// the first pixel's exact colour get it with no error added; a pixel that gets it drops the carried error and the
// pending sums for the row below, so no error flows out of it; and a pixel of another colour that the error alone
// would turn into it is mapped again without error.
class FloydSteinbergDither {
public:
    FloydSteinbergDither();

    // Starts a picture `width` pixels wide (at least 1): clears the error row (grown when needed, never per
    // pixel) and forgets the transparent index.
    void Begin(int32_t width, bool transparentRule);
    // Dithers the next row: `rgb` holds width pixels of red, green, blue; `out` receives width indices.
    void DitherRow(const uint8_t* rgb, uint8_t* out, InverseColorMap& map, const PaletteColor* palette);
    // The index the picture's first pixel received; -1 before the first row.
    int GetTransparentIndex() const { return transparent_; }

    // The error-limit table: e for |e| < 16, 16 + (|e| - 16) / 2 for |e| < 48, 32 beyond, with the sign of e.
    // `error` must lie in -255..255.
    int LimitError(int error) const { return errorLimit_[error + 255]; }

private:
    int errorLimit_[511];
    std::vector<int32_t> errors_;  // (width + 2) x 3 sums for the row below, one pixel of margin each side
    int32_t width_ = 0;
    int32_t row_ = 0;
    bool transparentRule_ = false;
    int transparent_ = -1;
    uint8_t background_[3] = {};
};
