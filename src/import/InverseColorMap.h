// InverseColorMap: the lazily filled map from 6-bit colour cells to the nearest palette entry.
#pragma once

#include <cstdint>

#include "platform/ColorTypes.h"

// One cell of the quantizer's 64 x 64 x 64 grid. While counting, `count` is the number of pixels (saturating)
// and red, green, blue the first exact colour seen; as colour map, `count` is the palette index + 1 (0: not yet
// computed).
struct ColorCell {
    uint32_t count = 0;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t unused = 0;
};
static_assert(sizeof(ColorCell) == 8);

constexpr int kColorCellBits = 6;                       // bits of each component that address a cell
constexpr int kColorCellsPerAxis = 1 << kColorCellBits;  // 64
constexpr int kColorCellBlocks = kColorCellsPerAxis;     // one block per red cell
constexpr int kColorCellsPerBlock = kColorCellsPerAxis * kColorCellsPerAxis;  // green x blue: 32768 bytes

// Distance between two colours as the quantizer measures it: 4 dR^2 + 9 dG^2 + dB^2.
inline int32_t ColorDistance(int dr, int dg, int db) { return 4 * dr * dr + 9 * dg * dg + db * db; }

// Works on cell blocks and a palette owned by someone else (the quantizer). A cell is computed on its first
// lookup together with the rest of its 8 x 8 x 8 box: only the entries that can be nearest somewhere in the box
// are compared (those whose least possible distance to the box is not above the smallest greatest distance of
// any entry), and every cell gets the entry nearest to its centre, the lowest index on ties. Entries that lie
// inside the cell itself come first: the cell gets the one of them nearest to its centre, so colours that are
// palette entries map onto themselves even when another entry is nearer to their cell's centre.
class InverseColorMap {
public:
    // Uses `blocks` (kColorCellBlocks pointers to kColorCellsPerBlock cells) and the first `count` entries of
    // `palette`; both must outlive the map's use. Does not clear the cells.
    void Attach(ColorCell* const* blocks, const PaletteColor* palette, int count);
    // Marks every cell as not yet computed.
    void Clear();
    // The palette entry for the cell of red, green, blue cell numbers (each 0..63, not checked); 0 when no palette
    // is attached.
    uint8_t Lookup(int redCell, int greenCell, int blueCell) {
        ColorCell& cell = blocks_[redCell][greenCell * kColorCellsPerAxis + blueCell];
        if (cell.count == 0) {
            if (count_ <= 0) return 0;
            FillBox(redCell, greenCell, blueCell);
        }
        return static_cast<uint8_t>(cell.count - 1);
    }
    uint8_t LookupColor(uint8_t red, uint8_t green, uint8_t blue) {
        return Lookup(red >> (8 - kColorCellBits), green >> (8 - kColorCellBits), blue >> (8 - kColorCellBits));
    }

private:
    void FillBox(int redCell, int greenCell, int blueCell);

    ColorCell* const* blocks_ = nullptr;
    const PaletteColor* palette_ = nullptr;
    int count_ = 0;
};
