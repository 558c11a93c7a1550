// ArchiveBytes: builds the bytes of a game archive (header, member data, manifest) for tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace reshaper_test {

// Named apart from the byte-vector member type of the IFF test builder, which shares this namespace.
struct ArchiveMemberText {
    std::string name;  // may hold '\' or '/' to place the member in a subdirectory
    std::string data;
};

// Header (signature "FAR!byAZ", version 1, manifest offset), the members' data one after the other from
// offset 16, then the manifest: count, and per member: length, length again, offset, name length, name.
// All integers 32-bit little-endian.
std::vector<uint8_t> BuildArchive(const std::vector<ArchiveMemberText>& members);

}  // namespace reshaper_test
