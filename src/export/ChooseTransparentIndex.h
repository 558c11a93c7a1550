// ChooseTransparentIndex: the palette index a sprite's exported frames use for their transparent pixels.
#pragma once

#include <cstdint>

#include "platform/ColorTypes.h"

// The least used index by the 256 usage counts; among equally used ones the entry nearest to yellow
// (squared distance of red and green to 255 and blue to 0); among those the highest index. Always 0 to 255.
int ChooseTransparentIndex(const uint32_t counts[256], const PaletteColor palette[256]);
