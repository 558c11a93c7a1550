// IFF10Builder: lays out IFF 1.0 files byte by byte for tests (header, 16-byte chunks, name lists).
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "IFFBuilder.h"
#include "resfile/IFFFormat.h"
#include "resfile/ResTypes.h"

namespace reshaper_test {

// The exact 64-byte 1.0 header.
inline std::vector<uint8_t> IFF10Header() {
    auto h = MakeIFFHeader10();
    return std::vector<uint8_t>(h.begin(), h.end());
}

// Appends one chunk: 16-byte big-endian header (type, size, id, flags, name index) and data.
inline int32_t AppendChunk10(std::vector<uint8_t>& file, ResType type, int16_t id, uint16_t flags, int32_t nameIndex,
                             const std::vector<uint8_t>& data, int32_t sizeOverride = 0) {
    int32_t at = static_cast<int32_t>(file.size());
    PutBE32(file, type);
    PutBE32(file, static_cast<uint32_t>(sizeOverride ? sizeOverride : 16 + static_cast<int32_t>(data.size())));
    PutBE16(file, static_cast<uint16_t>(id));
    PutBE16(file, flags);
    PutBE32(file, static_cast<uint32_t>(nameIndex));
    file.insert(file.end(), data.begin(), data.end());
    return at;
}

// A free chunk of `size` bytes (header plus filler).
inline int32_t AppendFree10(std::vector<uint8_t>& file, int32_t size) {
    return AppendChunk10(file, kTypeFree, 0, kResFlagFree, -1, std::vector<uint8_t>(size - 16, 0xEE));
}

using NameRecords = std::vector<std::pair<int32_t, std::string>>;

// The older id 0 name list: per record int32 LE index, one length byte, the characters.
inline std::vector<uint8_t> OldNameList(const NameRecords& names) {
    std::vector<uint8_t> d;
    for (const auto& [index, name] : names) {
        PutLE32(d, static_cast<uint32_t>(index));
        d.push_back(static_cast<uint8_t>(name.size()));
        d.insert(d.end(), name.begin(), name.end());
    }
    return d;
}

// The id 1 name list as this program writes it: block header, count, then per entry the index and
// the NUL-terminated name padded to an even position with 0xA3.
inline std::vector<uint8_t> NameListBlock(const NameRecords& names) {
    std::vector<uint8_t> d = {0, 0, 0, 0};
    PutLE32(d, 0);
    PutLE32(d, kTypeNameList);
    size_t base = d.size();
    PutLE32(d, static_cast<uint32_t>(names.size()));
    for (const auto& [index, name] : names) {
        PutLE32(d, static_cast<uint32_t>(index));
        d.insert(d.end(), name.begin(), name.end());
        d.push_back(0);
        if ((d.size() - base) & 1) d.push_back(0xA3);
    }
    return d;
}

}  // namespace reshaper_test
