// reshaper-cli resources FILE: every type of a file with its resources in enumeration order.
#include <CLI/CLI.hpp>
#include <cstdio>

#include "cli/CliCommon.h"
#include "cli/TerminalText.h"
#include "resfile/IFFResFile2.h"

namespace cli {

namespace {
std::string Hex4(int v) {
    char b[8];
    std::snprintf(b, sizeof b, "%04X", v & 0xFFFF);
    return b;
}

// The flags as stored in the file, when the kind keeps them (-1 otherwise).
int StoredFlags(iResFile& file, ResType type, int index) {
    auto* iff = dynamic_cast<IFFResFile2*>(&file);
    if (!iff || !iff->GetMap()) return -1;
    for (const auto& g : iff->GetMap()->groups)
        if (g.type == type && index >= 1 && static_cast<size_t>(index) <= g.entries.size())
            return g.entries[static_cast<size_t>(index) - 1].storedFlags;
    return -1;
}
}  // namespace

namespace {

// Lists one resource file of what was named: its types in file order with their resources.
void ListResources(iResFile& file, int& exitCode) {
    int32_t types = file.CountTypes();
    for (int32_t t = 1; t <= types; ++t) {
        ResType type = file.GetIndexedType(t);
        int32_t count = file.CountResources(type);
        std::printf("%s  %d resource%s\n", ShowGameText(ResTypeToString(type)).c_str(), count, count == 1 ? "" : "s");
        for (int32_t i = 1; i <= count; ++i) {
            DataHandle* h = file.GetIndexedResource(type, i, nullptr);
            if (!h) {
                std::printf("  #%d  unreadable: %s\n", i, ErrorText(file.GetError()).c_str());
                exitCode = kExitProblems;
                continue;
            }
            ResID id = 0;
            std::string name;
            file.GetID(h, id);
            file.GetName(h, name);
            int flags = StoredFlags(file, type, i);
            std::printf("  %6d  flags %s  %8d bytes  \"%s\"\n", id,
                        flags < 0 ? "------" : ("0x" + Hex4(flags)).c_str(), h->Size(), ShowGameText(name).c_str());
            file.ReleaseAndFree(h);
        }
    }
}

void AddResourcesCommand(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("resources", "List every resource type of FILE with its resources: id, name, "
                                                "flags, size, in enumeration order; an object file's .iff and "
                                                ".spf one after the other, as the resource browser opens them");
    auto path = std::make_shared<std::string>();
    cmd->add_option("FILE", *path,
                    "Resource file: a path (.iff, .spf), a name from the catalogue or a game path (archive members "
                    "too)")
        ->required();
    cmd->callback([path, &exitCode] {
        BrowsedFile browsed;
        if (!OpenAsTheBrowserDoes(*path, browsed)) {
            exitCode = kExitError;
            return;
        }
        const std::vector<iResFile*> members = browsed.Members();
        for (iResFile* member : members) {
            std::string memberPath;
            member->GetPath(memberPath);
            std::printf("file  %s  (%s)\n", ShowText(memberPath).c_str(), member->IsWritable() ? "writable" : "read-only");
            ListResources(*member, exitCode);
        }
        if (browsed.single) {
            if (ResErr err = browsed.single->Close()) {
                PrintError("closing '" + *path + "' failed: " + ErrorText(err));
                exitCode = kExitError;
            }
        }
    });
}

CommandRegistrar registrar(900, AddResourcesCommand);

}  // namespace

}  // namespace cli
