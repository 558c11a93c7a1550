// OffscreenImage: creation, attachment, pixel detachment and release of 8-bit images.
#include "objects/OffscreenImage.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "objects/SharedPalettes.h"

bool OffscreenImage::Create(const Rect& bounds, const PalWrap* palette) {
    Release();
    if (IsRectEmpty(bounds)) return false;
    const PalWrap& pal = palette ? *palette : GetDefaultPalette();
    RgbQuad colors[256];
    pal.GetColorTable(colors);
    owned_ = Bitmap8::Create(bounds.Width(), bounds.Height(), colors);
    if (!owned_) return false;
    bitmap_ = owned_.get();
    palette_ = &pal;
    bounds_ = bounds;
    width_ = bitmap_->GetWidth();
    height_ = bitmap_->GetHeight();
    top_ = bitmap_->GetTopRow();
    step_ = bitmap_->GetRowStep();
    return true;
}

bool OffscreenImage::Attach(Bitmap8* bitmap) {
    Release();
    if (!bitmap || bitmap->GetWidth() > std::numeric_limits<int16_t>::max() ||
        bitmap->GetHeight() > std::numeric_limits<int16_t>::max()) {
        return false;
    }
    bitmap_ = bitmap;
    attached_ = true;
    width_ = bitmap->GetWidth();
    height_ = bitmap->GetHeight();
    bounds_ = Rect{0, 0, static_cast<int16_t>(height_), static_cast<int16_t>(width_)};
    top_ = bitmap->GetTopRow();
    step_ = bitmap->GetRowStep();
    return true;
}

bool OffscreenImage::DetachPixels() {
    if (!bitmap_) return false;
    try {
        copy_.assign(bitmap_->GetBits(), bitmap_->GetBits() + bitmap_->GetBitsSize());
    } catch (const std::bad_alloc&) {
        return false;
    }
    const size_t stride = static_cast<size_t>(bitmap_->GetStride());
    top_ = copy_.data() + stride * static_cast<size_t>(height_ - 1);
    step_ = -static_cast<ptrdiff_t>(stride);
    owned_.reset();
    bitmap_ = nullptr;
    attached_ = false;
    return true;
}

void OffscreenImage::Release() {
    owned_.reset();
    bitmap_ = nullptr;
    palette_ = nullptr;
    attached_ = false;
    std::vector<uint8_t>().swap(copy_);
    bounds_ = Rect{};
    top_ = nullptr;
    step_ = 0;
    width_ = 0;
    height_ = 0;
}

void OffscreenImage::Fill(uint8_t value) {
    if (!top_) return;
    for (int32_t r = 0; r < height_; ++r) std::memset(GetRow(r), value, static_cast<size_t>(width_));
}
