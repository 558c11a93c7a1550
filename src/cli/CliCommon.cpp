// CliCommon: error printing and the opening of resource files for the commands.
#include "cli/CliCommon.h"

#include <CLI/CLI.hpp>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "cli/TerminalText.h"
#include "platform/HostDirectory.h"
#include "platform/Windows1252.h"
#include "resfile/IFFResFile.h"
#include "resfile/IFFResFile2.h"
#include "resfile/ResFileExtension.h"

#include <algorithm>
#include <vector>

namespace cli {

namespace {
std::vector<std::pair<int, AddCommandFn>>& Registry() {
    static std::vector<std::pair<int, AddCommandFn>> registry;
    return registry;
}

std::string& InvocationDirectory() {
    static std::string directory;
    return directory;
}
}  // namespace

void RememberInvocationDirectory() { InvocationDirectory() = CurrentHostDirectory(); }

std::string FromInvocationDirectory(const std::string& path) {
    const std::string& base = InvocationDirectory();
    if (path.empty() || path[0] == '/' || base.empty()) return path;
    return base == "/" ? "/" + path : base + "/" + path;
}

CLI::Option* RelativeToInvocation(CLI::Option* option) {
    return option->transform([](std::string value) { return FromInvocationDirectory(value); }, "", "");
}

CommandRegistrar::CommandRegistrar(int rank, AddCommandFn fn) { Registry().emplace_back(rank, fn); }

void AddRegisteredCommands(CLI::App& app, int& exitCode) {
    auto commands = Registry();
    std::stable_sort(commands.begin(), commands.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& c : commands) c.second(app, exitCode);
}

void PrintError(const std::string& message) {
    std::fprintf(stderr, "reshaper-cli: %s\n", ShowText(message).c_str());
}

std::string ErrorText(ResErr code) { return "error #" + std::to_string(code); }

std::unique_ptr<iResFile> OpenResourceFile(const std::string& path) {
    std::unique_ptr<iResFile> file = std::make_unique<IFFResFile2>();
    ResErr err = file->Open(path);
    if (err == kErrBadHeader) {
        // Not a 2.x header: perhaps the older layout.
        file = std::make_unique<IFFResFile>();
        if (file->Open(path) == kNoErr) return file;
    }
    if (err == kNoErr) return file;
    PrintError("cannot open '" + path + "': " + ErrorText(err));
    return nullptr;
}

std::unique_ptr<ObjResFile> OpenObjectFile(const std::string& path) {
    std::string base = path;
    std::string ext = PathExtension(path);
    if (EqualsIgnoringAsciiCase(ext, ".iff") || EqualsIgnoringAsciiCase(ext, ".spf")) base = StripExtension(path);
    auto file = std::make_unique<ObjResFile>();
    ResErr err = file->Open(base);
    if (err == kNoErr) return file;
    PrintError("cannot open the object file '" + path + "': " + ErrorText(err));
    return nullptr;
}

void PrintViewText(const std::string& text) {
    std::string shown = ShowText(DecodeWindows1252(text));
    for (size_t at = shown.find("\r\n"); at != std::string::npos; at = shown.find("\r\n", at)) shown.erase(at, 1);
    if (!shown.empty() && shown.back() != '\n') shown += '\n';  // a message such as "Could not get resource!"
    std::fwrite(shown.data(), 1, shown.size(), stdout);
}

bool ParseResType(const std::string& text, ResType& out) {
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    if (!hex && (text.size() == 3 || text.size() == 4)) {
        const std::string code = text.size() == 3 ? std::string(1, '\0') + text : text;
        out = 0;
        for (char c : code) out = (out << 8) | static_cast<uint8_t>(c);
        return true;
    }
    if (!hex || text.size() > 10 || !std::isxdigit(static_cast<unsigned char>(text[2]))) return false;
    char* end = nullptr;
    const unsigned long v = std::strtoul(text.c_str() + 2, &end, 16);
    if (*end != '\0') return false;
    out = static_cast<ResType>(v);
    return true;
}

bool ParseResID(const std::string& text, ResID& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 0);
    if (*end != '\0' || v < -32768 || v > 32767) return false;
    out = static_cast<ResID>(v);
    return true;
}

}  // namespace cli
