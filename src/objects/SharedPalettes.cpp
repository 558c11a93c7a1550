// SharedPalettes: lazily made process-wide palettes, built from the grey ramp.
#include "objects/SharedPalettes.h"

namespace {

PalWrap& DefaultPaletteStorage() {
    static PalWrap palette;
    return palette;
}

}  // namespace

void MakeGreyRamp(PaletteColor out[256]) {
    for (int i = 0; i < 256; ++i) {
        const auto v = static_cast<uint8_t>(i);
        out[i] = PaletteColor{v, v, v, 0};
    }
}

const PalWrap& GetGreyPalette() {
    static PalWrap palette;
    static const bool built = [] {
        PaletteColor ramp[256];
        MakeGreyRamp(ramp);
        palette.BuildFromColors(ramp, false);
        return true;
    }();
    (void)built;
    return palette;
}

void BuildDefaultPalette() {
    PaletteColor ramp[256];
    MakeGreyRamp(ramp);
    DefaultPaletteStorage().BuildFromColors(ramp, true);
}

const PalWrap& GetDefaultPalette() {
    PalWrap& palette = DefaultPaletteStorage();
    if (palette.GetColorCount() == 0) BuildDefaultPalette();
    return palette;
}
