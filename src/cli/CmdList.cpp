// reshaper-cli list: the catalogue of object files, as the workbench's file list shows it.
#include <CLI/CLI.hpp>
#include <cstdio>

#include "cli/CliCommon.h"
#include "cli/JsonOutput.h"
#include "cli/TerminalText.h"

namespace cli {

namespace {

void AddListCommand(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("list", "List every object file of the game's object directories (archives "
                                           "included): name, editable or read-only, object count, path");
    auto editable = std::make_shared<bool>(false);
    cmd->add_flag("--editable", *editable, "Only the files that can be changed (\"Editable Object Files\")");
    auto json = std::make_shared<bool>(false);
    AddJsonFlag(*cmd, *json);
    cmd->callback([editable, json, &exitCode] {
        ObjectCatalog& catalog = LoadCatalog();
        auto files = catalog.Listed(*editable);
        if (*json) {
            Json list = Json::array();
            for (const ObjectFile* f : files)
                list.push_back({{"name", f->displayName},
                                {"editable", f->IsEditable()},
                                {"objects", f->CountObjects()},
                                {"path", f->path}});
            PrintJson({{"files", list}});
            return;
        }
        for (const ObjectFile* f : files)
            std::printf("%-32s %-9s %4zu  %s\n", ShowText(f->displayName).c_str(),
                        f->IsEditable() ? "editable" : "read-only", f->CountObjects(), ShowText(f->path).c_str());
        std::printf("%zu object file%s\n", files.size(), files.size() == 1 ? "" : "s");
        (void)exitCode;
    });
}

CommandRegistrar registrar(110, AddListCommand);

}  // namespace

}  // namespace cli
