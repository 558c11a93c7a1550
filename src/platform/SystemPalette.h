// SystemPalette: the display's twenty fixed colours (first and last ten entries of the system palette).
#pragma once

#include <cstdint>

#include "platform/ColorTypes.h"

// Copies `count` entries of the 256-entry system palette, starting at `start`, into `out` (flags 0). Only the
// first ten and the last ten entries hold fixed colours; the entries between them read as black. Returns the
// number of entries copied (0 when `start` is past 255; fewer than `count` at the end of the palette).
uint32_t GetSystemPaletteEntries(uint32_t start, uint32_t count, PaletteColor* out);
