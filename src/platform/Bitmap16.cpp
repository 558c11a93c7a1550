// Bitmap16: creation and filling of 16-bit bottom-up depth buffers.
#include "platform/Bitmap16.h"

#include <algorithm>
#include <new>

std::unique_ptr<Bitmap16> Bitmap16::Create(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return nullptr;
    const int64_t stride = (int64_t{width} * 2 + 3) & ~int64_t{3};
    if (stride > kMaxBytes / height) return nullptr;
    try {
        std::unique_ptr<Bitmap16> b(new Bitmap16);
        const size_t perRow = static_cast<size_t>(stride / 2);
        b->values_.assign(perRow * static_cast<size_t>(height), 0);
        b->width_ = width;
        b->height_ = height;
        b->stride_ = static_cast<int32_t>(stride);
        b->top_ = b->values_.data() + perRow * static_cast<size_t>(height - 1);
        return b;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::unique_ptr<Bitmap16> Bitmap16::CreateFilled(int32_t width, int32_t height, uint16_t fill) {
    auto b = Create(width, height);
    if (b) b->Fill(fill);
    return b;
}

void Bitmap16::Fill(uint16_t value) { std::fill(values_.begin(), values_.end(), value); }
