// OffscreenImage: an 8-bit image with its own palette on which sprite frames are decoded and encoded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "objects/PalWrap.h"
#include "platform/Bitmap8.h"
#include "platform/Rect.h"

// Empty after construction; holds a bitmap after Create (its own) or Attach (borrowed); holds only an owned copy
// of the pixels after DetachPixels; empty again after Release. Pixel (row r, column c), counted from the top-left
// corner, lies at GetTopRow() + r * GetRowStep() + c; the step is negative (rows are stored bottom-up).
class OffscreenImage {
public:
    OffscreenImage() = default;
    ~OffscreenImage() { Release(); }
    OffscreenImage(const OffscreenImage&) = delete;
    OffscreenImage& operator=(const OffscreenImage&) = delete;

    // Releases what the image held, then makes a bottom-up 8-bit bitmap of the rectangle's size whose colour
    // table is the palette's 256 entries; a null palette means the default palette. The bounds become the
    // rectangle. Returns false, the image then holding nothing, when the rectangle is empty or the bitmap cannot
    // be made.
    bool Create(const Rect& bounds, const PalWrap* palette);
    // Releases what the image held, then takes an existing bitmap that stays owned by the caller (it must
    // outlive the image or its release); bounds (0, 0, height, width). False for a null bitmap or one whose
    // sides do not fit the 16-bit bounds.
    bool Attach(Bitmap8* bitmap);
    // Copies all rows into an owned buffer (GetTopRow and GetRowStep then address that copy), then lets go of
    // the bitmap: one made by Create is deleted, an attached one is left to its owner. Bounds and size stay.
    // False when the image holds no bitmap (nothing changes).
    bool DetachPixels();
    // Deletes the bitmap unless attached, frees the owned copy and clears every field.
    void Release();

    // The bounds; all zero when the image holds no pixels.
    Rect GetBounds() const { return bounds_; }
    // True when a bitmap is held or attached (false after DetachPixels).
    bool HasBitmap() const { return bitmap_ != nullptr; }
    // True when the image has pixels to read, from a bitmap or from a detached copy.
    bool HasPixels() const { return top_ != nullptr; }
    bool IsAttached() const { return attached_; }
    int32_t GetWidth() const { return width_; }
    int32_t GetHeight() const { return height_; }
    // Null when the image holds no pixels.
    uint8_t* GetTopRow() { return top_; }
    const uint8_t* GetTopRow() const { return top_; }
    ptrdiff_t GetRowStep() const { return step_; }
    // Row r counted from the top (no range check).
    uint8_t* GetRow(int32_t r) { return top_ + r * step_; }
    const uint8_t* GetRow(int32_t r) const { return top_ + r * step_; }
    // The bitmap held or attached; null otherwise.
    Bitmap8* GetBitmap() { return bitmap_; }
    // The palette the image was created with (null for attached images and empty ones).
    const PalWrap* GetPalette() const { return palette_; }
    // Sets every pixel to `value`; does nothing when the image holds no pixels.
    void Fill(uint8_t value);

private:
    Rect bounds_;
    std::unique_ptr<Bitmap8> owned_;
    Bitmap8* bitmap_ = nullptr;
    const PalWrap* palette_ = nullptr;
    uint8_t* top_ = nullptr;
    ptrdiff_t step_ = 0;
    int32_t width_ = 0;
    int32_t height_ = 0;
    bool attached_ = false;
    std::vector<uint8_t> copy_;
};
