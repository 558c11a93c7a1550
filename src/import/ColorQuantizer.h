// ColorQuantizer: builds a palette of at most 256 colours by median cut and maps pictures onto it with dithering.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "import/FloydSteinbergDither.h"
#include "import/InverseColorMap.h"
#include "platform/ColorTypes.h"

class Bitmap8;
struct ChannelPicture;

// Use: SetWantedColors (clears the histogram), add every picture's pixels, BuildPalette, then map each picture.
// Or: SetPalette with a given palette, then NearestEntry / map pictures onto it.
//
// The histogram has 64 x 64 x 64 cells addressed by the top 6 bits of red, green and blue; each cell holds a
// count that stays at its maximum instead of wrapping, and the exact colour first counted in it. Its memory
// (64 blocks of 32768 bytes, allocated once in the constructor) becomes the inverse colour map once a palette
// exists: the map is cleared before each picture is mapped and filled 8 x 8 x 8 cells at a time on first use.
// Adding pixels after a palette was built or set starts a new histogram only after SetWantedColors.
class ColorQuantizer {
public:
    ColorQuantizer();
    ~ColorQuantizer();
    ColorQuantizer(const ColorQuantizer&) = delete;
    ColorQuantizer& operator=(const ColorQuantizer&) = delete;

    // Sets how many palette entries BuildPalette may make (clamped to 1..256) and clears the histogram and the
    // palette.
    void SetWantedColors(int wanted);
    int GetWantedColors() const { return wanted_; }

    // Counts pixels into the histogram; each returns how many cells it made non-empty (0 when the histogram is
    // in use as the colour map, or for sizes that are not positive). Rows are `rowStep` bytes apart (negative for
    // bottom-up storage). RGB pixels are three bytes red, green, blue; indexed pixels go through `palette`.
    int AddRgbRows(const uint8_t* top, ptrdiff_t rowStep, int32_t width, int32_t height);
    int AddIndexedRows(const uint8_t* top, ptrdiff_t rowStep, int32_t width, int32_t height,
                       const PaletteColor palette[256]);
    // Counts a whole channel picture: its RGB pixels, or its indices through its own palette.
    int AddImage(const ChannelPicture& image);
    // The number of non-empty histogram cells so far.
    int GetCellCount() const { return cellCount_; }

    // Median cut over the histogram: fills the palette and returns the number of entries built (0 for an empty
    // histogram); entries past that count are grey 128. Afterwards the histogram memory is the colour map.
    int BuildPalette();
    // Takes a given palette instead of building one: its first `count` entries (1..256) are candidates for
    // mapping; the flag bytes are ignored. The histogram memory becomes an empty colour map.
    void SetPalette(const PaletteColor palette[256], int count = 256);
    // The 256 palette entries (flags 0) and how many of them were built or set (0 before either).
    const PaletteColor* GetPalette() const { return palette_; }
    int GetPaletteCount() const { return paletteCount_; }

    // The palette entry the colour map gives for a colour: the entry nearest (distance 4 dR^2 + 9 dG^2 + dB^2)
    // to the centre of the colour's histogram cell, preferring entries inside that cell (see InverseColorMap).
    // 0 when there is no palette.
    uint8_t NearestEntry(uint8_t red, uint8_t green, uint8_t blue);
    // The entry nearest to the exact colour by the same distance, lowest index on ties; 0 without a palette.
    uint8_t ExactNearestEntry(uint8_t red, uint8_t green, uint8_t blue) const;

    // Maps a picture onto the palette with serpentine Floyd-Steinberg dithering into `outTop` (8-bit rows
    // `outRowStep` bytes apart, width x height). The colour map is cleared first. With `transparentRule`, the
    // index given to the first (top-left) pixel is the transparent index: pixels of the first pixel's exact
    // colour get it without any error added, a pixel that gets it neither passes nor keeps error, and error alone
    // never turns another colour into it. Returns the transparent index (the top-left result), or -1 without a
    // palette or for sizes that are not positive (nothing written).
    int MapRgbRows(const uint8_t* top, ptrdiff_t rowStep, int32_t width, int32_t height, uint8_t* outTop,
                   ptrdiff_t outRowStep, bool transparentRule);
    int MapIndexedRows(const uint8_t* top, ptrdiff_t rowStep, int32_t width, int32_t height,
                       const PaletteColor palette[256], uint8_t* outTop, ptrdiff_t outRowStep, bool transparentRule);
    // Maps a whole channel picture into `out`, which must have the image's width and height, and gives `out` the
    // palette as its colour table. Returns the top-left result index, or -1 (nothing changed) for a size
    // mismatch or without a palette.
    int MapImage(const ChannelPicture& image, Bitmap8& out, bool transparentRule);

private:
    void ClearCells();

    std::unique_ptr<ColorCell[]> blocks_[kColorCellBlocks];
    ColorCell* blockPointers_[kColorCellBlocks] = {};
    int wanted_ = 255;
    int cellCount_ = 0;
    bool cellsAreMap_ = false;
    PaletteColor palette_[256] = {};
    int paletteCount_ = 0;
    InverseColorMap map_;
    FloydSteinbergDither dither_;
    std::vector<uint8_t> rgbRow_;  // one row of an indexed picture turned into RGB
};
