// ChooseTransparentIndex: scans the indices from 255 down, keeping the least used one nearest to yellow.
#include "export/ChooseTransparentIndex.h"

int ChooseTransparentIndex(const uint32_t counts[256], const PaletteColor palette[256]) {
    uint64_t bestCount = UINT64_MAX;
    int64_t bestDistance = INT64_MAX;
    int best = 255;
    for (int i = 255; i >= 0; --i) {
        const uint64_t c = counts[i];
        if (c > bestCount) continue;
        const int64_t dr = int64_t{palette[i].red} - 255;
        const int64_t dg = int64_t{palette[i].green} - 255;
        const int64_t db = palette[i].blue;
        const int64_t d = dg * dg + db * db + dr * dr;
        // Scanning downwards, only a strictly nearer entry displaces an equally used one: ties keep the higher.
        if (c < bestCount || d < bestDistance) {
            best = i;
            bestCount = c;
            bestDistance = d;
        }
    }
    return best;
}
