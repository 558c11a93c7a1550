// TempDir: a fresh directory under /tmp for one test, removed with everything in it when the object goes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace reshaper_test {

class TempDir {
public:
    // Makes /tmp/<prefix>XXXXXX; Path() is empty when that failed.
    explicit TempDir(const std::string& prefix = "reshaper-test-");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Absolute host path of the directory, without a final '/'.
    const std::string& Path() const { return path_; }
    // Path() + "/" + relative.
    std::string Join(const std::string& relative) const;

private:
    std::string path_;
};

// Writes the bytes to a host file, replacing it; makes missing parent directories. False on failure.
bool WriteFileBytes(const std::string& hostPath, const std::vector<uint8_t>& bytes);
// Writes text to a host file, replacing it; makes missing parent directories. False on failure.
bool WriteFileText(const std::string& hostPath, const std::string& text);
// The bytes of a host file; empty when it cannot be read.
std::vector<uint8_t> ReadFileBytes(const std::string& hostPath);
// The same bytes as a text.
std::string ReadFileText(const std::string& hostPath);
// Makes a host directory and any missing parents. False on failure.
bool MakeDirectories(const std::string& hostPath);
// Removes a file or a directory tree; false when something could not be removed.
bool RemoveTree(const std::string& hostPath);

// Appends a 32-bit little-endian integer (helper for byte literals built field by field).
void AppendUInt32LE(std::vector<uint8_t>& out, uint32_t value);
// Appends the bytes of a text without a terminator.
void AppendText(std::vector<uint8_t>& out, const std::string& text);

// Changes the current directory for the life of the object and restores it afterwards.
class ScopedCurrentDirectory {
public:
    explicit ScopedCurrentDirectory(const std::string& hostPath);
    ~ScopedCurrentDirectory();
    ScopedCurrentDirectory(const ScopedCurrentDirectory&) = delete;
    ScopedCurrentDirectory& operator=(const ScopedCurrentDirectory&) = delete;
    bool Ok() const { return ok_; }

private:
    std::string previous_;
    bool ok_ = false;
};

}  // namespace reshaper_test
