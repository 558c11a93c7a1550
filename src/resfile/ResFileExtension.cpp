// ResFileExtension: splitting paths into directory, base name and extension.
#include "resfile/ResFileExtension.h"

#include "resfile/BoundedString.h"

namespace {
bool IsSeparator(char c) { return c == '/' || c == '\\'; }
// Where the extension starts, found walking back over the base name only; npos when it has none.
size_t ExtensionStart(const std::string& path) {
    for (size_t i = path.size(); i > 0 && !IsSeparator(path[i - 1]); --i)
        if (path[i - 1] == '.') return i - 1;
    return std::string::npos;
}
}  // namespace

bool EqualsIgnoringAsciiCase(const std::string& a, const std::string& b) { return EqualsFoldedAscii(a, b); }

std::string PathExtension(const std::string& path) {
    size_t e = ExtensionStart(path);
    return e == std::string::npos ? std::string() : path.substr(e);
}

std::string StripExtension(const std::string& path) {
    size_t e = ExtensionStart(path);
    return e == std::string::npos ? path : path.substr(0, e);
}

bool MatchKindExtension(std::string_view extension, const std::string& path, std::string& resolved) {
    if (extension.size() < 2 || extension[0] != '.') return false;
    size_t e = ExtensionStart(path);
    if (e != std::string::npos) {
        if (!EqualsFoldedAscii(std::string_view(path).substr(e), extension)) return false;
        resolved = path;
        return true;
    }
    if (path.empty() || IsSeparator(path.back())) return false;
    resolved.reserve(path.size() + extension.size());
    resolved.assign(path).append(extension);
    return true;
}
