// ArchiveWriter: builds a game archive (header, member data, manifest), the form the file manager maps.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Layout, all integers 32-bit little-endian: signature "FAR!byAZ", version 1, offset of the manifest; then the
// members' data one after the other from offset 16, in the order they were added; then the manifest: the member
// count and per member its length, the length again, the offset of its data and the length of its name, followed
// by the name's bytes (no terminator). Offsets are 32-bit, and the file layer addresses files with signed 32-bit
// positions, so an archive never grows past 2^31 - 1 bytes.
class ArchiveWriter {
public:
    static constexpr uint32_t kVersion = 1;
    static constexpr size_t kHeaderSize = 16;

    // Adds a member; '\' or '/' in the name place it in a subdirectory of the archive's directory. False, nothing
    // added, when the name is one the file manager would not map (empty, a NUL, an empty, "." or ".." component,
    // longer than 259 bytes), names the same path as an earlier member without regard to case (the manager would
    // only ever see the first), or the archive would pass 2^31 - 1 bytes.
    bool AddMember(std::string_view name, std::vector<uint8_t> data);
    size_t CountMembers() const { return members_.size(); }
    // The size Build() will produce.
    int64_t GetSize() const { return size_; }

    // The archive's bytes. Empty when memory runs out.
    std::vector<uint8_t> Build() const;
    // Writes the archive to a host file, replacing it. False on failure; a partly written file is removed.
    bool WriteTo(const std::string& hostPath) const;

private:
    struct Member {
        std::string name;
        std::string key;  // normalised path, for the duplicate check
        std::vector<uint8_t> data;
    };
    std::vector<Member> members_;
    int64_t size_ = kHeaderSize + 4;  // header and the manifest's count
};
