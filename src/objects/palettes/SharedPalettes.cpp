// SharedPalettes: lazily made process-wide palettes, built from the grey ramp.
#include "objects/palettes/SharedPalettes.h"
#include "platform/GreyRamp.h"

namespace {

PalWrap& DefaultPaletteStorage() {
    static PalWrap palette;
    return palette;
}

}  // namespace

const PalWrap& GetGreyPalette() {
    static PalWrap palette;
    static const bool built = [] {
        PaletteColor ramp[256];
        FillGreyRamp(ramp);
        palette.BuildFromColors(ramp, false);
        return true;
    }();
    (void)built;
    return palette;
}

void BuildDefaultPalette() {
    PaletteColor ramp[256];
    FillGreyRamp(ramp);
    DefaultPaletteStorage().BuildFromColors(ramp, true);
}

const PalWrap& GetDefaultPalette() {
    PalWrap& palette = DefaultPaletteStorage();
    if (palette.GetColorCount() == 0) BuildDefaultPalette();
    return palette;
}
