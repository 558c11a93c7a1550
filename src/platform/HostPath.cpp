// HostPath: case-insensitive resolution of game paths against the host file system.
#include "platform/HostPath.h"

#include <dirent.h>
#include <sys/stat.h>

#include <vector>

namespace {

char Fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsFolded(const char* a, const std::string& b) {
    size_t i = 0;
    for (; a[i] && i < b.size(); ++i)
        if (Fold(a[i]) != Fold(b[i])) return false;
    return a[i] == '\0' && i == b.size();
}

std::string Join(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    if (dir.back() == '/') return dir + name;
    return dir + "/" + name;
}

}  // namespace

bool ResolveHostName(const std::string& hostDirectory, const std::string& name, std::string& out) {
    out = name;
    if (name.empty()) return false;
    struct stat st {};
    if (::lstat(Join(hostDirectory, name).c_str(), &st) == 0) return true;
    DIR* dir = ::opendir(hostDirectory.empty() ? "." : hostDirectory.c_str());
    if (!dir) return false;
    bool found = false;
    while (dirent* e = ::readdir(dir)) {
        if (!EqualsFolded(e->d_name, name)) continue;
        std::string candidate = e->d_name;
        if (!found || candidate < out) out = candidate;
        found = true;
    }
    ::closedir(dir);
    if (!found) out = name;
    return found;
}

std::string ResolveHostPath(const std::string& gamePath) {
    if (gamePath.empty()) return std::string();
    std::string s = gamePath;
    for (char& c : s)
        if (c == '\\') c = '/';
    const bool absolute = s.front() == '/';
    const bool trailing = s.size() > 1 && s.back() == '/';

    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= s.size()) {
        size_t end = s.find('/', start);
        if (end == std::string::npos) end = s.size();
        if (end > start) parts.push_back(s.substr(start, end - start));
        start = end + 1;
    }

    std::string result = absolute ? "/" : "";
    bool resolving = true;
    for (const std::string& part : parts) {
        std::string name = part;
        if (resolving && part != "." && part != "..") {
            std::string lookIn = result.empty() ? std::string(".") : result;
            resolving = ResolveHostName(lookIn, part, name);
        }
        result = Join(result, name);
    }
    if (trailing && !result.empty() && result.back() != '/') result.push_back('/');
    return result;
}
