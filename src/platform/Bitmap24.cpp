// Bitmap24: creation and filling of 24-bit bottom-up pictures.
#include "platform/Bitmap24.h"

#include <new>

std::unique_ptr<Bitmap24> Bitmap24::Create(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return nullptr;
    const int64_t stride = (int64_t{width} * 3 + 3) & ~int64_t{3};
    if (stride > kMaxBytes / height) return nullptr;
    try {
        std::unique_ptr<Bitmap24> b(new Bitmap24);
        b->bits_.assign(static_cast<size_t>(stride * height), 0);
        b->width_ = width;
        b->height_ = height;
        b->stride_ = static_cast<int32_t>(stride);
        b->top_ = b->bits_.data() + static_cast<size_t>(stride) * static_cast<size_t>(height - 1);
        return b;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void Bitmap24::Fill(uint8_t red, uint8_t green, uint8_t blue) {
    for (int32_t r = 0; r < height_; ++r) {
        uint8_t* p = GetRow(r);
        for (int32_t c = 0; c < width_; ++c, p += 3) {
            p[0] = blue;
            p[1] = green;
            p[2] = red;
        }
    }
}
