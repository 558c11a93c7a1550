// reshaper-cli object FILE ID: every field of an object definition by name.
#include <CLI/CLI.hpp>
#include <cstdio>

#include "cli/CliCommon.h"
#include "cli/JsonOutput.h"
#include "cli/TerminalText.h"
#include "objects/definitions/ObjectDefinition.h"
#include "objects/definitions/ObjectDefinitionFields.h"

namespace cli {

namespace {

void AddObjectCommand(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("object", "Show every field of an object definition (brought to the current "
                                             "216-byte form) by name");
    auto path = std::make_shared<std::string>();
    auto idText = std::make_shared<std::string>();
    cmd->add_option("FILE", *path, "Object file: a path (with or without .iff) or a name from the catalogue")->required();
    cmd->add_option("ID", *idText, "Resource id of the OBJD resource")->required();
    auto json = std::make_shared<bool>(false);
    AddJsonFlag(*cmd, *json);
    cmd->callback([path, idText, json, &exitCode] {
        ResID id = 0;
        if (!ParseResID(*idText, id)) {
            PrintError("'" + *idText + "' is not a resource id");
            exitCode = kExitUsage;
            return;
        }
        ObjectFileArg arg;
        if (!ResolveObjectFile(*path, false, arg)) {
            exitCode = kExitError;
            return;
        }
        ObjResFile* file = &arg.File();
        ObjectDefinition def;
        std::string name;
        if (ResErr err = LoadObjectDefinition(*file, id, def, &name)) {
            PrintError("no object " + std::to_string(id) + " in '" + *path + "': " + ErrorText(err));
            exitCode = kExitError;
            return;
        }
        if (*json) {
            Json fields = Json::object();
            for (const auto& field : GetObjectDefinitionFields()) fields[field.name] = GetFieldValue(def, field);
            PrintJson({{"id", id}, {"name", GameTextJson(name)}, {"fields", fields}});
            return;
        }
        std::printf("%-26s %s\n", "name", ShowGameText(name).c_str());
        for (const auto& field : GetObjectDefinitionFields()) {
            int32_t v = GetFieldValue(def, field);
            if (field.width == 4)
                std::printf("%-26s %d (0x%08X)\n", field.name, v, static_cast<uint32_t>(v));
            else
                std::printf("%-26s %d\n", field.name, v);
        }
    });
}

CommandRegistrar registrar(210, AddObjectCommand);

}  // namespace

}  // namespace cli
