// ByteReader: the one bounds-checked, soft-failing reader over file bytes that every parser uses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// A non-owning view over (data, size). A read that would pass the end returns 0 (or copies nothing),
// leaves the position where it was and sets a sticky failure flag, so a whole record can be read and
// checked once with HasFailed(). Offsets are size_t and every advance is overflow-checked here only.
class ByteReader {
public:
    ByteReader() = default;
    ByteReader(const uint8_t* data, size_t size) : data_(size ? data : nullptr), size_(data ? size : 0) {}

    size_t GetSize() const { return size_; }
    size_t GetPosition() const { return pos_; }
    size_t GetRemaining() const { return size_ - pos_; }
    bool HasFailed() const { return failed_; }
    bool IsAtEnd() const { return pos_ >= size_; }
    const uint8_t* GetData() const { return data_; }
    // Marks the reader failed from outside (a caller that found a field value unusable).
    void Fail() { failed_ = true; }

    // Moves to an absolute offset; past the end fails.
    bool Seek(size_t offset) {
        if (offset > size_) { failed_ = true; return false; }
        pos_ = offset;
        return true;
    }
    bool Skip(size_t n) {
        if (!Has(n)) return false;
        pos_ += n;
        return true;
    }
    // True when n more bytes can be read; a false answer marks the reader failed.
    bool Has(size_t n) {
        if (failed_ || n > size_ - pos_) { failed_ = true; return false; }
        return true;
    }
    // Moves to the next even position (a pad byte after a string), if there is one to skip.
    bool AlignEven() { return (pos_ & 1) ? Skip(1) : true; }

    uint8_t ReadUInt8() {
        if (!Has(1)) return 0;
        return data_[pos_++];
    }
    int8_t ReadInt8() { return static_cast<int8_t>(ReadUInt8()); }
    uint16_t ReadUInt16LE() {
        if (!Has(2)) return 0;
        uint16_t v = static_cast<uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
        pos_ += 2;
        return v;
    }
    uint16_t ReadUInt16BE() {
        if (!Has(2)) return 0;
        uint16_t v = static_cast<uint16_t>((data_[pos_] << 8) | data_[pos_ + 1]);
        pos_ += 2;
        return v;
    }
    uint32_t ReadUInt32LE() {
        if (!Has(4)) return 0;
        uint32_t v = static_cast<uint32_t>(data_[pos_]) | (static_cast<uint32_t>(data_[pos_ + 1]) << 8) |
                     (static_cast<uint32_t>(data_[pos_ + 2]) << 16) | (static_cast<uint32_t>(data_[pos_ + 3]) << 24);
        pos_ += 4;
        return v;
    }
    uint32_t ReadUInt32BE() {
        if (!Has(4)) return 0;
        uint32_t v = (static_cast<uint32_t>(data_[pos_]) << 24) | (static_cast<uint32_t>(data_[pos_ + 1]) << 16) |
                     (static_cast<uint32_t>(data_[pos_ + 2]) << 8) | static_cast<uint32_t>(data_[pos_ + 3]);
        pos_ += 4;
        return v;
    }
    uint64_t ReadUInt64LE() {
        if (!Has(8)) return 0;
        uint64_t v = 0;
        for (int i = 7; i >= 0; --i) v = (v << 8) | data_[pos_ + static_cast<size_t>(i)];
        pos_ += 8;
        return v;
    }
    int64_t ReadInt64LE() { return static_cast<int64_t>(ReadUInt64LE()); }
    int16_t ReadInt16LE() { return static_cast<int16_t>(ReadUInt16LE()); }
    int16_t ReadInt16BE() { return static_cast<int16_t>(ReadUInt16BE()); }
    int32_t ReadInt32LE() { return static_cast<int32_t>(ReadUInt32LE()); }
    int32_t ReadInt32BE() { return static_cast<int32_t>(ReadUInt32BE()); }
    uint16_t ReadUInt16(bool bigEndian) { return bigEndian ? ReadUInt16BE() : ReadUInt16LE(); }
    uint32_t ReadUInt32(bool bigEndian) { return bigEndian ? ReadUInt32BE() : ReadUInt32LE(); }

    // Copies n bytes into out; on failure out is left untouched.
    bool ReadBytes(void* out, size_t n) {
        if (!Has(n)) return false;
        if (n) std::memcpy(out, data_ + pos_, n);
        pos_ += n;
        return true;
    }
    // Pointer to the next n bytes, advancing past them; null on failure.
    const uint8_t* ReadSpan(size_t n) {
        if (!Has(n)) return nullptr;
        const uint8_t* p = data_ + pos_;
        pos_ += n;
        return p;
    }
    // Length of the NUL-terminated text at the position (the NUL excluded); -1 when no NUL is left
    // in the data. Does not move.
    ptrdiff_t PeekCStringLength() const {
        if (failed_ || pos_ >= size_) return -1;
        const void* nul = std::memchr(data_ + pos_, 0, size_ - pos_);
        return nul ? static_cast<const uint8_t*>(nul) - (data_ + pos_) : -1;
    }
    // A child reader limited to the next n bytes; the parent moves past them.
    ByteReader Slice(size_t n) {
        if (!Has(n)) { ByteReader r; r.failed_ = true; return r; }
        ByteReader r(data_ + pos_, n);
        pos_ += n;
        return r;
    }

private:
    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
    size_t pos_ = 0;
    bool failed_ = false;
};
