// IFFFormat: the byte layout of IFF resource files: the 64-byte header and the chunk headers.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "resfile/ResTypes.h"

constexpr int32_t kIFFHeaderSize = 64;
constexpr int32_t kChunkHeaderSize = 76;       // version 2.x
constexpr int32_t kChunkHeaderSize10 = 16;     // version 1.0
constexpr int32_t kMaxChunkSize = 0x40000000;
constexpr int32_t kChunkNameSize = 64;
constexpr uint16_t kIFFVersion20 = 0x0200;
constexpr uint16_t kIFFVersion25 = 0x0205;
// Compaction runs at close when this much space is free, and copies through one buffer of this size.
constexpr int32_t kCompactThreshold = 10240;
constexpr int32_t kCompactBufferSize = 51200;

using IFFHeaderBytes = std::array<uint8_t, kIFFHeaderSize>;

// Checks 64 header bytes against the version 2.x recognition pattern ('*' accepts any byte) and
// yields the version; false on a mismatch or a version other than 2.0 and 2.5.
bool MatchIFFHeader2(const uint8_t* bytes, uint16_t& version, uint32_t& mapOffset);
// The version 2.5 header with the given map offset (big-endian at 60).
IFFHeaderBytes MakeIFFHeader25(uint32_t mapOffset);
// The exact version 1.0 header.
IFFHeaderBytes MakeIFFHeader10();

// A version 2.x chunk header.
struct ChunkHeader {
    ResType type = 0;
    int32_t size = 0;
    int16_t id = 0;
    uint16_t flags = 0;
    std::array<uint8_t, kChunkNameSize> name{};  // as stored

    bool IsFree() const { return (flags & kResFlagFree) != 0; }
    bool SizeInRange() const { return size >= kChunkHeaderSize && size <= kMaxChunkSize; }
    // The stored name up to its first NUL (at most 64 bytes).
    std::string NameText() const;
    // Puts a name into the field: cut to 63 characters, the rest 0x00.
    void SetName(const std::string& text);
};

// Parses 76 header bytes (big-endian).
ChunkHeader ParseChunkHeader(const uint8_t* bytes);
// Lays a header out as 76 bytes.
std::array<uint8_t, kChunkHeaderSize> SerializeChunkHeader(const ChunkHeader& h);
