// SettingsStore: registry-like reads and writes of the settings key over an INI file.
#include "app/SettingsStore.h"

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/IniText.h"
#include "platform/HostDirectory.h"
#include "platform/HostFile.h"
#include "platform/HostPath.h"

namespace {

std::string NonEmptyEnv(const char* name) {
    const char* v = std::getenv(name);
    return (v && *v) ? std::string(v) : std::string();
}

// Makes every missing directory level of a host path (the path itself included).
bool MakeHostDirectories(const std::string& dir) {
    if (dir.empty() || IsHostDirectory(dir)) return true;
    size_t slash = dir.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !MakeHostDirectories(dir.substr(0, slash))) return false;
    return CreateHostDirectory(dir) || IsHostDirectory(dir);
}

std::string ParentOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return std::string();
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

}  // namespace

int32_t ParseLeadingInteger(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > static_cast<int64_t>(INT32_MAX) + 1) v = static_cast<int64_t>(INT32_MAX) + 1;  // stays clamped
    }
    if (negative) v = -v;
    if (v > INT32_MAX) v = INT32_MAX;
    return static_cast<int32_t>(v);
}

SettingsStore SettingsStore::FromEnvironment() {
    std::string path = NonEmptyEnv("RESHAPER_SETTINGS");
    if (!path.empty() && path[0] != '/') {
        // Resolved once, against the directory the program started in: the absolute path replaces the relative
        // one in the environment, so the store stays the same file when start-up changes the current directory.
        std::string cwd = CurrentHostDirectory();
        if (!cwd.empty()) {
            path = cwd + "/" + path;
            ::setenv("RESHAPER_SETTINGS", path.c_str(), 1);
        }
    }
    if (path.empty()) {
        std::string config = NonEmptyEnv("XDG_CONFIG_HOME");
        // A relative XDG_CONFIG_HOME is invalid and ignored, as the base directory rules say.
        if (config.empty() || config[0] != '/') {
            std::string home = NonEmptyEnv("HOME");
            config = home.empty() ? std::string() : home + "/.config";
        }
        if (!config.empty()) path = config + "/Vexel/The Domizens.ini";
    }
    if (!path.empty() && path[0] != '/') {
        std::string cwd = CurrentHostDirectory();
        if (!cwd.empty()) path = cwd + "/" + path;
    }
    return SettingsStore(path);
}

bool SettingsStore::Load(std::string& text) const {
    if (path_.empty()) return false;
    auto file = HostFile::Open(path_, false);
    if (!file) return false;
    int64_t size = file->Size();
    if (size < 0 || size > kMaxSettingsFileBytes) return false;
    text.assign(static_cast<size_t>(size), '\0');
    int64_t done = 0;
    while (done < size) {
        int64_t n = file->Read(text.data() + done, size - done);
        if (n < 0) return false;
        if (n == 0) break;
        done += n;
    }
    text.resize(static_cast<size_t>(done));
    return true;
}

bool SettingsStore::Save(const std::string& text) const {
    if (path_.empty()) return false;
    // Write through a link to the file it names, so the link stays a link.
    std::string target = path_;
    if (char* real = ::realpath(path_.c_str(), nullptr)) {
        target = real;
        std::free(real);
    }
    std::string temp = target + ".tmp" + std::to_string(::getpid());
    auto file = HostFile::Create(temp);
    if (!file) return false;
    bool ok = file->Write(text.data(), static_cast<int64_t>(text.size())) == static_cast<int64_t>(text.size()) &&
              file->Flush();
    ok = file->Close() && ok;
    if (ok && std::rename(temp.c_str(), target.c_str()) == 0) {
        NoteHostDirectoryChange();
        return true;
    }
    DeleteHostFile(temp);
    return false;
}

bool SettingsStore::KeyExists() const {
    std::string text;
    return Load(text) && IniText(text).HasSection(kSettingsKey);
}

bool SettingsStore::CreateKey() const {
    if (path_.empty()) return false;
    std::string text;
    if (!Load(text)) {
        // A file that exists but cannot be read (or is too large) is never replaced.
        if (::access(path_.c_str(), F_OK) == 0) return false;
        if (!MakeHostDirectories(ParentOf(path_))) return false;
        text.clear();
    }
    IniText ini(text);
    if (ini.HasSection(kSettingsKey)) return true;
    ini.AddSection(kSettingsKey);
    return Save(ini.ToString());
}

bool SettingsStore::ReadText(const std::string& name, std::string& value) const {
    std::string text;
    if (!Load(text)) return false;
    std::string found;
    if (!IniText(text).GetValue(kSettingsKey, name, found)) return false;
    if (found.size() + 1 > kMaxSettingTextBytes) return false;
    value = found;
    return true;
}

bool SettingsStore::WriteText(const std::string& name, const std::string& value) const {
    if (value.size() + 1 > kMaxSettingTextBytes) return false;
    std::string text;
    if (!Load(text)) return false;
    IniText ini(text);
    if (!ini.SetValue(kSettingsKey, name, value)) return false;
    return Save(ini.ToString());
}

bool SettingsStore::ReadMagicCookie(int32_t& cookie) const {
    std::string text;
    if (!Load(text)) return false;
    IniText ini(text);
    if (!ini.HasSection(kSettingsKey)) return false;
    std::string value;
    if (ini.GetValue(kSettingsKey, kMagicCookieValue, value) && value.size() + 1 <= kMaxCookieTextBytes)
        cookie = ParseLeadingInteger(value);
    else
        cookie = 0;
    return true;
}

bool SettingsStore::WriteMagicCookie(int32_t cookie) const {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d", cookie);
    return WriteText(kMagicCookieValue, buffer);
}
