// reshaper-cli text FILE TYPE ID: the resource browser's string view of one string set, line for line.
#include <CLI/CLI.hpp>
#include <cstdio>

#include "cli/CliCommon.h"
#include "tools/ResourceBrowserRows.h"
#include "tools/StringResourceText.h"

namespace cli {

namespace {

void AddTextCommand(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("text", "Show a string set as the resource browser's string view does: a header "
                                           "line and the numbered strings of the current language");
    auto path = std::make_shared<std::string>();
    auto typeText = std::make_shared<std::string>();
    auto idText = std::make_shared<std::string>();
    auto language = std::make_shared<int>(0);
    cmd->add_option("FILE", *path, "Object file: a path (.iff, .spf), a name from the catalogue or a game path")
        ->required();
    cmd->add_option("TYPE", *typeText, "STR#, or CST for the legacy text form (the view reads STR# first)")
        ->required();
    cmd->add_option("ID", *idText, "Resource id")->required();
    auto* languageOption = cmd->add_option("--language", *language,
                                           "Language number 1 to 20 (1 = US English; default: the stored language)")
                               ->check(CLI::Range(1, 20));
    cmd->callback([path, typeText, idText, language, languageOption, &exitCode] {
        ResType type = 0;
        ResID id = 0;
        if (!ParseResType(*typeText, type) || !ParseResID(*idText, id)) {
            PrintError("'" + *typeText + " " + *idText + "' is not a resource type and id");
            exitCode = kExitUsage;
            return;
        }
        if (!IsStringResourceType(type)) {
            PrintError("the browser shows " + ResTypeToString(type) + " resources as hex: use 'reshaper-cli hex'");
            exitCode = kExitUsage;
            return;
        }
        if (!UseLanguage(languageOption->count() > 0, *language)) {
            exitCode = kExitUsage;
            return;
        }
        BrowsedFile browsed;
        if (!OpenAsTheBrowserDoes(*path, browsed)) {
            exitCode = kExitError;
            return;
        }
        const StringResourceView view = StringResourceText(browsed.File(), id);
        PrintViewText(view.text);
        if (!view.read) {
            PrintError("no string set " + std::to_string(id) + " in '" + *path + "'");
            exitCode = kExitError;
        }
    });
}

CommandRegistrar registrar(906, AddTextCommand);

}  // namespace

}  // namespace cli
