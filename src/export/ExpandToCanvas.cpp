// ExpandToCanvas: fill, then copy the clipped rectangle of the frame row by row.
#include "export/ExpandToCanvas.h"

#include <algorithm>
#include <cstring>

std::unique_ptr<Bitmap8> ExpandToCanvas(const Bitmap8& frame, int32_t x, int32_t y, int32_t canvasWidth,
                                        int32_t canvasHeight, uint8_t fill) {
    std::unique_ptr<Bitmap8> canvas = Bitmap8::CreateFilled(canvasWidth, canvasHeight, frame.GetColorTable(), fill);
    if (!canvas) return nullptr;
    const int64_t left = std::max<int64_t>(x, 0);
    const int64_t right = std::min<int64_t>(int64_t{x} + frame.GetWidth(), canvasWidth);
    const int64_t topRow = std::max<int64_t>(y, 0);
    const int64_t bottomRow = std::min<int64_t>(int64_t{y} + frame.GetHeight(), canvasHeight);
    if (left >= right || topRow >= bottomRow) return canvas;
    for (int64_t r = topRow; r < bottomRow; ++r) {
        const uint8_t* from = frame.GetRow(static_cast<int32_t>(r - y)) + (left - x);
        std::memcpy(canvas->GetRow(static_cast<int32_t>(r)) + left, from, static_cast<size_t>(right - left));
    }
    return canvas;
}
