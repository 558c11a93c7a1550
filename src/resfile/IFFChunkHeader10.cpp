// IFFChunkHeader10: reading and writing the 16-byte chunk header of IFF 1.0 files.
#include "resfile/IFFChunkHeader10.h"

#include "platform/ByteReader.h"

ChunkHeader10 ParseChunkHeader10(const uint8_t* bytes) {
    ByteReader r(bytes, kChunkHeaderSize10);
    ChunkHeader10 h;
    h.type = r.ReadUInt32BE();
    h.size = r.ReadInt32BE();
    h.id = r.ReadInt16BE();
    h.flags = r.ReadUInt16BE();
    h.nameIndex = r.ReadInt32BE();
    return h;
}

std::array<uint8_t, kChunkHeaderSize10> SerializeChunkHeader10(const ChunkHeader10& h) {
    std::array<uint8_t, kChunkHeaderSize10> b{};
    auto put32 = [&](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
    };
    put32(0, h.type);
    put32(4, static_cast<uint32_t>(h.size));
    b[8] = static_cast<uint8_t>(static_cast<uint16_t>(h.id) >> 8);
    b[9] = static_cast<uint8_t>(h.id);
    b[10] = static_cast<uint8_t>(h.flags >> 8);
    b[11] = static_cast<uint8_t>(h.flags);
    put32(12, static_cast<uint32_t>(h.nameIndex));
    return b;
}
