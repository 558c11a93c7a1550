// IFFBuilder: lays out IFF 2.x files byte by byte for tests (header, chunks, map payloads).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "resfile/IFFFormat.h"
#include "resfile/ResTypes.h"

namespace reshaper_test {

inline void PutBE32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 3; i >= 0; --i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
inline void PutBE16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}
inline void PutLE32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
inline void PutLE16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

// A 64-byte header with the given version digits and map offset.
inline std::vector<uint8_t> IFFHeader(char major, char minor, uint32_t mapOffset) {
    auto h = MakeIFFHeader25(mapOffset);
    h[9] = static_cast<uint8_t>(major);
    h[11] = static_cast<uint8_t>(minor);
    return std::vector<uint8_t>(h.begin(), h.end());
}

// Appends one chunk: 76-byte big-endian header (type, size, id, flags, 64-byte name) and data.
inline int32_t AppendChunk(std::vector<uint8_t>& file, ResType type, int16_t id, uint16_t flags,
                           const std::string& name, const std::vector<uint8_t>& data, int32_t sizeOverride = 0) {
    int32_t at = static_cast<int32_t>(file.size());
    PutBE32(file, type);
    PutBE32(file, static_cast<uint32_t>(sizeOverride ? sizeOverride : 76 + static_cast<int32_t>(data.size())));
    PutBE16(file, static_cast<uint16_t>(id));
    PutBE16(file, flags);
    for (int i = 0; i < 64; ++i) file.push_back(i < static_cast<int>(name.size()) ? name[i] : 0);
    file.insert(file.end(), data.begin(), data.end());
    return at;
}

// A free chunk of `size` bytes (header plus filler).
inline int32_t AppendFree(std::vector<uint8_t>& file, int32_t size) {
    return AppendChunk(file, kTypeFree, 0, kResFlagFree, "", std::vector<uint8_t>(size - 76, 0xEE));
}

struct MapItem {
    int32_t offset;
    int16_t id;
    uint16_t flags;
    std::string name;
};
struct MapGroup {
    ResType type;
    std::vector<MapItem> items;
};

// The data of an rsmp chunk as this program writes it: block header, then the payload with each
// name NUL-terminated and padded to an even position with 0xA3.
inline std::vector<uint8_t> MapPayload(int32_t freeSpace, const std::vector<MapGroup>& groups) {
    std::vector<uint8_t> d = {0, 0, 0, 0};
    PutLE32(d, 0);
    PutLE32(d, kTypeResMap);
    size_t base = d.size();
    PutLE32(d, static_cast<uint32_t>(freeSpace));
    PutLE32(d, static_cast<uint32_t>(groups.size()));
    for (const auto& g : groups) {
        PutLE32(d, g.type);
        PutLE32(d, static_cast<uint32_t>(g.items.size()));
        for (const auto& e : g.items) {
            PutLE32(d, static_cast<uint32_t>(e.offset));
            PutLE16(d, static_cast<uint16_t>(e.id));
            PutLE16(d, e.flags);
            d.insert(d.end(), e.name.begin(), e.name.end());
            d.push_back(0);
            if ((d.size() - base) & 1) d.push_back(0xA3);
        }
    }
    return d;
}

inline void SetMapOffset(std::vector<uint8_t>& file, uint32_t offset) {
    for (int i = 0; i < 4; ++i) file[60 + i] = static_cast<uint8_t>(offset >> (24 - 8 * i));
}

inline std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

}  // namespace reshaper_test

namespace reshaper_test {

struct ArchiveMember {
    std::string name;
    std::vector<uint8_t> data;
};

// An archive as the game ships them: 8-byte signature, version, manifest offset, member data,
// then the manifest (count; per member: length, second length, offset, name length, name).
inline std::vector<uint8_t> MakeArchive(const std::vector<ArchiveMember>& members) {
    std::vector<uint8_t> a = Bytes("ARCHIVE1");
    PutLE32(a, 1);
    PutLE32(a, 0);  // manifest offset, patched below
    std::vector<uint32_t> offsets;
    for (const auto& m : members) {
        offsets.push_back(static_cast<uint32_t>(a.size()));
        a.insert(a.end(), m.data.begin(), m.data.end());
    }
    uint32_t manifest = static_cast<uint32_t>(a.size());
    for (int i = 0; i < 4; ++i) a[12 + i] = static_cast<uint8_t>(manifest >> (8 * i));
    PutLE32(a, static_cast<uint32_t>(members.size()));
    for (size_t i = 0; i < members.size(); ++i) {
        PutLE32(a, static_cast<uint32_t>(members[i].data.size()));
        PutLE32(a, static_cast<uint32_t>(members[i].data.size()));
        PutLE32(a, offsets[i]);
        PutLE32(a, static_cast<uint32_t>(members[i].name.size()));
        a.insert(a.end(), members[i].name.begin(), members[i].name.end());
    }
    return a;
}

}  // namespace reshaper_test
