// Bitmap8: creation and filling of 8-bit bottom-up bitmaps.
#include "platform/Bitmap8.h"

#include <algorithm>
#include <cstring>
#include <new>

int64_t Bitmap8::StrideFor(int32_t width) { return width > 0 ? ((int64_t{width} + 3) & ~int64_t{3}) : 0; }

std::unique_ptr<Bitmap8> Bitmap8::Create(int32_t width, int32_t height, const RgbQuad* colorTable) {
    if (width <= 0 || height <= 0) return nullptr;
    const int64_t stride = StrideFor(width);
    if (stride > kMaxBytes / height) return nullptr;
    try {
        std::unique_ptr<Bitmap8> b(new Bitmap8);
        b->bits_.assign(static_cast<size_t>(stride * height), 0);
        b->width_ = width;
        b->height_ = height;
        b->stride_ = static_cast<int32_t>(stride);
        b->top_ = b->bits_.data() + static_cast<size_t>(stride) * static_cast<size_t>(height - 1);
        if (colorTable) std::memcpy(b->colors_, colorTable, sizeof(b->colors_));
        return b;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::unique_ptr<Bitmap8> Bitmap8::CreateFilled(int32_t width, int32_t height, const RgbQuad* colorTable, uint8_t fill) {
    auto b = Create(width, height, colorTable);
    if (b) b->Fill(fill);
    return b;
}

void Bitmap8::Fill(uint8_t value) { std::fill(bits_.begin(), bits_.end(), value); }
