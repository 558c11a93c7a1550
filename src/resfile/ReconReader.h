// ReconReader: the reading half of the serialisation stream: ReconStream reads through it, and the maps read on
// every open use it directly, resolved at compile time.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/ByteReader.h"
#include "resfile/BoundedString.h"

// A type whose Reconstitute is a template over the stream walks its fields against this reader
// with every primitive inlined: no mode to test per field, no call per value. A read that would
// pass the end sets HasFailed(), copies nothing and leaves the storage as it was, and every later
// read does nothing. 16- and 32-bit values are byte-reversed while copied when `swap` is set.
class ReconReader {
public:
    ReconReader(const uint8_t* data, int32_t size, bool swap)
        : reader_(data, static_cast<size_t>(size < 0 ? 0 : size)), swap_(swap) {}

    static constexpr bool IsReading() { return true; }
    int32_t GetPosition() const { return static_cast<int32_t>(reader_.GetPosition()); }
    bool IsSwapped() const { return swap_; }
    bool HasFailed() const { return reader_.HasFailed(); }
    void Fail() { reader_.Fail(); }

    // A swapped value is the same bytes read big-endian.
    void Shorts(uint16_t* storage, int32_t n) {
        if (!Room(n, 2)) return;
        for (int32_t i = 0; i < n; ++i) storage[i] = reader_.ReadUInt16(swap_);
    }
    void Shorts(int16_t* storage, int32_t n) { Shorts(reinterpret_cast<uint16_t*>(storage), n); }
    void Longs(uint32_t* storage, int32_t n) { LongsIn(storage, n, swap_); }
    void Longs(int32_t* storage, int32_t n) { Longs(reinterpret_cast<uint32_t*>(storage), n); }
    // 32-bit values copied without any reversal, whatever the swap flag.
    void RawLongs(uint32_t* storage, int32_t n) { LongsIn(storage, n, false); }
    void Bytes(void* storage, int32_t n) {
        if (n < 0) return Fail();
        reader_.ReadBytes(storage, static_cast<size_t>(n));
    }
    // NUL-terminated text, then one pad byte when the position has become odd and the data goes on.
    // A stored text longer than the string's capacity is cut; the position follows the stored length.
    void String(BoundedString& s) {
        const ptrdiff_t len = reader_.PeekCStringLength();
        if (len < 0) return Fail();
        const uint8_t* text = reader_.ReadSpan(static_cast<size_t>(len) + 1);
        s.AssignWithoutNul(std::string_view(reinterpret_cast<const char*>(text), static_cast<size_t>(len)));
        if ((reader_.GetPosition() & 1) && !reader_.IsAtEnd()) reader_.Skip(1);
    }
    // An element count; a negative one, or one the remaining bytes cannot hold (each element taking
    // at least minElementSize bytes), fails the reader and yields 0.
    int32_t Count(int32_t, int32_t minElementSize) {
        int32_t value = 0;
        Longs(&value, 1);
        const int64_t need = static_cast<int64_t>(value) * (minElementSize > 0 ? minElementSize : 0);
        if (HasFailed() || value < 0 || need > static_cast<int64_t>(reader_.GetRemaining())) {
            Fail();
            return 0;
        }
        return value;
    }

private:
    void LongsIn(uint32_t* storage, int32_t n, bool swap) {
        if (!Room(n, 4)) return;
        for (int32_t i = 0; i < n; ++i) storage[i] = reader_.ReadUInt32(swap);
    }
    // True when n values of the width are left; else the reader fails, so that nothing is copied.
    bool Room(int32_t n, int32_t width) {
        if (n < 0 || n > INT32_MAX / width) {
            Fail();
            return false;
        }
        return reader_.Has(static_cast<size_t>(n) * static_cast<size_t>(width));
    }

    ByteReader reader_;
    bool swap_;
};
