// reshaper-cli resources FILE: every type of a file with its resources in enumeration order.
#include <CLI/CLI.hpp>
#include <cstdio>

#include "cli/CliCommon.h"
#include "cli/JsonOutput.h"
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

// One resource as enumerated: readable, with id, stored flags (-1 when the kind keeps none), size and name, or not.
struct ResourceRow {
    int index = 0;
    ResErr error = kNoErr;
    ResID id = 0;
    int flags = -1;
    int32_t size = 0;
    std::string name;
};
struct TypeRows {
    ResType type = 0;
    std::vector<ResourceRow> rows;
};

// The types of one resource file in file order with their resources; an unreadable one makes `exitCode` 3.
std::vector<TypeRows> ReadResources(iResFile& file, int& exitCode) {
    std::vector<TypeRows> types;
    const int32_t typeCount = file.CountTypes();
    for (int32_t t = 1; t <= typeCount; ++t) {
        TypeRows& group = types.emplace_back();
        group.type = file.GetIndexedType(t);
        const int32_t count = file.CountResources(group.type);
        for (int32_t i = 1; i <= count; ++i) {
            ResourceRow& row = group.rows.emplace_back();
            row.index = i;
            DataHandle* h = file.GetIndexedResource(group.type, i, nullptr);
            if (!h) {
                row.error = file.GetError();
                exitCode = kExitProblems;
                continue;
            }
            file.GetID(h, row.id);
            file.GetName(h, row.name);
            row.flags = StoredFlags(file, group.type, i);
            row.size = h->Size();
            file.ReleaseAndFree(h);
        }
    }
    return types;
}

void PrintResources(const std::vector<TypeRows>& types) {
    for (const TypeRows& group : types) {
        const size_t count = group.rows.size();
        std::printf("%s  %zu resource%s\n", ShowGameText(ResTypeToString(group.type)).c_str(), count,
                    count == 1 ? "" : "s");
        for (const ResourceRow& row : group.rows) {
            if (row.error != kNoErr)
                std::printf("  #%d  unreadable: %s\n", row.index, ErrorText(row.error).c_str());
            else
                std::printf("  %6d  flags %s  %8d bytes  \"%s\"\n", row.id,
                            row.flags < 0 ? "------" : ("0x" + Hex4(row.flags)).c_str(), row.size,
                            ShowGameText(row.name).c_str());
        }
    }
}

Json ResourcesJson(const std::vector<TypeRows>& types) {
    Json list = Json::array();
    for (const TypeRows& group : types) {
        Json rows = Json::array();
        for (const ResourceRow& row : group.rows) {
            if (row.error != kNoErr)
                rows.push_back({{"index", row.index}, {"error", row.error}});
            else
                rows.push_back({{"id", row.id},
                                {"flags", row.flags < 0 ? Json() : Json(row.flags)},
                                {"size", row.size},
                                {"name", GameTextJson(row.name)}});
        }
        list.push_back({{"type", GameTextJson(ResTypeToString(group.type))},
                        {"typeCode", group.type},
                        {"resources", rows}});
    }
    return list;
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
    auto json = std::make_shared<bool>(false);
    AddJsonFlag(*cmd, *json);
    cmd->callback([path, json, &exitCode] {
        BrowsedFile browsed;
        if (!OpenAsTheBrowserDoes(*path, browsed)) {
            exitCode = kExitError;
            return;
        }
        Json files = Json::array();
        for (iResFile* member : browsed.Members()) {
            std::string memberPath;
            member->GetPath(memberPath);
            const std::vector<TypeRows> types = ReadResources(*member, exitCode);
            if (*json) {
                files.push_back(
                    {{"path", memberPath}, {"writable", member->IsWritable()}, {"types", ResourcesJson(types)}});
                continue;
            }
            std::printf("file  %s  (%s)\n", ShowText(memberPath).c_str(),
                        member->IsWritable() ? "writable" : "read-only");
            PrintResources(types);
        }
        if (browsed.single) {
            if (ResErr err = browsed.single->Close()) {
                PrintError("closing '" + *path + "' failed: " + ErrorText(err));
                exitCode = kExitError;
            }
        }
        if (*json && exitCode != kExitError) PrintJson({{"files", files}});
    });
}

CommandRegistrar registrar(900, AddResourcesCommand);

}  // namespace

}  // namespace cli
