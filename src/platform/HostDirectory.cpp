// HostDirectory: POSIX directory listing in byte-wise order and directory creation.
#include "platform/HostDirectory.h"

#include <dirent.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "platform/HostPath.h"
#include "platform/Wildcard.h"

bool ListHostDirectory(const std::string& hostDirectory, const std::string& pattern, std::vector<HostDirEntry>& out) {
    out.clear();
    DIR* dir = ::opendir(hostDirectory.empty() ? "." : hostDirectory.c_str());
    if (!dir) return false;
    const bool all = pattern == "*.*" || pattern == "*";
    std::string prefix = hostDirectory.empty() ? std::string("./") : hostDirectory;
    if (prefix.back() != '/') prefix.push_back('/');
    while (dirent* e = ::readdir(dir)) {
        std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        if (!all && !MatchWildcard(name, pattern)) continue;
        HostDirEntry entry;
        entry.name = name;
#ifdef DT_DIR
        if (e->d_type == DT_DIR) {
            entry.isDirectory = true;
        } else if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) {
            entry.isDirectory = IsHostDirectory(prefix + name);
        }
#else
        entry.isDirectory = IsHostDirectory(prefix + name);
#endif
        out.push_back(std::move(entry));
    }
    ::closedir(dir);
    std::sort(out.begin(), out.end(), [](const HostDirEntry& a, const HostDirEntry& b) { return a.name < b.name; });
    return true;
}

bool CreateHostDirectory(const std::string& hostPath) {
    NoteHostDirectoryChange();
    return ::mkdir(hostPath.c_str(), 0777) == 0;
}

bool CreateHostDirectories(const std::string& hostPath) {
    if (hostPath.empty()) return false;
    // Each level from the top: a level that is there already, or that another process made meanwhile, is fine.
    for (size_t at = hostPath.find('/', 1); ; at = hostPath.find('/', at + 1)) {
        const std::string level = hostPath.substr(0, at);
        if (!level.empty() && level.back() != '/' && !IsHostDirectory(level) && !CreateHostDirectory(level) &&
            !IsHostDirectory(level))
            return false;
        if (at == std::string::npos) return true;
    }
}

bool IsHostDirectory(const std::string& hostPath) {
    struct stat st {};
    return ::stat(hostPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool GetHostFileIdentity(const std::string& hostPath, unsigned long long& device, unsigned long long& inode) {
    struct stat st {};
    if (::stat(hostPath.c_str(), &st) != 0) return false;
    device = static_cast<unsigned long long>(st.st_dev);
    inode = static_cast<unsigned long long>(st.st_ino);
    return true;
}

std::string CurrentHostDirectory() {
    std::vector<char> buffer(PATH_MAX + 1);
    if (!::getcwd(buffer.data(), buffer.size())) return std::string();
    return buffer.data();
}

std::string AbsoluteHostPath(const std::string& hostPath) {
    if (!hostPath.empty() && hostPath[0] == '/') return hostPath;
    std::string relative = hostPath;
    while (relative.rfind("./", 0) == 0) relative.erase(0, 2);
    std::string cwd = CurrentHostDirectory();
    if (cwd.empty()) return hostPath;
    if (relative.empty() || relative == ".") return cwd;
    return cwd == "/" ? "/" + relative : cwd + "/" + relative;
}
