// reshaper-cli objects FILE: the objects of a file with ids, names and GUIDs, tiles under their leads.
#include <CLI/CLI.hpp>
#include <cstdio>

#include "app/ObjectFile.h"
#include "cli/CliCommon.h"
#include "cli/JsonOutput.h"
#include "cli/TerminalText.h"

namespace cli {

namespace {

void PrintEntry(const ObjectEntry& e, int depth) {
    std::printf("%*s%6d  %08X  %s\n", depth * 4, "", e.id, static_cast<uint32_t>(e.definition.guid),
                ShowGameText(e.name).c_str());
}

Json EntryJson(const ObjectEntry& e) {
    return {{"id", e.id}, {"guid", static_cast<uint32_t>(e.definition.guid)}, {"name", GameTextJson(e.name)}};
}

void PrintObjectsJson(const ObjectFile& record, size_t withoutLead) {
    Json roots = Json::array();
    for (const ObjectEntry* root : record.roots) {
        Json entry = EntryJson(*root);
        entry["tiles"] = Json::array();
        for (const ObjectEntry* tile : root->tiles) entry["tiles"].push_back(EntryJson(*tile));
        roots.push_back(entry);
    }
    PrintJson({{"file", record.path},
               {"objects", roots},
               {"tilesWithoutLead", withoutLead},
               {"total", record.objects.size()}});
}

void AddObjectsCommand(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("objects", "List the objects of an object file: id, GUID and name, with the tiles "
                                              "of multi-tile objects under their lead");
    auto path = std::make_shared<std::string>();
    cmd->add_option("FILE", *path, "Object file: a path (with or without .iff) or a name from the catalogue")->required();
    auto json = std::make_shared<bool>(false);
    AddJsonFlag(*cmd, *json);
    cmd->callback([path, json, &exitCode] {
        ObjectFileArg arg;
        if (!ResolveObjectFile(*path, false, arg)) {
            exitCode = kExitError;
            return;
        }
        const ObjectFile& record = *arg.record;
        size_t shown = record.roots.size();
        for (const ObjectEntry* root : record.roots) shown += root->tiles.size();
        if (*json) {
            PrintObjectsJson(record, record.objects.size() - shown);
            return;
        }
        std::printf("    id  GUID      name\n");
        for (const ObjectEntry* root : record.roots) {
            PrintEntry(*root, 0);
            for (const ObjectEntry* tile : root->tiles) PrintEntry(*tile, 1);
        }
        if (shown < record.objects.size())
            std::printf("(%zu tile%s without a lead not shown)\n", record.objects.size() - shown,
                        record.objects.size() - shown == 1 ? "" : "s");
        std::printf("Total objects in file: %zu\n", record.objects.size());
    });
}

CommandRegistrar registrar(200, AddObjectsCommand);

}  // namespace

}  // namespace cli
