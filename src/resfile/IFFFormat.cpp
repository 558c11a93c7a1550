// IFFFormat: recognition and writing of IFF file headers and chunk headers.
#include "resfile/IFFFormat.h"

#include <algorithm>
#include <cstring>

#include "platform/ByteReader.h"
#include "platform/ByteWriter.h"

namespace {
// The recognition pattern; '*' accepts any byte. Offsets 9 and 11 hold the version digits.
constexpr char kPattern2[] = "IFF FILE *.*:TYPE FOLLOWED BY SIZE\0 KESTREL WOBNIX & VEXEL 1****";
constexpr char kHeader10[] = "IFF FILE 1.0:TYPE FOLLOWED BY SIZE\0 KESTREL WOBNIX & VEXEL 1996";
static_assert(sizeof(kPattern2) == kIFFHeaderSize + 1, "pattern is 64 bytes and a terminator");
static_assert(sizeof(kHeader10) == kIFFHeaderSize, "1.0 header is 63 bytes and its final NUL");
}  // namespace

bool MatchIFFHeader2(const uint8_t* bytes, uint16_t& version, uint32_t& mapOffset) {
    // The pattern's only wildcards are the two version digits and the four bytes of the map offset at the end.
    static_assert(kPattern2[9] == '*' && kPattern2[11] == '*' && kPattern2[60] == '*' && kPattern2[61] == '*' &&
                  kPattern2[62] == '*' && kPattern2[63] == '*');
    if (std::memcmp(bytes, kPattern2, 9) != 0 || bytes[10] != static_cast<uint8_t>(kPattern2[10]) ||
        std::memcmp(bytes + 12, kPattern2 + 12, 48) != 0)
        return false;
    int v = (bytes[9] - '0') * 256 + (bytes[11] - '0');
    if (v != kIFFVersion20 && v != kIFFVersion25) return false;
    version = static_cast<uint16_t>(v);
    ByteReader r(bytes + 60, 4);
    mapOffset = r.ReadUInt32BE();
    return true;
}

IFFHeaderBytes MakeIFFHeader25(uint32_t mapOffset) {
    IFFHeaderBytes h{};
    std::memcpy(h.data(), kPattern2, kIFFHeaderSize);
    h[9] = '2';
    h[11] = '5';
    for (int i = 0; i < 4; ++i) h[60 + i] = static_cast<uint8_t>(mapOffset >> (24 - 8 * i));
    return h;
}

IFFHeaderBytes MakeIFFHeader10() {
    IFFHeaderBytes h{};
    std::memcpy(h.data(), kHeader10, kIFFHeaderSize);
    return h;
}

std::string ChunkHeader::NameText() const {
    size_t n = 0;
    while (n < name.size() && name[n]) ++n;
    return std::string(reinterpret_cast<const char*>(name.data()), n);
}

void ChunkHeader::SetName(const std::string& text) {
    name.fill(0);
    size_t n = std::min<size_t>(text.size(), kChunkNameSize - 1);
    std::memcpy(name.data(), text.data(), n);
}

ChunkHeader ParseChunkHeader(const uint8_t* bytes) {
    ByteReader r(bytes, kChunkHeaderSize);
    ChunkHeader h;
    h.type = r.ReadUInt32BE();
    h.size = r.ReadInt32BE();
    h.id = r.ReadInt16BE();
    h.flags = r.ReadUInt16BE();
    r.ReadBytes(h.name.data(), kChunkNameSize);
    return h;
}

std::array<uint8_t, kChunkHeaderSize> SerializeChunkHeader(const ChunkHeader& h) {
    std::array<uint8_t, kChunkHeaderSize> b{};
    PutUInt32BE(&b[0], h.type);
    PutUInt32BE(&b[4], static_cast<uint32_t>(h.size));
    PutUInt16BE(&b[8], static_cast<uint16_t>(h.id));
    PutUInt16BE(&b[10], h.flags);
    std::memcpy(b.data() + 12, h.name.data(), kChunkNameSize);
    return b;
}
