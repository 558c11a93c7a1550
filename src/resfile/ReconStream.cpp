// ReconStream: the read, write and count primitives of the serialisation stream.
#include "resfile/ReconStream.h"

#include <cstring>

ReconStream::ReconStream(uint8_t* buffer, int32_t size, Mode mode, bool swap)
    : buffer_(buffer), size_(size < 0 ? 0 : size), mode_(mode), swap_(swap ? 1 : 0),
      reader_(buffer, static_cast<size_t>(size < 0 ? 0 : size)) {}

ReconStream::ReconStream() = default;

bool ReconStream::Room(int32_t n) {
    if (failed_ || n < 0 || n > size_ - position_) {
        failed_ = true;
        return false;
    }
    return true;
}

void ReconStream::Bytes(void* storage, int32_t n) {
    if (failed_ || n < 0) { failed_ = true; return; }
    switch (mode_) {
        case kCount: position_ += n; return;
        case kRead:
            if (!reader_.ReadBytes(storage, static_cast<size_t>(n))) { failed_ = true; return; }
            break;
        case kWrite:
            if (!Room(n)) return;
            if (n) std::memcpy(buffer_ + position_, storage, static_cast<size_t>(n));
            break;
    }
    position_ += n;
}

void ReconStream::ShortsOf(uint16_t* storage, int32_t n) {
    if (failed_ || n < 0 || n > INT32_MAX / 2) { failed_ = true; return; }
    if (mode_ == kCount) { position_ += 2 * n; return; }
    if (mode_ == kRead) {
        const uint8_t* p = reader_.ReadSpan(2 * static_cast<size_t>(n));
        if (!p) { failed_ = true; return; }
        for (int32_t i = 0; i < n; ++i)
            storage[i] = swap_ ? static_cast<uint16_t>((p[2 * i] << 8) | p[2 * i + 1])
                               : static_cast<uint16_t>(p[2 * i] | (p[2 * i + 1] << 8));
    } else {
        if (!Room(2 * n)) return;
        uint8_t* p = buffer_ + position_;
        for (int32_t i = 0; i < n; ++i) {
            uint16_t v = storage[i];
            p[2 * i + (swap_ ? 1 : 0)] = static_cast<uint8_t>(v);
            p[2 * i + (swap_ ? 0 : 1)] = static_cast<uint8_t>(v >> 8);
        }
    }
    position_ += 2 * n;
}

void ReconStream::LongsOf(uint32_t* storage, int32_t n) {
    if (failed_ || n < 0 || n > INT32_MAX / 4) { failed_ = true; return; }
    if (mode_ == kCount) { position_ += 4 * n; return; }
    if (mode_ == kRead) {
        const uint8_t* p = reader_.ReadSpan(4 * static_cast<size_t>(n));
        if (!p) { failed_ = true; return; }
        for (int32_t i = 0; i < n; ++i, p += 4) {
            uint32_t le = static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                          (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
            storage[i] = swap_ ? __builtin_bswap32(le) : le;
        }
    } else {
        if (!Room(4 * n)) return;
        uint8_t* p = buffer_ + position_;
        for (int32_t i = 0; i < n; ++i) {
            uint32_t v = storage[i];
            for (int b = 0; b < 4; ++b) p[4 * i + (swap_ ? 3 - b : b)] = static_cast<uint8_t>(v >> (8 * b));
        }
    }
    position_ += 4 * n;
}

void ReconStream::RawLongs(uint32_t* storage, int32_t n) {
    if (failed_ || n < 0 || n > INT32_MAX / 4) { failed_ = true; return; }
    if (mode_ == kCount) { position_ += 4 * n; return; }
    if (mode_ == kRead) {
        const uint8_t* p = reader_.ReadSpan(4 * static_cast<size_t>(n));
        if (!p) { failed_ = true; return; }
        for (int32_t i = 0; i < n; ++i, p += 4)
            storage[i] = static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
    } else {
        if (!Room(4 * n)) return;
        for (int32_t i = 0; i < n; ++i) {
            uint32_t v = storage[i];
            for (int b = 0; b < 4; ++b) buffer_[position_ + 4 * i + b] = static_cast<uint8_t>(v >> (8 * b));
        }
    }
    position_ += 4 * n;
}

void ReconStream::String(BoundedString& s) {
    if (failed_) return;
    int32_t stored = 0;
    switch (mode_) {
        case kCount: stored = static_cast<int32_t>(s.Length()); break;
        case kRead: {
            ptrdiff_t len = reader_.PeekCStringLength();
            if (len < 0) { failed_ = true; return; }
            const uint8_t* text = reader_.ReadSpan(static_cast<size_t>(len) + 1);
            s.AssignWithoutNul(std::string_view(reinterpret_cast<const char*>(text), static_cast<size_t>(len)));
            stored = static_cast<int32_t>(len);
            break;
        }
        case kWrite:
            stored = static_cast<int32_t>(s.Length());
            if (!Room(stored + 1)) return;
            std::memcpy(buffer_ + position_, s.CStr(), static_cast<size_t>(stored) + 1);
            break;
    }
    position_ += stored + 1;
    if (position_ & 1) {
        // The pad byte: skipped on reading (a text that ends the data needs none), never written.
        if (mode_ == kRead) {
            if (!reader_.IsAtEnd()) reader_.Skip(1);
        } else if (mode_ == kWrite && position_ >= size_) {
            failed_ = true;
            return;
        }
        position_ += 1;
    }
}

int32_t ReconStream::Count(int32_t count, int32_t minElementSize) {
    int32_t value = count;
    Longs(&value, 1);
    if (failed_) return 0;
    if (mode_ == kRead) {
        int64_t need = static_cast<int64_t>(value) * (minElementSize > 0 ? minElementSize : 0);
        if (value < 0 || need > static_cast<int64_t>(reader_.GetRemaining())) {
            failed_ = true;
            return 0;
        }
    }
    return value;
}
