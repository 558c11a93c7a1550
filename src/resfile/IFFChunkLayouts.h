// IFFChunkLayouts: what tells the two chunk layouts apart for the shared chunk walk: header size, codec,
// the largest size a chunk (or a run of free chunks merged into one) may have, and what compaction drops.
#pragma once

#include <cstdint>

#include "resfile/IFFChunkHeader10.h"
#include "resfile/IFFFormat.h"

// Version 1.0: 16-byte headers; a chunk may announce any positive 32-bit size.
struct IFFLayout10 {
    using Header = ChunkHeader10;
    static constexpr int32_t kHeaderSize = kChunkHeaderSize10;
    static constexpr int32_t kSizeCap = INT32_MAX;
    static Header Parse(const uint8_t* bytes) { return ParseChunkHeader10(bytes); }
    static auto Serialize(const Header& h) { return SerializeChunkHeader10(h); }
    static bool IsDroppedAtCompaction(const Header& h) { return h.IsFree(); }
};

// Versions 2.0 and 2.5: 76-byte headers with the name inside; stale map chunks go at compaction too.
struct IFFLayout2 {
    using Header = ChunkHeader;
    static constexpr int32_t kHeaderSize = kChunkHeaderSize;
    static constexpr int32_t kSizeCap = kMaxChunkSize;
    static Header Parse(const uint8_t* bytes) { return ParseChunkHeader(bytes); }
    static auto Serialize(const Header& h) { return SerializeChunkHeader(h); }
    static bool IsDroppedAtCompaction(const Header& h) { return h.IsFree() || h.type == kTypeResMap; }
};
