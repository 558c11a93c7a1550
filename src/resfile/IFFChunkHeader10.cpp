// IFFChunkHeader10: reading and writing the 16-byte chunk header of IFF 1.0 files.
#include "resfile/IFFChunkHeader10.h"

#include "platform/ByteReader.h"
#include "platform/ByteWriter.h"

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
    PutUInt32BE(&b[0], h.type);
    PutUInt32BE(&b[4], static_cast<uint32_t>(h.size));
    PutUInt16BE(&b[8], static_cast<uint16_t>(h.id));
    PutUInt16BE(&b[10], h.flags);
    PutUInt32BE(&b[12], static_cast<uint32_t>(h.nameIndex));
    return b;
}
