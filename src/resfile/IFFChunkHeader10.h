// IFFChunkHeader10: the 16-byte chunk header of IFF 1.0 files.
#pragma once

#include <array>
#include <cstdint>

#include "resfile/IFFFormat.h"
#include "resfile/IFFNameList.h"
#include "resfile/ResTypes.h"

// Big-endian: type code (4), chunk size including the header (4), id (2, signed), flags (2), name
// index (4, signed; -1 = no name). The data follows the header.
struct ChunkHeader10 {
    ResType type = 0;
    int32_t size = 0;
    int16_t id = 0;
    uint16_t flags = 0;
    int32_t nameIndex = kNoNameIndex;

    bool IsFree() const { return (flags & kResFlagFree) != 0; }
    bool IsInternal() const { return (flags & kResFlagInternal) != 0; }
};

// Parses 16 header bytes.
ChunkHeader10 ParseChunkHeader10(const uint8_t* bytes);
// Lays a header out as 16 bytes.
std::array<uint8_t, kChunkHeaderSize10> SerializeChunkHeader10(const ChunkHeader10& h);
