// FileJournal: encoding, decoding, durable writing and reading of rollback journals and super-journals.
#include "resfile/FileJournal.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "platform/ByteReader.h"
#include "platform/ByteWriter.h"
#include "platform/HostFile.h"

namespace {

constexpr char kJournalMagic[8] = {'R', 'S', 'H', 'J', 'R', 'N', 'L', '1'};
constexpr char kSuperMagic[8] = {'R', 'S', 'H', 'S', 'U', 'P', 'R', '1'};
constexpr uint32_t kFlagCreated = 1;
// A journal never names more ranges or longer paths than this; larger counts mark a damaged journal.
constexpr uint32_t kMaxPathLength = 4096;

uint64_t Fnv1a64(const uint8_t* p, size_t n) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (size_t i = 0; i < n; ++i) {
        h ^= p[i];
        h *= 0x100000001b3ull;
    }
    return h;
}

void AppendChecksum(std::vector<uint8_t>& out) {
    uint64_t sum = Fnv1a64(out.data(), out.size());
    ByteWriter(out).WriteUInt64LE(sum);
}

// A reader over everything before the checksum, when the checksum matches and the magic is right.
bool OpenChecked(const std::vector<uint8_t>& bytes, const char (&magic)[8], ByteReader& body) {
    if (bytes.size() < sizeof magic + 8) return false;
    size_t bodySize = bytes.size() - 8;
    ByteReader tail(bytes.data() + bodySize, 8);
    if (tail.ReadUInt64LE() != Fnv1a64(bytes.data(), bodySize)) return false;
    if (std::memcmp(bytes.data(), magic, sizeof magic) != 0) return false;
    body = ByteReader(bytes.data(), bodySize);
    body.Skip(sizeof magic);
    return true;
}

bool ReadString(ByteReader& r, std::string& out) {
    uint32_t n = r.ReadUInt32LE();
    if (r.HasFailed() || n > kMaxPathLength) return false;
    const uint8_t* p = r.ReadSpan(n);
    if (!p && n) return false;
    out.assign(reinterpret_cast<const char*>(p), n);
    return true;
}

void WriteString(ByteWriter& w, const std::string& s) {
    w.WriteUInt32LE(static_cast<uint32_t>(s.size()));
    w.WriteBytes(s.data(), s.size());
}

JournalRead ReadWhole(const std::string& hostPath, std::vector<uint8_t>& bytes) {
    if (!HostFileExists(hostPath)) return JournalRead::kMissing;
    std::unique_ptr<HostFile> file = HostFile::Open(hostPath, false);
    if (!file) return JournalRead::kUnreadable;
    int64_t size = file->Size();
    if (size < 0) return JournalRead::kUnreadable;
    try {
        bytes.resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
        return JournalRead::kUnreadable;
    }
    if (file->ReadAt(0, bytes.data(), size) != size) return JournalRead::kUnreadable;
    return JournalRead::kOk;
}

}  // namespace

std::string JournalPathOf(const std::string& hostPath) { return hostPath + "-journal"; }
std::string SuperJournalPathOf(const std::string& hostPath) { return hostPath + "-superjournal"; }

std::vector<uint8_t> EncodeJournal(const FileJournal& journal) {
    size_t total = 64 + journal.superJournal.size();
    for (const SavedRange& r : journal.ranges) total += 12 + r.bytes.size();
    std::vector<uint8_t> out;
    out.reserve(total);
    ByteWriter w(out);
    w.WriteBytes(kJournalMagic, sizeof kJournalMagic);
    w.WriteUInt32LE(journal.createdFile ? kFlagCreated : 0);
    w.WriteInt64LE(journal.originalLength);
    w.WriteUInt64LE(journal.device);
    w.WriteUInt64LE(journal.inode);
    WriteString(w, journal.superJournal);
    w.WriteUInt32LE(static_cast<uint32_t>(journal.ranges.size()));
    for (const SavedRange& r : journal.ranges) {
        w.WriteInt64LE(r.offset);
        w.WriteUInt32LE(static_cast<uint32_t>(r.bytes.size()));
        w.WriteBytes(r.bytes.data(), r.bytes.size());
    }
    AppendChecksum(out);
    return out;
}

std::vector<uint8_t> EncodeSuperJournal(const SuperJournal& super) {
    std::vector<uint8_t> out;
    ByteWriter w(out);
    w.WriteBytes(kSuperMagic, sizeof kSuperMagic);
    w.WriteUInt32LE(static_cast<uint32_t>(super.files.size()));
    for (const std::string& f : super.files) WriteString(w, f);
    AppendChecksum(out);
    return out;
}

bool DecodeJournal(const std::vector<uint8_t>& bytes, FileJournal& out) {
    ByteReader r;
    if (!OpenChecked(bytes, kJournalMagic, r)) return false;
    FileJournal j;
    j.createdFile = (r.ReadUInt32LE() & kFlagCreated) != 0;
    j.originalLength = r.ReadInt64LE();
    j.device = r.ReadUInt64LE();
    j.inode = r.ReadUInt64LE();
    // Files of the resource layer have 32-bit lengths.
    if (r.HasFailed() || j.originalLength < 0 || j.originalLength > INT32_MAX || !ReadString(r, j.superJournal))
        return false;
    uint32_t count = r.ReadUInt32LE();
    // Every range needs at least its 12-byte head, so a count the rest cannot hold is damage.
    if (r.HasFailed() || count > r.GetRemaining() / 12) return false;
    j.ranges.resize(count);
    for (SavedRange& range : j.ranges) {
        range.offset = r.ReadInt64LE();
        uint32_t n = r.ReadUInt32LE();
        const uint8_t* p = r.ReadSpan(n);
        // A saved range holds bytes the file had, so it lies inside the file's original length.
        if (r.HasFailed() || range.offset < 0 || range.offset > j.originalLength - static_cast<int64_t>(n) ||
            (!p && n))
            return false;
        range.bytes.assign(p, p + n);
    }
    if (!r.IsAtEnd()) return false;
    out = std::move(j);
    return true;
}

bool DecodeSuperJournal(const std::vector<uint8_t>& bytes, SuperJournal& out) {
    ByteReader r;
    if (!OpenChecked(bytes, kSuperMagic, r)) return false;
    uint32_t count = r.ReadUInt32LE();
    if (r.HasFailed() || count > r.GetRemaining() / 4) return false;
    SuperJournal s;
    s.files.resize(count);
    for (std::string& f : s.files)
        if (!ReadString(r, f)) return false;
    if (!r.IsAtEnd()) return false;
    out = std::move(s);
    return true;
}

bool WriteDurably(const std::string& hostPath, const std::vector<uint8_t>& bytes) {
    std::unique_ptr<HostFile> file = HostFile::Create(hostPath);
    if (!file) return false;
    bool ok = file->WriteAt(0, bytes.data(), static_cast<int64_t>(bytes.size())) && file->Flush();
    ok = file->Close() && ok;
    ok = ok && SyncHostDirectory(HostDirectoryOf(hostPath));
    if (!ok) DeleteHostFile(hostPath);
    return ok;
}

bool RemoveDurably(const std::string& hostPath) {
    if (!DeleteHostFile(hostPath)) return false;
    return SyncHostDirectory(HostDirectoryOf(hostPath));
}

JournalRead ReadJournal(const std::string& hostPath, FileJournal& out) {
    std::vector<uint8_t> bytes;
    JournalRead got = ReadWhole(hostPath, bytes);
    if (got != JournalRead::kOk) return got;
    return DecodeJournal(bytes, out) ? JournalRead::kOk : JournalRead::kDamaged;
}

JournalRead ReadSuperJournal(const std::string& hostPath, SuperJournal& out) {
    std::vector<uint8_t> bytes;
    JournalRead got = ReadWhole(hostPath, bytes);
    if (got != JournalRead::kOk) return got;
    return DecodeSuperJournal(bytes, out) ? JournalRead::kOk : JournalRead::kDamaged;
}
