// HostFile: POSIX implementation of host file access, delete and copy.
#include "platform/HostFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "platform/FaultInjection.h"
#include "platform/HostPath.h"

namespace {

int OpenRetrying(const char* path, int flags, mode_t mode = 0) {
    int fd;
    do {
        fd = ::open(path, flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// Writes everything (at the position, or at `offset` when it is not negative) or stops at the first failure;
// the bytes written.
int64_t WriteAll(int fd, const uint8_t* p, int64_t n, int64_t offset = -1) {
    int64_t done = 0;
    while (done < n) {
        ssize_t w = offset < 0 ? ::write(fd, p + done, static_cast<size_t>(n - done))
                               : ::pwrite(fd, p + done, static_cast<size_t>(n - done),
                                          static_cast<off_t>(offset + done));
        if (w < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (w == 0) break;
        done += w;
    }
    return done;
}

// A write the fault hook stops: half of the bytes reach the file, then the write gives up (or the process
// ends). True when the hook let the write through.
bool PassesWriteHook(int fd, const uint8_t* p, int64_t n, int64_t offset, int64_t& written) {
    FaultInjection::Action action = FaultInjection::Check(FaultInjection::Op::Write);
    if (action == FaultInjection::Action::Proceed) return true;
    written = WriteAll(fd, p, n / 2, offset);
    if (action == FaultInjection::Action::Exit) FaultInjection::ExitNow();
    return false;
}

// True when the hook lets a non-write operation through; an Exit action ends the process before it.
bool Passes(FaultInjection::Op op) {
    FaultInjection::Action action = FaultInjection::Check(op);
    if (action == FaultInjection::Action::Exit) FaultInjection::ExitNow();
    return action == FaultInjection::Action::Proceed;
}

int SyncRetrying(int fd, bool dataOnly) {
    int rc;
    do {
        rc = dataOnly ? ::fdatasync(fd) : ::fsync(fd);
    } while (rc != 0 && errno == EINTR);
    return rc;
}

}  // namespace

HostFile::~HostFile() { Close(); }

std::unique_ptr<HostFile> HostFile::Create(const std::string& hostPath) {
    int fd = OpenRetrying(hostPath.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0666);
    if (fd < 0) return nullptr;
    NoteHostDirectoryChange();
    return std::unique_ptr<HostFile>(new HostFile(fd, true));
}

std::unique_ptr<HostFile> HostFile::Open(const std::string& hostPath, bool writable) {
    int fd = OpenRetrying(hostPath.c_str(), (writable ? O_RDWR : O_RDONLY) | O_NONBLOCK);
    if (fd < 0) return nullptr;
    std::unique_ptr<HostFile> file(new HostFile(fd, writable));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return nullptr;
    // O_NONBLOCK only kept the open itself from hanging on a FIFO; it changes nothing for a regular file.
    file->sizeAtOpen_ = static_cast<int64_t>(st.st_size);
    return file;
}

int64_t HostFile::Read(void* buffer, int64_t n) {
    if (fd_ < 0 || n < 0) return -1;
    uint8_t* p = static_cast<uint8_t*>(buffer);
    int64_t done = 0;
    while (done < n) {
        ssize_t r = ::read(fd_, p + done, static_cast<size_t>(n - done));
        if (r < 0) {
            if (errno == EINTR) continue;
            return done > 0 ? done : -1;
        }
        if (r == 0) break;
        done += r;
    }
    return done;
}

int64_t HostFile::Write(const void* buffer, int64_t n) {
    if (fd_ < 0 || n <= 0) return 0;
    const uint8_t* p = static_cast<const uint8_t*>(buffer);
    int64_t written = 0;
    if (!PassesWriteHook(fd_, p, n, -1, written)) return written;
    return WriteAll(fd_, p, n);
}

int64_t HostFile::ReadAt(int64_t offset, void* buffer, int64_t n) {
    if (fd_ < 0 || n < 0 || offset < 0) return -1;
    uint8_t* p = static_cast<uint8_t*>(buffer);
    int64_t done = 0;
    while (done < n) {
        ssize_t r = ::pread(fd_, p + done, static_cast<size_t>(n - done), static_cast<off_t>(offset + done));
        if (r < 0) {
            if (errno == EINTR) continue;
            return done > 0 ? done : -1;
        }
        if (r == 0) break;
        done += r;
    }
    return done;
}

bool HostFile::WriteAt(int64_t offset, const void* buffer, int64_t n) {
    if (fd_ < 0 || offset < 0 || n < 0 || !writable_) return false;
    if (n == 0) return true;
    const uint8_t* p = static_cast<const uint8_t*>(buffer);
    int64_t written = 0;
    if (!PassesWriteHook(fd_, p, n, offset, written)) return false;
    return WriteAll(fd_, p, n, offset) == n;
}

bool HostFile::Seek(int64_t position) {
    if (fd_ < 0 || position < 0) return false;
    return ::lseek(fd_, static_cast<off_t>(position), SEEK_SET) == static_cast<off_t>(position);
}

int64_t HostFile::Tell() const {
    if (fd_ < 0) return -1;
    off_t pos = ::lseek(fd_, 0, SEEK_CUR);
    return pos < 0 ? -1 : static_cast<int64_t>(pos);
}

bool HostFile::SetLength(int64_t n) {
    if (fd_ < 0 || n < 0) return false;
    if (!Passes(FaultInjection::Op::SetLength)) return false;
    int rc;
    do {
        rc = ::ftruncate(fd_, static_cast<off_t>(n));
    } while (rc != 0 && errno == EINTR);
    return rc == 0;
}

bool HostFile::Flush() {
    if (fd_ < 0) return false;
    if (!Passes(FaultInjection::Op::Flush)) return false;
    int rc = SyncRetrying(fd_, true);
    // A descriptor that cannot be synchronised (a pipe, some special file systems) has nothing buffered here.
    return rc == 0 || errno == EINVAL || errno == EROFS;
}

int64_t HostFile::Size() const {
    if (fd_ < 0) return -1;
    struct stat st {};
    if (::fstat(fd_, &st) != 0) return -1;
    return static_cast<int64_t>(st.st_size);
}

bool HostFile::GetIdentity(uint64_t& device, uint64_t& inode) const {
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0) return false;
    device = static_cast<uint64_t>(st.st_dev);
    inode = static_cast<uint64_t>(st.st_ino);
    return true;
}

bool HostFile::Close() {
    if (fd_ < 0) return true;
    int rc = ::close(fd_);
    fd_ = -1;
    return rc == 0 || errno == EINTR;
}

bool DeleteHostFile(const std::string& hostPath) {
    struct stat st {};
    if (::lstat(hostPath.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    if (!Passes(FaultInjection::Op::Remove)) return false;
    NoteHostDirectoryChange();
    return ::unlink(hostPath.c_str()) == 0;
}

bool HostFileExists(const std::string& hostPath) {
    struct stat st {};
    return ::stat(hostPath.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsHostFileWritable(const std::string& hostPath) { return ::access(hostPath.c_str(), W_OK) == 0; }

bool SyncHostDirectory(const std::string& hostDirectory) {
    int fd = OpenRetrying(hostDirectory.empty() ? "." : hostDirectory.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return false;
    bool ok = Passes(FaultInjection::Op::Flush);
    // Some file systems cannot sync a directory; their entries are as durable as they can be made.
    if (ok && SyncRetrying(fd, false) != 0 && errno != EINVAL && errno != EROFS) ok = false;
    ::close(fd);
    return ok;
}

std::string HostDirectoryOf(const std::string& hostPath) {
    size_t slash = hostPath.rfind('/');
    if (slash == std::string::npos) return std::string();
    return slash == 0 ? std::string("/") : hostPath.substr(0, slash);
}

bool CopyHostFile(const std::string& fromHostPath, const std::string& toHostPath, bool failIfExists) {
    std::unique_ptr<HostFile> from = HostFile::Open(fromHostPath, false);
    if (!from) return false;
    struct stat src {}, dst {};
    if (::stat(fromHostPath.c_str(), &src) == 0 && ::stat(toHostPath.c_str(), &dst) == 0 &&
        src.st_dev == dst.st_dev && src.st_ino == dst.st_ino)
        return false;  // copying a file onto itself would empty it
    int flags = O_WRONLY | O_CREAT | (failIfExists ? O_EXCL : O_TRUNC);
    int fd = OpenRetrying(toHostPath.c_str(), flags, 0666);
    if (fd < 0) return false;
    NoteHostDirectoryChange();
    std::vector<uint8_t> buffer(64 * 1024);
    bool ok = true;
    for (;;) {
        int64_t r = from->Read(buffer.data(), static_cast<int64_t>(buffer.size()));
        if (r < 0) { ok = false; break; }
        if (r == 0) break;
        int64_t written = 0;
        if (!PassesWriteHook(fd, buffer.data(), r, -1, written) || WriteAll(fd, buffer.data(), r) != r) {
            ok = false;
            break;
        }
    }
    if (::close(fd) != 0 && errno != EINTR) ok = false;
    if (!ok) ::unlink(toHostPath.c_str());
    return ok;
}
