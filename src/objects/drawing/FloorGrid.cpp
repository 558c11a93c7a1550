// FloorGrid: the diagonal floor grid painted under a composed picture.
#include "objects/drawing/FloorGrid.h"

#include "platform/Bitmap24.h"

void DrawFloorGrid(Bitmap24& picture, int64_t originX, int64_t originY, int zoomLevel, RgbColor background) {
    static constexpr int64_t kRowBias[3] = {9, 17, 33};
    static constexpr int64_t kMask[3] = {31, 63, 127};
    const int zoom = (zoomLevel >= 0 && zoomLevel < 3) ? zoomLevel : 0;
    const int64_t k = kRowBias[zoom], mask = kMask[zoom];
    const uint8_t plain[3] = {background.blue, background.green, background.red};
    const uint8_t inverted[3] = {static_cast<uint8_t>(~background.blue), static_cast<uint8_t>(~background.green),
                                 static_cast<uint8_t>(~background.red)};
    const int32_t height = picture.GetHeight();
    for (int32_t top = 0; top < height; ++top) {
        const int64_t r = height - 1 - top;  // counted upward
        const int64_t rw = 2 * (r - originY + k);
        uint8_t* p = picture.GetRow(top);
        for (int32_t c = 0; c < picture.GetWidth(); ++c, p += 3) {
            const int64_t cw = c - originX;
            const bool line = (cw & 1) == 0 && (((rw - cw) & mask) == 0 || ((rw + cw) & mask) == 0);
            const uint8_t* color = line ? inverted : plain;
            p[0] = color[0];
            p[1] = color[1];
            p[2] = color[2];
        }
    }
}
