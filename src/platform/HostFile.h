// HostFile: one open file of the host system (POSIX descriptor) with the few operations the file layer needs.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

// Paths given here are host paths (see HostPath.h). Every operation reports failure by its return value;
// nothing throws. Writes, flushes, length changes and removals consult FaultInjection.
class HostFile {
public:
    ~HostFile();
    HostFile(const HostFile&) = delete;
    HostFile& operator=(const HostFile&) = delete;

    // Creates the file for reading and writing, replacing (emptying) an existing one; null on failure.
    static std::unique_ptr<HostFile> Create(const std::string& hostPath);
    // Opens an existing regular file, for reading and writing when `writable`, else read-only; null on
    // failure (missing file, no permission, a directory).
    static std::unique_ptr<HostFile> Open(const std::string& hostPath, bool writable);

    // Bytes read at the current position (fewer at the end of the file, 0 at the end); -1 on failure.
    int64_t Read(void* buffer, int64_t n);
    // Bytes written at the current position; fewer than n (possibly 0) when the write failed part-way.
    int64_t Write(const void* buffer, int64_t n);
    // Bytes read at an absolute offset without using or moving the position (fewer at the end of the file);
    // -1 on failure.
    int64_t ReadAt(int64_t offset, void* buffer, int64_t n);
    // Writes all n bytes at an absolute offset without using or moving the position; false when the write
    // failed part-way (some of the bytes may have reached the file).
    bool WriteAt(int64_t offset, const void* buffer, int64_t n);
    // Moves to an absolute position (may lie past the end); false on failure or a negative position.
    bool Seek(int64_t position);
    // The current position, -1 on failure.
    int64_t Tell() const;
    // Cuts or extends (with zero bytes) the file to n bytes; the position is unchanged. False on failure.
    bool SetLength(int64_t n);
    // Pushes written data to the disk (data sync); false on failure.
    bool Flush();
    // The file's size in bytes, -1 on failure.
    int64_t Size() const;
    // The size the file had when Open opened it (-1 for a file made by Create).
    int64_t SizeAtOpen() const { return sizeAtOpen_; }
    // Device and inode of the open file; false when they cannot be read.
    bool GetIdentity(uint64_t& device, uint64_t& inode) const;
    // Closes the descriptor (also done by the destructor); false when closing reported an error.
    bool Close();
    bool IsOpen() const { return fd_ >= 0; }
    bool IsWritable() const { return writable_; }

private:
    HostFile(int fd, bool writable) : fd_(fd), writable_(writable) {}
    int fd_ = -1;
    bool writable_ = false;
    int64_t sizeAtOpen_ = -1;
};

// Deletes a host file (not a directory); false on failure.
bool DeleteHostFile(const std::string& hostPath);
// True when the host path names an existing regular file (links followed).
bool HostFileExists(const std::string& hostPath);
// True when this process may write the existing host file.
bool IsHostFileWritable(const std::string& hostPath);
// Makes the creation, renaming and removal of entries in a host directory durable (a sync of the directory,
// counted as a flush by the fault hook); false on failure. An empty path means the current directory.
bool SyncHostDirectory(const std::string& hostDirectory);
// The directory part of a host path ("" for a bare name, "/" for a file at the root).
std::string HostDirectoryOf(const std::string& hostPath);
// Copies a host file's bytes to another path, replacing it unless `failIfExists`; false on failure (a partly
// written target is removed again).
bool CopyHostFile(const std::string& fromHostPath, const std::string& toHostPath, bool failIfExists);
