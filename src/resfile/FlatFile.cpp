// FlatFile: error-code wrapper over one open file of the file manager.
#include "resfile/FlatFile.h"

#include "resfile/CTGFileManager.h"

FlatFile::~FlatFile() {
    if (file_) Close();
}

ResErr FlatFile::Create(const std::string& path) {
    if (file_) return kErrAlreadyOpen;
    CTGFileManager& manager = CTGFileManager::Instance();
    if (manager.Exists(path)) return kErrFileExists;
    if (!manager.Create(path)) return kErrCreateFailed;
    return kNoErr;
}

ResErr FlatFile::Remove(const std::string& path) {
    if (file_) return kErrAlreadyOpen;
    CTGFileManager& manager = CTGFileManager::Instance();
    if (!manager.Exists(path)) return kErrFileNotFound;
    if (!manager.Delete(path)) return kErrRemoveFailed;
    return kNoErr;
}

ResErr FlatFile::Open(const std::string& path) {
    if (file_) return kErrAlreadyOpen;
    CTGFileManager& manager = CTGFileManager::Instance();
    // A companion that is not there (most .spf and .dir probes) is told from the directory's listing.
    if (manager.IsKnownMissing(path)) return kErrOpenFailed;
    file_ = manager.Open(path, true);
    if (file_) {
        writable_ = true;
        return kNoErr;
    }
    file_ = manager.Open(path, false);
    if (file_) {
        writable_ = false;
        return kNoErr;
    }
    return kErrOpenFailed;
}

ResErr FlatFile::Close() {
    if (!file_) return kErrNotOpen;
    CTGFileManager::Instance().Close(file_);
    file_ = nullptr;
    writable_ = false;
    return kNoErr;
}

ResErr FlatFile::Read(void* buffer, int32_t n) {
    if (!file_) return kErrNotOpen;
    if (n < 0) return kErrRead;
    if (n == 0) return kNoErr;
    return file_->Read(buffer, n) < n ? kErrRead : kNoErr;
}

ResErr FlatFile::ReadUpTo(void* buffer, int32_t n, int32_t& got) {
    got = 0;
    if (!file_) return kErrNotOpen;
    if (n < 0) return kErrRead;
    got = n == 0 ? 0 : file_->Read(buffer, n);
    return kNoErr;
}

ResErr FlatFile::Write(const void* buffer, int32_t n) {
    if (!file_) return kErrNotOpen;
    if (n < 0) return kErrShortWrite;
    if (n == 0) return kNoErr;
    return file_->Write(buffer, n) < n ? kErrShortWrite : kNoErr;
}

ResErr FlatFile::Seek(int32_t offset) {
    if (!file_) return kErrNotOpen;
    return file_->Seek(offset) ? kNoErr : kErrRead;
}

ResErr FlatFile::SetLength(int32_t n) {
    if (!file_) return kErrNotOpen;
    return file_->SetLength(n) ? kNoErr : kErrOpenFailed;
}

ResErr FlatFile::Commit() {
    if (!file_) return kErrNotOpen;
    return file_->Commit();
}

ResErr FlatFile::Discard() {
    if (!file_) return kErrNotOpen;
    file_->Discard();
    return kNoErr;
}

ResErr FlatFile::GetLength(int32_t& out) const {
    if (!file_) return kErrNotOpen;
    out = file_->GetLength();
    return kNoErr;
}

ResErr FlatFile::GetPath(std::string& out) const {
    if (!file_) return kErrNotOpen;
    out = file_->GetPath();
    return kNoErr;
}
