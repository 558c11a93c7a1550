// Bitmap16: an in-memory bitmap of unsigned 16-bit values (a depth buffer), rows stored bottom-up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// Rows are stored bottom row first, each padded to a multiple of 4 bytes. Value (row r, column c), counted from
// the top-left corner, lies at GetTopRow() + r * GetRowStep() + c; the step is counted in 16-bit values and is
// negative.
class Bitmap16 {
public:
    static constexpr int64_t kMaxBytes = int64_t{1} << 30;

    // A bitmap of width x height values, all 0. Null when a side is not positive, the values would pass
    // kMaxBytes, or memory runs out.
    static std::unique_ptr<Bitmap16> Create(int32_t width, int32_t height);
    // As Create, with every value set to `fill`.
    static std::unique_ptr<Bitmap16> CreateFilled(int32_t width, int32_t height, uint16_t fill);

    int32_t GetWidth() const { return width_; }
    int32_t GetHeight() const { return height_; }
    // Bytes per row, padding included.
    int32_t GetStride() const { return stride_; }
    uint16_t* GetTopRow() { return top_; }
    const uint16_t* GetTopRow() const { return top_; }
    ptrdiff_t GetRowStep() const { return -static_cast<ptrdiff_t>(stride_ / 2); }
    uint16_t* GetRow(int32_t r) { return top_ + r * GetRowStep(); }
    const uint16_t* GetRow(int32_t r) const { return top_ + r * GetRowStep(); }
    void Fill(uint16_t value);

private:
    Bitmap16() = default;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t stride_ = 0;
    std::vector<uint16_t> values_;
    uint16_t* top_ = nullptr;
};
