// MedianCut: splits the non-empty cells of a colour histogram into boxes and makes one palette entry per box.
#include "import/MedianCut.h"

#include <cstdint>

namespace {

struct ColorBox {
    int rMin = 0, rMax = 0, gMin = 0, gMax = 0, bMin = 0, bMax = 0;
    int64_t volume = 0;
    int64_t colorCount = 0;  // non-empty cells in the box
};

class BoxCutter {
public:
    explicit BoxCutter(ColorCell* const* blocks) : blocks_(blocks) {}

    const ColorCell& Cell(int r, int g, int b) const { return blocks_[r][g * kColorCellsPerAxis + b]; }

    bool RedPlaneUsed(const ColorBox& box, int r) const {
        for (int g = box.gMin; g <= box.gMax; ++g)
            for (int b = box.bMin; b <= box.bMax; ++b)
                if (Cell(r, g, b).count) return true;
        return false;
    }
    bool GreenPlaneUsed(const ColorBox& box, int g) const {
        for (int r = box.rMin; r <= box.rMax; ++r)
            for (int b = box.bMin; b <= box.bMax; ++b)
                if (Cell(r, g, b).count) return true;
        return false;
    }
    bool BluePlaneUsed(const ColorBox& box, int b) const {
        for (int r = box.rMin; r <= box.rMax; ++r)
            for (int g = box.gMin; g <= box.gMax; ++g)
                if (Cell(r, g, b).count) return true;
        return false;
    }

    // Moves each bound inward past planes without a non-empty cell, then recomputes volume and colour count.
    void Shrink(ColorBox& box) const {
        while (box.rMin < box.rMax && !RedPlaneUsed(box, box.rMin)) ++box.rMin;
        while (box.rMax > box.rMin && !RedPlaneUsed(box, box.rMax)) --box.rMax;
        while (box.gMin < box.gMax && !GreenPlaneUsed(box, box.gMin)) ++box.gMin;
        while (box.gMax > box.gMin && !GreenPlaneUsed(box, box.gMax)) --box.gMax;
        while (box.bMin < box.bMax && !BluePlaneUsed(box, box.bMin)) ++box.bMin;
        while (box.bMax > box.bMin && !BluePlaneUsed(box, box.bMax)) --box.bMax;
        const int64_t dr = 8 * (box.rMax - box.rMin);
        const int64_t dg = 12 * (box.gMax - box.gMin);
        const int64_t db = 4 * (box.bMax - box.bMin);
        box.volume = dr * dr + dg * dg + db * db;
        int64_t cells = 0;
        for (int r = box.rMin; r <= box.rMax; ++r)
            for (int g = box.gMin; g <= box.gMax; ++g)
                for (int b = box.bMin; b <= box.bMax; ++b)
                    if (Cell(r, g, b).count) ++cells;
        box.colorCount = cells;
    }

    // The count-weighted mean of the exact colours of the box's non-empty cells, rounded to nearest.
    PaletteColor Mean(const ColorBox& box) const {
        uint64_t total = 0, red = 0, green = 0, blue = 0;
        for (int r = box.rMin; r <= box.rMax; ++r)
            for (int g = box.gMin; g <= box.gMax; ++g)
                for (int b = box.bMin; b <= box.bMax; ++b) {
                    const ColorCell& cell = Cell(r, g, b);
                    if (!cell.count) continue;
                    total += cell.count;
                    red += uint64_t{cell.count} * cell.red;
                    green += uint64_t{cell.count} * cell.green;
                    blue += uint64_t{cell.count} * cell.blue;
                }
        PaletteColor out;
        if (total == 0) return out;
        out.red = static_cast<uint8_t>((red + total / 2) / total);
        out.green = static_cast<uint8_t>((green + total / 2) / total);
        out.blue = static_cast<uint8_t>((blue + total / 2) / total);
        return out;
    }

private:
    ColorCell* const* blocks_;
};

// The first box with the largest colour count among boxes with a volume above 0; -1 when there is none.
int FindMostColors(const ColorBox* boxes, int count) {
    int best = -1;
    int64_t most = 0;
    for (int i = 0; i < count; ++i)
        if (boxes[i].volume > 0 && boxes[i].colorCount > most) {
            most = boxes[i].colorCount;
            best = i;
        }
    return best;
}

// The first box with the largest volume (above 0); -1 when there is none.
int FindLargestVolume(const ColorBox* boxes, int count) {
    int best = -1;
    int64_t largest = 0;
    for (int i = 0; i < count; ++i)
        if (boxes[i].volume > largest) {
            largest = boxes[i].volume;
            best = i;
        }
    return best;
}

}  // namespace

int MedianCut(ColorCell* const* blocks, int wanted, PaletteColor out[256]) {
    if (wanted < 1) wanted = 1;
    if (wanted > 256) wanted = 256;
    for (int i = 0; i < 256; ++i) out[i] = PaletteColor{128, 128, 128, 0};

    BoxCutter cutter(blocks);
    ColorBox boxes[256];
    boxes[0].rMax = boxes[0].gMax = boxes[0].bMax = kColorCellsPerAxis - 1;
    cutter.Shrink(boxes[0]);
    if (boxes[0].colorCount == 0) return 0;
    int count = 1;
    while (count < wanted) {
        const int chosen = 2 * count <= wanted ? FindMostColors(boxes, count) : FindLargestVolume(boxes, count);
        if (chosen < 0 || boxes[chosen].colorCount < 2) break;
        ColorBox& box = boxes[chosen];
        ColorBox& added = boxes[count];
        added = box;
        const int redLength = 8 * (box.rMax - box.rMin);
        const int greenLength = 12 * (box.gMax - box.gMin);
        const int blueLength = 4 * (box.bMax - box.bMin);
        if (blueLength > redLength && blueLength > greenLength) {
            const int middle = (box.bMin + box.bMax) / 2;
            box.bMax = middle;
            added.bMin = middle + 1;
        } else if (greenLength >= redLength) {
            const int middle = (box.gMin + box.gMax) / 2;
            box.gMax = middle;
            added.gMin = middle + 1;
        } else {
            const int middle = (box.rMin + box.rMax) / 2;
            box.rMax = middle;
            added.rMin = middle + 1;
        }
        cutter.Shrink(box);
        cutter.Shrink(added);
        ++count;
    }
    for (int i = 0; i < count; ++i) out[i] = cutter.Mean(boxes[i]);
    return count;
}
