// InverseColorMap: the lazily filled map from 6-bit colour cells to the nearest palette entry.
#include "import/InverseColorMap.h"

#include <climits>
#include <cstring>

namespace {

constexpr int kCellShift = 8 - kColorCellBits;  // 8-bit units per cell: 4
constexpr int kBoxCellsLog = 3;                 // a box is 8 cells along each axis
constexpr int kBoxCells = 1 << kBoxCellsLog;
constexpr int kBoxShift = kBoxCellsLog + kCellShift;  // 8-bit units per box: 32
constexpr int kCellCentre = (1 << kCellShift) >> 1;   // a cell's centre, counted from its lowest value

// Least and greatest squared distance along one axis between a value and the range minC..maxC.
void AxisDistances(int value, int minC, int maxC, int scale, int32_t& least, int32_t& greatest) {
    const int centre = (minC + maxC) >> 1;
    int32_t t;
    if (value < minC) {
        t = (value - minC) * scale;
        least = t * t;
        t = (value - maxC) * scale;
        greatest = t * t;
    } else if (value > maxC) {
        t = (value - maxC) * scale;
        least = t * t;
        t = (value - minC) * scale;
        greatest = t * t;
    } else {
        least = 0;
        t = (value <= centre ? value - maxC : value - minC) * scale;
        greatest = t * t;
    }
}

}  // namespace

void InverseColorMap::Attach(ColorCell* const* blocks, const PaletteColor* palette, int count) {
    blocks_ = blocks;
    palette_ = palette;
    count_ = count < 0 ? 0 : (count > 256 ? 256 : count);
}

void InverseColorMap::Clear() {
    if (!blocks_) return;
    for (int i = 0; i < kColorCellBlocks; ++i) std::memset(static_cast<void*>(blocks_[i]), 0, sizeof(ColorCell) * kColorCellsPerBlock);
}

void InverseColorMap::FillBox(int redCell, int greenCell, int blueCell) {
    // The box's first cell centre and last cell centre in 8-bit units.
    const int boxR = redCell >> kBoxCellsLog, boxG = greenCell >> kBoxCellsLog, boxB = blueCell >> kBoxCellsLog;
    const int minR = (boxR << kBoxShift) + kCellCentre, maxR = minR + (1 << kBoxShift) - (1 << kCellShift);
    const int minG = (boxG << kBoxShift) + kCellCentre, maxG = minG + (1 << kBoxShift) - (1 << kCellShift);
    const int minB = (boxB << kBoxShift) + kCellCentre, maxB = minB + (1 << kBoxShift) - (1 << kCellShift);

    // Entries that can be nearest somewhere in the box: least distance not above the smallest greatest distance.
    int32_t least[256];
    int32_t smallestGreatest = INT32_MAX;
    for (int i = 0; i < count_; ++i) {
        int32_t l0, g0, l1, g1, l2, g2;
        AxisDistances(palette_[i].red, minR, maxR, 2, l0, g0);
        AxisDistances(palette_[i].green, minG, maxG, 3, l1, g1);
        AxisDistances(palette_[i].blue, minB, maxB, 1, l2, g2);
        least[i] = l0 + l1 + l2;
        if (g0 + g1 + g2 < smallestGreatest) smallestGreatest = g0 + g1 + g2;
    }
    uint8_t candidates[256];
    int candidateCount = 0;
    for (int i = 0; i < count_; ++i)
        if (least[i] <= smallestGreatest) candidates[candidateCount++] = static_cast<uint8_t>(i);

    const int firstR = boxR << kBoxCellsLog, firstG = boxG << kBoxCellsLog, firstB = boxB << kBoxCellsLog;
    for (int r = 0; r < kBoxCells; ++r) {
        const int valueR = minR + (r << kCellShift);
        ColorCell* block = blocks_[firstR + r];
        for (int g = 0; g < kBoxCells; ++g) {
            const int valueG = minG + (g << kCellShift);
            ColorCell* cell = block + (firstG + g) * kColorCellsPerAxis + firstB;
            for (int b = 0; b < kBoxCells; ++b, ++cell) {
                const int valueB = minB + (b << kCellShift);
                // An entry that lies inside the cell wins over entries outside it, so that a picture whose
                // colours are all palette entries maps onto them exactly.
                int32_t bestDistance = INT32_MAX;
                bool bestInside = false;
                uint8_t best = 0;
                for (int k = 0; k < candidateCount; ++k) {
                    const PaletteColor& e = palette_[candidates[k]];
                    const bool inside = (e.red >> kCellShift) == firstR + r && (e.green >> kCellShift) == firstG + g &&
                                        (e.blue >> kCellShift) == firstB + b;
                    if (bestInside && !inside) continue;
                    const int32_t d = ColorDistance(valueR - e.red, valueG - e.green, valueB - e.blue);
                    if (d < bestDistance || (inside && !bestInside)) {
                        bestDistance = d;
                        bestInside = inside;
                        best = candidates[k];
                    }
                }
                cell->count = uint32_t{best} + 1;
            }
        }
    }
}
