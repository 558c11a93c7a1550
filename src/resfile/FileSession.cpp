// FileSession: pages over a file's bytes until the commit, the journal of a commit, and putting pages on the disk.
#include "resfile/FileSession.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <vector>

#include "platform/HostFile.h"
#include "resfile/JournalRecovery.h"

namespace {

// Pages of one run are written with one write of at most this many bytes.
constexpr int64_t kMaxRunBytes = 1 << 20;

}  // namespace

FileSession::FileSession(std::string hostPath, std::shared_ptr<HostFile> handle, int64_t length)
    : FileSession(std::move(hostPath), std::move(handle), length, false) {}

FileSession::FileSession(std::string hostPath, std::shared_ptr<HostFile> handle, int64_t length, bool readOnly)
    : hostPath_(std::move(hostPath)), handle_(std::move(handle)), readOnly_(readOnly) {
    diskLength_ = handle_ ? std::max<int64_t>(0, length) : 0;
    diskValid_ = length_ = diskLength_;
}

FileSession::~FileSession() = default;

std::shared_ptr<FileSession> FileSession::ForNewFile(std::string hostPath) {
    return std::shared_ptr<FileSession>(new FileSession(std::move(hostPath), nullptr, 0, false));
}

std::shared_ptr<FileSession> FileSession::ForRolledBackView(std::string hostPath, std::shared_ptr<HostFile> handle,
                                                            const FileJournal& journal) {
    const int64_t length = handle ? handle->Size() : 0;
    std::shared_ptr<FileSession> view(new FileSession(std::move(hostPath), std::move(handle), length, false));
    for (const SavedRange& r : journal.ranges)
        if (!view->Write(r.offset, r.bytes.data(), static_cast<int64_t>(r.bytes.size()))) return nullptr;
    view->SetLength(journal.originalLength);
    view->readOnly_ = true;
    return view;
}

int64_t FileSession::ReadDisk(int64_t offset, uint8_t* out, int64_t n) {
    int64_t fromDisk = std::clamp<int64_t>(diskValid_ - offset, 0, n);
    int64_t got = 0;
    if (fromDisk > 0 && handle_) {
        got = handle_->ReadAt(offset, out, fromDisk);
        if (got < 0) return -1;
    }
    // Bytes past what the disk holds (cut away in this session, or never written) read as zeros.
    std::memset(out + got, 0, static_cast<size_t>(n - got));
    return n;
}

int64_t FileSession::Read(int64_t offset, void* buffer, int64_t n) {
    if (offset < 0 || n < 0) return -1;
    if (offset >= length_ || n == 0) return 0;
    n = std::min(n, length_ - offset);
    uint8_t* out = static_cast<uint8_t*>(buffer);
    if (ReadDisk(offset, out, n) < 0) return -1;
    const int64_t end = offset + n;
    for (auto it = pages_.lower_bound(offset / kPageSize); it != pages_.end() && it->first * kPageSize < end; ++it) {
        const int64_t pageStart = it->first * kPageSize;
        const int64_t from = std::max(offset, pageStart);
        const int64_t to = std::min(end, pageStart + kPageSize);
        std::memcpy(out + (from - offset), it->second.get() + (from - pageStart), static_cast<size_t>(to - from));
    }
    return n;
}

uint8_t* FileSession::PageFor(int64_t index, bool wholePageWritten) {
    auto it = pages_.find(index);
    if (it != pages_.end()) return it->second.get();
    std::unique_ptr<uint8_t[]> page(new (std::nothrow) uint8_t[kPageSize]);
    if (!page) return nullptr;
    // A page that the write covers whole needs nothing from the disk.
    if (!wholePageWritten && ReadDisk(index * kPageSize, page.get(), kPageSize) < 0) return nullptr;
    uint8_t* p = page.get();
    pages_.emplace(index, std::move(page));
    return p;
}

bool FileSession::Write(int64_t offset, const void* buffer, int64_t n) {
    if (readOnly_ || abandoned_ || offset < 0 || n < 0 || offset > std::numeric_limits<int64_t>::max() - n)
        return false;
    if (n == 0) return true;
    const uint8_t* in = static_cast<const uint8_t*>(buffer);
    const int64_t end = offset + n;
    try {
        // Every page is made ready before any byte changes, so a failure leaves the session as it was.
        for (int64_t index = offset / kPageSize; index * kPageSize < end; ++index) {
            const int64_t pageStart = index * kPageSize;
            const bool whole = offset <= pageStart && end >= pageStart + kPageSize;
            if (!PageFor(index, whole)) {
                failed_ = true;
                return false;
            }
        }
    } catch (const std::bad_alloc&) {
        failed_ = true;
        return false;
    }
    for (int64_t pos = offset; pos < end;) {
        const int64_t index = pos / kPageSize;
        const int64_t pageStart = index * kPageSize;
        const int64_t to = std::min(end, pageStart + kPageSize);
        std::memcpy(pages_[index].get() + (pos - pageStart), in + (pos - offset), static_cast<size_t>(to - pos));
        pos = to;
    }
    length_ = std::max(length_, end);
    return true;
}

bool FileSession::SetLength(int64_t n) {
    if (readOnly_ || abandoned_ || n < 0) return false;
    if (n < length_) {
        // Pages wholly past the new end go; the page holding it keeps zeros after it, so an extension later reads
        // zeros as a cut and extended file does.
        pages_.erase(pages_.lower_bound((n + kPageSize - 1) / kPageSize), pages_.end());
        if (n % kPageSize != 0) {
            auto it = pages_.find(n / kPageSize);
            if (it != pages_.end())
                std::memset(it->second.get() + n % kPageSize, 0, static_cast<size_t>(kPageSize - n % kPageSize));
        }
        diskValid_ = std::min(diskValid_, n);
    }
    length_ = n;
    return true;
}

void FileSession::Discard() {
    pages_.clear();
    length_ = diskValid_ = diskLength_;
}

void FileSession::Fail() {
    Discard();
    failed_ = true;
}

void FileSession::Abandon() {
    Discard();
    abandoned_ = true;
}

bool FileSession::ReplayHotJournal() {
    if (!hotJournal_) return true;
    if (RecoverInterruptedCommit(hostPath_) != RecoveryResult::kRecovered) return false;
    hotJournal_ = false;
    // The disk is back where the last commit left it (a new file is gone again).
    if (!HostFileExists(hostPath_)) handle_.reset();
    diskLength_ = handle_ ? std::max<int64_t>(0, handle_->Size()) : 0;
    diskValid_ = std::min(diskValid_, diskLength_);
    return true;
}

bool FileSession::BuildJournal(const std::string& superJournal, FileJournal& out) {
    out = FileJournal{};
    out.superJournal = superJournal;
    out.originalLength = diskLength_;
    out.createdFile = handle_ == nullptr;
    if (!handle_) return true;
    handle_->GetIdentity(out.device, out.inode);
    bool ok = true;
    auto save = [&](int64_t from, int64_t to) {
        if (!ok || to <= from) return;
        if (out.ranges.empty() || out.ranges.back().offset + static_cast<int64_t>(out.ranges.back().bytes.size()) != from)
            out.ranges.push_back(SavedRange{from, {}});
        std::vector<uint8_t>& bytes = out.ranges.back().bytes;
        size_t at = bytes.size();
        try {
            bytes.resize(at + static_cast<size_t>(to - from));
        } catch (const std::bad_alloc&) {
            ok = false;
            return;
        }
        ok = handle_->ReadAt(from, bytes.data() + at, to - from) == to - from;
    };
    // The original bytes of every page that will overwrite them, then everything the commit cuts away.
    for (const auto& [index, page] : pages_) {
        const int64_t from = index * kPageSize;
        if (from >= diskValid_) break;
        save(from, std::min(from + kPageSize, diskValid_));
    }
    save(diskValid_, diskLength_);
    return ok;
}

bool FileSession::Apply() {
    if (readOnly_ || abandoned_) return false;
    const bool creating = handle_ == nullptr;
    if (creating) {
        std::unique_ptr<HostFile> created = HostFile::Create(hostPath_);
        if (!created) return false;
        handle_ = std::move(created);
    }
    if (diskValid_ < diskLength_ && !handle_->SetLength(diskValid_)) return false;
    std::vector<uint8_t> run;
    int64_t runStart = -1;
    auto writeRun = [&]() {
        bool ok = run.empty() || handle_->WriteAt(runStart, run.data(), static_cast<int64_t>(run.size()));
        run.clear();
        return ok;
    };
    for (const auto& [index, page] : pages_) {
        const int64_t pageStart = index * kPageSize;
        if (pageStart >= length_) break;
        const int64_t bytes = std::min(kPageSize, length_ - pageStart);
        if (!run.empty() && (runStart + static_cast<int64_t>(run.size()) != pageStart ||
                             static_cast<int64_t>(run.size()) + bytes > kMaxRunBytes))
            if (!writeRun()) return false;
        if (run.empty()) runStart = pageStart;
        run.insert(run.end(), page.get(), page.get() + bytes);
    }
    if (!writeRun()) return false;
    if (handle_->Size() != length_ && !handle_->SetLength(length_)) return false;
    if (!handle_->Flush()) return false;
    // A new file's directory entry must be durable before its journal goes.
    return !creating || SyncHostDirectory(HostDirectoryOf(hostPath_));
}

void FileSession::MarkCommitted() {
    pages_.clear();
    diskLength_ = diskValid_ = length_;
    hotJournal_ = false;
}

bool FileSession::RollBack(const FileJournal& journal) {
    if (journal.createdFile) {
        handle_.reset();
        return !HostFileExists(hostPath_) || DeleteHostFile(hostPath_);
    }
    return handle_ && RollBackFile(*handle_, journal);
}
