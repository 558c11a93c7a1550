// ColorTypes: the platform's colour records: palette entry, colour-table entry and logical palette.
#pragma once

#include <cstdint>

// A palette entry as the platform lays it out: red, green, blue, then a flag byte.
struct PaletteColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t flags = 0;
};
static_assert(sizeof(PaletteColor) == 4);

// Palette entry flags.
constexpr uint8_t kPaletteReserved = 0x01;    // PC_RESERVED
constexpr uint8_t kPaletteNoCollapse = 0x04;  // PC_NOCOLLAPSE

// An entry of a bitmap's colour table: blue, green, red, then an unused byte (0).
struct RgbQuad {
    uint8_t blue = 0;
    uint8_t green = 0;
    uint8_t red = 0;
    uint8_t reserved = 0;
};
static_assert(sizeof(RgbQuad) == 4);

// A logical palette: the version word (0x300), the number of entries and the entries themselves.
struct LogicalPalette {
    static constexpr uint16_t kVersion = 0x300;
    uint16_t version = kVersion;
    uint16_t count = 0;
    PaletteColor entries[256] = {};
};
