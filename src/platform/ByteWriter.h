// ByteWriter: the one writer that lays integers and bytes out in little- or big-endian order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Appends to a growing byte vector it does not own; every value is written whole. Verb-first, as
// ByteReader reads them back.
class ByteWriter {
public:
    explicit ByteWriter(std::vector<uint8_t>& out) : out_(out) {}

    size_t GetSize() const { return out_.size(); }

    void WriteUInt8(uint8_t v) { out_.push_back(v); }
    void WriteUInt16LE(uint16_t v) { WriteLE(v, 2); }
    void WriteUInt32LE(uint32_t v) { WriteLE(v, 4); }
    void WriteUInt64LE(uint64_t v) { WriteLE(v, 8); }
    void WriteInt16LE(int16_t v) { WriteUInt16LE(static_cast<uint16_t>(v)); }
    void WriteInt32LE(int32_t v) { WriteUInt32LE(static_cast<uint32_t>(v)); }
    void WriteInt64LE(int64_t v) { WriteUInt64LE(static_cast<uint64_t>(v)); }
    void WriteUInt16BE(uint16_t v) { WriteBE(v, 2); }
    void WriteUInt32BE(uint32_t v) { WriteBE(v, 4); }
    void WriteInt16BE(int16_t v) { WriteUInt16BE(static_cast<uint16_t>(v)); }
    void WriteInt32BE(int32_t v) { WriteUInt32BE(static_cast<uint32_t>(v)); }
    void WriteBytes(const void* data, size_t n) {
        const uint8_t* p = static_cast<const uint8_t*>(data);
        out_.insert(out_.end(), p, p + n);
    }
    void WriteZeros(size_t n) { out_.insert(out_.end(), n, 0); }

private:
    void WriteLE(uint64_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) out_.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    void WriteBE(uint64_t v, int bytes) {
        for (int i = bytes - 1; i >= 0; --i) out_.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    std::vector<uint8_t>& out_;
};

// Writes into bytes the caller has sized (a field filled in after the fact, a fixed-size record).
inline void PutUInt16LE(uint8_t* at, uint16_t v) {
    at[0] = static_cast<uint8_t>(v);
    at[1] = static_cast<uint8_t>(v >> 8);
}
inline void PutUInt32LE(uint8_t* at, uint32_t v) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void PutUInt16BE(uint8_t* at, uint16_t v) {
    at[0] = static_cast<uint8_t>(v >> 8);
    at[1] = static_cast<uint8_t>(v);
}
inline void PutUInt32BE(uint8_t* at, uint32_t v) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(v >> (24 - 8 * i));
}
