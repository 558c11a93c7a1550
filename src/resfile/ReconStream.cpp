// ReconStream: the write and count primitives of the serialisation stream; reading is ReconReader's.
#include "resfile/ReconStream.h"

#include <cstring>

ReconStream::ReconStream(uint8_t* buffer, int32_t size, Mode mode, bool swap)
    : buffer_(buffer), size_(size < 0 ? 0 : size), mode_(mode), swap_(swap ? 1 : 0),
      reader_(buffer, size < 0 ? 0 : size, swap) {}

ReconStream::ReconStream() : reader_(nullptr, 0, false) {}

bool ReconStream::Room(int32_t n) {
    if (failed_ || n < 0 || n > size_ - position_) {
        failed_ = true;
        return false;
    }
    return true;
}

void ReconStream::Bytes(void* storage, int32_t n) {
    if (mode_ == kRead) return Read([&] { reader_.Bytes(storage, n); });
    if (failed_ || n < 0) { failed_ = true; return; }
    if (mode_ == kWrite) {
        if (!Room(n)) return;
        if (n) std::memcpy(buffer_ + position_, storage, static_cast<size_t>(n));
    }
    position_ += n;
}

void ReconStream::ShortsOf(uint16_t* storage, int32_t n) {
    if (failed_ || n < 0 || n > INT32_MAX / 2) { failed_ = true; return; }
    if (mode_ == kWrite) {
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

void ReconStream::LongsOf(uint32_t* storage, int32_t n, bool swap) {
    if (failed_ || n < 0 || n > INT32_MAX / 4) { failed_ = true; return; }
    if (mode_ == kWrite) {
        if (!Room(4 * n)) return;
        uint8_t* p = buffer_ + position_;
        for (int32_t i = 0; i < n; ++i) {
            uint32_t v = storage[i];
            for (int b = 0; b < 4; ++b) p[4 * i + (swap ? 3 - b : b)] = static_cast<uint8_t>(v >> (8 * b));
        }
    }
    position_ += 4 * n;
}

void ReconStream::RawLongs(uint32_t* storage, int32_t n) {
    if (mode_ == kRead) return Read([&] { reader_.RawLongs(storage, n); });
    LongsOf(storage, n, false);
}

void ReconStream::String(BoundedString& s) {
    if (mode_ == kRead) return Read([&] { reader_.String(s); });
    if (failed_) return;
    const int32_t stored = static_cast<int32_t>(s.Length());
    if (mode_ == kWrite) {
        if (!Room(stored + 1)) return;
        std::memcpy(buffer_ + position_, s.CStr(), static_cast<size_t>(stored) + 1);
    }
    position_ += stored + 1;
    if (position_ & 1) {
        // The pad byte, never written: a written text must leave room for it.
        if (mode_ == kWrite && position_ >= size_) {
            failed_ = true;
            return;
        }
        position_ += 1;
    }
}

int32_t ReconStream::Count(int32_t count, int32_t minElementSize) {
    if (mode_ == kRead) {
        int32_t value = 0;
        Read([&] { value = reader_.Count(count, minElementSize); });
        return failed_ ? 0 : value;
    }
    int32_t value = count;
    Longs(&value, 1);
    return failed_ ? 0 : value;
}
