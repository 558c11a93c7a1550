// CloneName: sanitising clone names and proposing the default one.
#include "clone/CloneName.h"

#include <cstdio>
#include <cstdlib>

#include "app/AppSettings.h"

namespace {
bool IsAsciiLetterOrDigit(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }
}  // namespace

void SanitizeCloneName(std::string& text) {
    size_t kept = 0;
    for (char c : text)
        if (IsAsciiLetterOrDigit(c)) text[kept++] = c;
    text.resize(kept < kMaxCloneNameLength ? kept : kMaxCloneNameLength);
}

std::string FileNamePart(const std::string& path) {
    size_t slash = path.rfind('\\');
    if (slash == std::string::npos) slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string NextCloneNameCandidate(const std::string& candidate, const std::function<int()>& random) {
    size_t digits = 0;
    while (digits < candidate.size() && candidate[candidate.size() - 1 - digits] >= '0' &&
           candidate[candidate.size() - 1 - digits] <= '9')
        ++digits;
    std::string stem = candidate.substr(0, candidate.size() - digits);
    uint32_t n = 0;
    if (digits == 6) {
        // Six digits read at most 999999; the next number may need a seventh digit, as "%06d" prints it.
        for (size_t i = stem.size(); i < candidate.size(); ++i) n = n * 10 + static_cast<uint32_t>(candidate[i] - '0');
        n += 1;
    } else {
        uint32_t r1 = static_cast<uint32_t>(random());
        uint32_t r2 = static_cast<uint32_t>(random());
        uint32_t r3 = static_cast<uint32_t>(random());
        uint32_t t = (r1 & 0x7FFu) << 8;
        t = (t ^ (r2 & 0x7FFFFu)) << 8;
        t = t ^ (r3 & 0x7FFFFFFu);
        n = t % 1000000u;
    }
    char number[16];
    std::snprintf(number, sizeof number, "%06u", n);
    return stem + number;
}

std::string MakeDefaultCloneName(const std::string& sourcePath, const std::function<bool(const std::string&)>& isUnique,
                                 const std::function<int()>& random) {
    std::function<int()> next = random ? random : [] { return std::rand(); };
    std::string candidate = FileNamePart(sourcePath);
    do {
        candidate = NextCloneNameCandidate(candidate, next);
    } while (!isUnique(candidate));
    return candidate;
}

std::string CloneFilePath(const std::string& name) { return std::string(CloneDirectory) + "\\" + name + ".iff"; }
