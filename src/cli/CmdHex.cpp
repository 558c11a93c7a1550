// reshaper-cli hex FILE TYPE ID: the resource browser's hex view of one resource, line for line.
#include <CLI/CLI.hpp>
#include <cstdio>

#include "cli/CliCommon.h"
#include "tools/HexResourceText.h"

namespace cli {

namespace {

void AddHexCommand(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("hex", "Show one resource as the resource browser's hex view does: offset, eight "
                                          "bytes in hexadecimal and the same bytes as characters, per line");
    auto path = std::make_shared<std::string>();
    auto typeText = std::make_shared<std::string>();
    auto idText = std::make_shared<std::string>();
    cmd->add_option("FILE", *path, "Object file: a path (.iff, .spf), a name from the catalogue or a game path")
        ->required();
    cmd->add_option("TYPE", *typeText, "Resource type: four characters (BHAV), or 0x and eight hexadecimal digits")
        ->required();
    cmd->add_option("ID", *idText, "Resource id")->required();
    cmd->callback([path, typeText, idText, &exitCode] {
        ResType type = 0;
        ResID id = 0;
        if (!ParseResType(*typeText, type) || !ParseResID(*idText, id)) {
            PrintError("'" + *typeText + " " + *idText + "' is not a resource type and id");
            exitCode = kExitUsage;
            return;
        }
        BrowsedFile browsed;
        if (!OpenAsTheBrowserDoes(*path, browsed)) {
            exitCode = kExitError;
            return;
        }
        const std::string text = HexResourceText(browsed.File(), type, id);
        PrintViewText(text);
        if (text == kHexNoResource) exitCode = kExitError;
    });
}

CommandRegistrar registrar(905, AddHexCommand);

}  // namespace

}  // namespace cli
