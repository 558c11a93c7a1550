// SamplePalette: the palette of one sample sprite: every material in a ramp of shades, 6-bit distinct colours.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/ColorTypes.h"
#include "sample/SampleModel.h"

// Index 0 is the transparent colour (magenta). Then, material by material and shade by shade (darkest first),
// every colour gets an index unless a colour already listed equals it at 6 bits per channel, in which case the
// shade shares that index. Every colour is stored exactly as its 6-bit value widened to 8 bits, so that colours
// read back through a 6-bit path come out unchanged, and no two indices hold colours that are equal at 6 bits.
// Entries past the used ones are black.
class SamplePalette {
public:
    static constexpr int kShadeLevels = 24;
    static constexpr int kMaxMaterials = 10;  // 10 x 24 colours and the transparent one fit in 256 entries
    static constexpr uint8_t kTransparentIndex = 0;

    // Materials beyond kMaxMaterials share the last one's shades.
    explicit SamplePalette(const std::vector<SampleMaterial>& materials);

    // The index of a material's shade level (0 darkest .. kShadeLevels - 1 brightest).
    uint8_t IndexOf(int material, int level) const;
    // The number of indices in use, the transparent one included.
    int CountUsed() const { return used_; }
    const PaletteColor* GetColors() const { return colors_; }
    // The PALT resource of the 256 entries.
    std::vector<uint8_t> MakePALT() const;

private:
    PaletteColor colors_[256] = {};
    std::vector<uint8_t> index_;  // material * kShadeLevels + level -> palette index
    int materials_ = 0;
    int used_ = 0;
};
