// reshaper-cli strings FILE ID: the strings of a string table in one language.
#include <CLI/CLI.hpp>
#include <cstdio>

#include "cli/CliCommon.h"
#include "cli/JsonOutput.h"
#include "cli/TerminalText.h"
#include "objects/strings/Languages.h"
#include "objects/strings/StringSet.h"

namespace cli {

namespace {

void AddStringsCommand(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("strings", "Show a string table (STR#, or the legacy text form) in the current "
                                              "language, falling back to US English");
    auto path = std::make_shared<std::string>();
    auto idText = std::make_shared<std::string>();
    auto language = std::make_shared<int>(0);
    cmd->add_option("FILE", *path, "Object file: a path (with or without .iff) or a name from the catalogue")->required();
    cmd->add_option("ID", *idText, "Resource id of the string table")->required();
    auto* languageOption = cmd->add_option("--language", *language,
                                           "Language number 1 to 20 (1 = US English; default: the stored language)")
                               ->check(CLI::Range(1, 20));
    auto json = std::make_shared<bool>(false);
    AddJsonFlag(*cmd, *json);
    cmd->callback([path, idText, language, languageOption, json, &exitCode] {
        ResID id = 0;
        if (!ParseResID(*idText, id)) {
            PrintError("'" + *idText + "' is not a resource id");
            exitCode = kExitUsage;
            return;
        }
        if (!UseLanguage(languageOption->count() > 0, *language)) {
            exitCode = kExitUsage;
            return;
        }
        ObjectFileArg arg;
        if (!ResolveObjectFile(*path, false, arg)) {
            exitCode = kExitError;
            return;
        }
        ObjResFile* file = &arg.File();
        StringSet set;
        if (ResErr err = set.ReadStringTable(file, id, false)) {
            PrintError("no string table " + std::to_string(id) + " in '" + *path + "': " + ErrorText(err));
            exitCode = kExitError;
            return;
        }
        if (*json) {
            Json strings = Json::array();
            for (int i = 1; i <= set.Count(); ++i) {
                const std::string* text = set.Get(i);
                const std::string* comment = set.GetComment(i);
                strings.push_back({{"index", i},
                                   {"text", GameTextJson(text ? *text : std::string())},
                                   {"comment", comment ? GameTextJson(*comment) : Json()},
                                   {"fromUSEnglish", set.GetSource(i) == 0 && LanguageIndex() != 0}});
            }
            PrintJson({{"id", id},
                       {"language", GameLanguage()},
                       {"languageName", GetLanguageName(LanguageIndex())},
                       {"strings", strings}});
            return;
        }
        std::printf("string table %d, %s\n", id, GetLanguageName(LanguageIndex()));
        for (int i = 1; i <= set.Count(); ++i) {
            const std::string* text = set.Get(i);
            const std::string* comment = set.GetComment(i);
            std::printf("%4d  \"%s\"", i, text ? ShowGameText(*text).c_str() : "");
            if (comment) std::printf("  // %s", ShowGameText(*comment).c_str());
            if (set.GetSource(i) == 0 && LanguageIndex() != 0) std::printf("  (US English)");
            std::printf("\n");
        }
    });
}

CommandRegistrar registrar(220, AddStringsCommand);

}  // namespace

}  // namespace cli
