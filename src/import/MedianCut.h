// MedianCut: splits the non-empty cells of a colour histogram into boxes and makes one palette entry per box.
#pragma once

#include "import/InverseColorMap.h"
#include "platform/ColorTypes.h"

// Reads the histogram `blocks` (kColorCellBlocks blocks of kColorCellsPerBlock cells, counts and first exact
// colours) without changing it. Boxes start as one box over all cells shrunk to the non-empty ones and are split
// while fewer than `wanted` (1..256): by largest count of non-empty cells among boxes of some volume while twice
// the box count is at most `wanted`, then by largest volume (8 dR)^2 + (12 dG)^2 + (4 dB)^2; a box is cut in
// half along its longest weighted axis. Each box's entry is the count-weighted mean of its cells' exact colours,
// rounded to nearest; entries past the box count are (128, 128, 128), flags 0. Returns the number of boxes (0 for
// an empty histogram).
int MedianCut(ColorCell* const* blocks, int wanted, PaletteColor out[256]);
