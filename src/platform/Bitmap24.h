// Bitmap24: an in-memory 24-bit picture (blue, green, red per pixel), rows stored bottom-up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// Rows are stored bottom row first, each padded to a multiple of 4 bytes. Pixel (row r, column c), counted from
// the top-left corner, starts at GetTopRow() + r * GetRowStep() + 3 * c and holds blue, green, red.
class Bitmap24 {
public:
    static constexpr int64_t kMaxBytes = int64_t{1} << 30;

    // A picture of width x height pixels, all black. Null when a side is not positive, the pixels would pass
    // kMaxBytes, or memory runs out.
    static std::unique_ptr<Bitmap24> Create(int32_t width, int32_t height);

    int32_t GetWidth() const { return width_; }
    int32_t GetHeight() const { return height_; }
    int32_t GetStride() const { return stride_; }
    uint8_t* GetTopRow() { return top_; }
    const uint8_t* GetTopRow() const { return top_; }
    ptrdiff_t GetRowStep() const { return -static_cast<ptrdiff_t>(stride_); }
    uint8_t* GetRow(int32_t r) { return top_ + r * GetRowStep(); }
    const uint8_t* GetRow(int32_t r) const { return top_ + r * GetRowStep(); }
    // The pixel block in stored order (bottom row first), GetStride() x GetHeight() bytes.
    uint8_t* GetBits() { return bits_.data(); }
    const uint8_t* GetBits() const { return bits_.data(); }
    size_t GetBitsSize() const { return bits_.size(); }
    // Sets every pixel to the colour (padding stays 0).
    void Fill(uint8_t red, uint8_t green, uint8_t blue);

private:
    Bitmap24() = default;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t stride_ = 0;
    std::vector<uint8_t> bits_;
    uint8_t* top_ = nullptr;
};
