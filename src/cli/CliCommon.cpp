// CliCommon: error printing and the opening of resource files for the commands.
#include "cli/CliCommon.h"

#include <cstdio>

#include "resfile/IFFResFile.h"
#include "resfile/IFFResFile2.h"

namespace cli {

void PrintError(const std::string& message) { std::fprintf(stderr, "reshaper-cli: %s\n", message.c_str()); }

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

}  // namespace cli
