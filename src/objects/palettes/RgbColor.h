// RgbColor: a plain red, green, blue colour, as the renderers take background colours.
#pragma once

#include <cstdint>

struct RgbColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;

    bool operator==(const RgbColor&) const = default;
};

constexpr RgbColor kWhite{255, 255, 255};
constexpr RgbColor kBlack{0, 0, 0};
