// Bitmap8: an in-memory 8-bit bitmap with a 256-entry colour table, rows stored bottom-up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/ColorTypes.h"

// Rows are stored bottom row first, each padded to a multiple of 4 bytes (the stride). Drawing code walks the
// picture from the top through GetTopRow() and the negative GetRowStep(): pixel (row r, column c), counted from
// the top-left corner, lies at GetTopRow() + r * GetRowStep() + c.
class Bitmap8 {
public:
    // Largest pixel block a bitmap may hold.
    static constexpr int64_t kMaxBytes = int64_t{1} << 30;

    // A bitmap of width x height pixels, all 0, whose colour table is a copy of the 256 entries of `colorTable`
    // (all black when null). Null when a side is not positive, the pixels would pass kMaxBytes, or memory runs
    // out.
    static std::unique_ptr<Bitmap8> Create(int32_t width, int32_t height, const RgbQuad* colorTable);
    // As Create, with every pixel set to `fill`. Null on the same failures.
    static std::unique_ptr<Bitmap8> CreateFilled(int32_t width, int32_t height, const RgbQuad* colorTable,
                                                 uint8_t fill);
    // Bytes per row, padding included, for a width (0 for a width that is not positive).
    static int64_t StrideFor(int32_t width);

    int32_t GetWidth() const { return width_; }
    int32_t GetHeight() const { return height_; }
    int32_t GetStride() const { return stride_; }
    uint8_t* GetTopRow() { return top_; }
    const uint8_t* GetTopRow() const { return top_; }
    ptrdiff_t GetRowStep() const { return -static_cast<ptrdiff_t>(stride_); }
    // Row r counted from the top (no range check).
    uint8_t* GetRow(int32_t r) { return top_ + r * GetRowStep(); }
    const uint8_t* GetRow(int32_t r) const { return top_ + r * GetRowStep(); }
    // The pixel block in stored order (bottom row first), GetStride() x GetHeight() bytes.
    uint8_t* GetBits() { return bits_.data(); }
    const uint8_t* GetBits() const { return bits_.data(); }
    size_t GetBitsSize() const { return bits_.size(); }
    RgbQuad* GetColorTable() { return colors_; }
    const RgbQuad* GetColorTable() const { return colors_; }
    // Sets every pixel (padding included) to `value`.
    void Fill(uint8_t value);

private:
    Bitmap8() = default;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t stride_ = 0;
    std::vector<uint8_t> bits_;
    uint8_t* top_ = nullptr;
    RgbQuad colors_[256] = {};
};
