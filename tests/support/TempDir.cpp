// TempDir: temporary test directories and small file helpers shared by the test executables.
#include "support/TempDir.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <unistd.h>

namespace reshaper_test {

TempDir::TempDir(const std::string& prefix) {
    std::string pattern = "/tmp/" + prefix + "XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data())) path_ = buffer.data();
}

TempDir::~TempDir() {
    if (!path_.empty()) RemoveTree(path_);
}

std::string TempDir::Join(const std::string& relative) const { return path_ + "/" + relative; }

bool MakeDirectories(const std::string& hostPath) {
    std::error_code ec;
    std::filesystem::create_directories(hostPath, ec);
    return !ec && std::filesystem::is_directory(hostPath, ec);
}

bool WriteFileBytes(const std::string& hostPath, const std::vector<uint8_t>& bytes) {
    std::filesystem::path p(hostPath);
    if (p.has_parent_path() && !MakeDirectories(p.parent_path().string())) return false;
    std::ofstream out(hostPath, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool WriteFileText(const std::string& hostPath, const std::string& text) {
    return WriteFileBytes(hostPath, std::vector<uint8_t>(text.begin(), text.end()));
}

std::vector<uint8_t> ReadFileBytes(const std::string& hostPath) {
    std::ifstream in(hostPath, std::ios::binary);
    if (!in) return {};
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ReadFileText(const std::string& hostPath) {
    const std::vector<uint8_t> bytes = ReadFileBytes(hostPath);
    return std::string(bytes.begin(), bytes.end());
}

bool RemoveTree(const std::string& hostPath) {
    std::error_code ec;
    std::filesystem::remove_all(hostPath, ec);
    return !ec;
}

void AppendUInt32LE(std::vector<uint8_t>& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void AppendText(std::vector<uint8_t>& out, const std::string& text) { out.insert(out.end(), text.begin(), text.end()); }

ScopedCurrentDirectory::ScopedCurrentDirectory(const std::string& hostPath) {
    std::error_code ec;
    previous_ = std::filesystem::current_path(ec).string();
    if (ec) return;
    ok_ = ::chdir(hostPath.c_str()) == 0;
}

ScopedCurrentDirectory::~ScopedCurrentDirectory() {
    if (ok_ && ::chdir(previous_.c_str()) != 0) std::perror("restoring the current directory");
}

}  // namespace reshaper_test
