// ArchiveManifest: reads the list of members at the end of a game archive.
#include "resfile/ArchiveManifest.h"

#include <new>

#include "platform/ByteReader.h"
#include "platform/HostFile.h"

namespace {

constexpr size_t kArchiveHeaderSize = 16;  // signature (8), version (4), manifest offset (4)

}  // namespace

std::vector<ArchiveMember> ReadArchiveManifest(HostFile& archive, int32_t maxNameLength, int64_t maxManifestBytes) {
    std::vector<ArchiveMember> members;
    const int64_t archiveSize = archive.Size();
    uint8_t header[kArchiveHeaderSize];
    if (archiveSize < static_cast<int64_t>(kArchiveHeaderSize) || !archive.Seek(0) ||
        archive.Read(header, kArchiveHeaderSize) != static_cast<int64_t>(kArchiveHeaderSize))
        return members;
    ByteReader head(header, sizeof header);
    head.Skip(8);  // signature, not checked
    head.Skip(4);  // version, not checked
    const int64_t manifestOffset = head.ReadUInt32LE();
    if (head.HasFailed() || manifestOffset > archiveSize) return members;

    int64_t manifestBytes = archiveSize - manifestOffset;
    if (manifestBytes > maxManifestBytes) manifestBytes = maxManifestBytes;
    std::vector<uint8_t> manifest;
    try {
        manifest.resize(static_cast<size_t>(manifestBytes));
    } catch (const std::bad_alloc&) {
        return members;
    }
    if (!archive.Seek(manifestOffset)) return members;
    int64_t got = manifestBytes > 0 ? archive.Read(manifest.data(), manifestBytes) : 0;
    if (got < 0) return members;
    ByteReader r(manifest.data(), static_cast<size_t>(got));

    const int32_t count = r.ReadInt32LE();
    if (r.HasFailed() || count <= 0) return members;
    for (int32_t i = 0; i < count; ++i) {
        const int32_t dataLength = r.ReadInt32LE();
        r.ReadInt32LE();  // second length, not used
        const int32_t dataOffset = r.ReadInt32LE();
        const int32_t nameLength = r.ReadInt32LE();
        if (r.HasFailed() || nameLength < 0) break;  // a cut manifest keeps what was read before the cut
        if (nameLength > maxNameLength) {
            if (!r.Skip(static_cast<size_t>(nameLength))) break;
            continue;
        }
        const uint8_t* nameBytes = r.ReadSpan(static_cast<size_t>(nameLength));
        if (!nameBytes) break;
        // Negative offsets and lengths name no bytes at all.
        if (dataLength < 0 || dataOffset < 0) continue;
        members.push_back({std::string(reinterpret_cast<const char*>(nameBytes), static_cast<size_t>(nameLength)),
                           dataOffset, dataLength});
    }
    return members;
}
