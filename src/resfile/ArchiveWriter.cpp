// ArchiveWriter: laying out a game archive and writing it to disk.
#include "resfile/ArchiveWriter.h"

#include <new>

#include "platform/HostFile.h"
#include "resfile/CTGFileManager.h"
#include "platform/ByteWriter.h"

namespace {

constexpr char kSignature[] = "FAR!byAZ";
constexpr int64_t kMaxArchiveSize = INT32_MAX;
constexpr size_t kManifestEntryFixedSize = 16;  // two lengths, offset, name length

// The same rule the file manager applies when it maps a member.
bool IsMappableName(const std::string& normalized) {
    if (normalized.empty() || normalized.size() > static_cast<size_t>(CTGFileManager::kMaxMemberNameLength))
        return false;
    if (normalized.find('\0') != std::string::npos) return false;
    size_t start = 0;
    while (start <= normalized.size()) {
        size_t end = normalized.find('\\', start);
        if (end == std::string::npos) end = normalized.size();
        const std::string_view part(normalized.data() + start, end - start);
        if (part.empty() || part == "." || part == "..") return false;
        start = end + 1;
    }
    return true;
}

}  // namespace

bool ArchiveWriter::AddMember(std::string_view name, std::vector<uint8_t> data) {
    std::string key = CTGFileManager::NormalizePath(std::string(name));
    if (!IsMappableName(key)) return false;
    for (const Member& m : members_)
        if (m.key == key) return false;
    const int64_t grown = size_ + static_cast<int64_t>(data.size()) + static_cast<int64_t>(kManifestEntryFixedSize) +
                          static_cast<int64_t>(name.size());
    if (grown > kMaxArchiveSize) return false;
    try {
        members_.push_back(Member{std::string(name), std::move(key), std::move(data)});
    } catch (const std::bad_alloc&) {
        return false;
    }
    size_ = grown;
    return true;
}

std::vector<uint8_t> ArchiveWriter::Build() const {
    std::vector<uint8_t> out;
    try {
        out.reserve(static_cast<size_t>(size_));
        out.insert(out.end(), kSignature, kSignature + 8);
        ByteWriter(out).WriteUInt32LE(kVersion);
        ByteWriter(out).WriteUInt32LE(0);  // manifest offset, filled in below
        std::vector<uint32_t> offsets;
        offsets.reserve(members_.size());
        for (const Member& m : members_) {
            offsets.push_back(static_cast<uint32_t>(out.size()));
            out.insert(out.end(), m.data.begin(), m.data.end());
        }
        const auto manifest = static_cast<uint32_t>(out.size());
        PutUInt32LE(&out[12], manifest);
        ByteWriter(out).WriteUInt32LE(static_cast<uint32_t>(members_.size()));
        for (size_t i = 0; i < members_.size(); ++i) {
            const Member& m = members_[i];
            ByteWriter(out).WriteUInt32LE(static_cast<uint32_t>(m.data.size()));
            ByteWriter(out).WriteUInt32LE(static_cast<uint32_t>(m.data.size()));
            ByteWriter(out).WriteUInt32LE(offsets[i]);
            ByteWriter(out).WriteUInt32LE(static_cast<uint32_t>(m.name.size()));
            out.insert(out.end(), m.name.begin(), m.name.end());
        }
    } catch (const std::bad_alloc&) {
        return {};
    }
    return out;
}

bool ArchiveWriter::WriteTo(const std::string& hostPath) const {
    std::vector<uint8_t> bytes = Build();
    if (bytes.empty()) return false;
    std::unique_ptr<HostFile> file = HostFile::Create(hostPath);
    if (!file) return false;
    const auto n = static_cast<int64_t>(bytes.size());
    const bool ok = file->Write(bytes.data(), n) == n;
    const bool closed = file->Close();
    if (ok && closed) return true;
    DeleteHostFile(hostPath);
    return false;
}
