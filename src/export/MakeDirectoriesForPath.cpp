// MakeDirectoriesForPath: walks the path's separators and creates each directory level that is missing.
#include "export/MakeDirectoriesForPath.h"

#include "platform/HostDirectory.h"
#include "platform/HostPath.h"

bool MakeDirectoriesForPath(const std::string& path) {
    bool ok = true;
    size_t from = 0;
    while (from < path.size()) {
        const std::string rest = path.substr(from);
        const char separator = rest.find('\\') != std::string::npos ? '\\' : '/';
        const size_t at = path.find(separator, from);
        if (at == std::string::npos) break;
        // A separator that starts the remainder (a leading or doubled one) names no new directory.
        if (at > from) {
            const std::string host = ResolveHostPath(path.substr(0, at));
            if (!IsHostDirectory(host) && !CreateHostDirectory(host) && !IsHostDirectory(host)) ok = false;
        }
        from = at + 1;
    }
    return ok;
}
