// SystemPalette: the twenty fixed colours a palette-based display reserves for itself.
#include "platform/SystemPalette.h"

namespace {

// Entries 0 to 9 and 246 to 255 of the system palette, red, green, blue.
constexpr uint8_t kLowColors[10][3] = {
    {0, 0, 0},     {128, 0, 0},   {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
    {128, 0, 128}, {0, 128, 128}, {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
};
constexpr uint8_t kHighColors[10][3] = {
    {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},   {0, 255, 0},
    {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255}, {255, 255, 255},
};

PaletteColor SystemEntry(uint32_t index) {
    const uint8_t* rgb = nullptr;
    if (index < 10) {
        rgb = kLowColors[index];
    } else if (index >= 246) {
        rgb = kHighColors[index - 246];
    }
    PaletteColor e;
    if (rgb) {
        e.red = rgb[0];
        e.green = rgb[1];
        e.blue = rgb[2];
    }
    return e;
}

}  // namespace

uint32_t GetSystemPaletteEntries(uint32_t start, uint32_t count, PaletteColor* out) {
    if (start > 255 || !out) return 0;
    uint32_t n = count < 256 - start ? count : 256 - start;
    for (uint32_t i = 0; i < n; ++i) out[i] = SystemEntry(start + i);
    return n;
}
