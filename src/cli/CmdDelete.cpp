// reshaper-cli delete FILE: deletes an object file of the catalogue after the workbench's question.
#include <CLI/CLI.hpp>
#include <cstdio>

#include "app/Prompt.h"
#include "cli/CliCommon.h"
#include "resfile/CTGFileManager.h"
#include "resfile/ResFileExtension.h"

namespace cli {

namespace {

void AddDeleteCommand(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("delete", "Delete an object file (and its sprite companion) after asking");
    auto name = std::make_shared<std::string>();
    auto yes = std::make_shared<bool>(false);
    cmd->add_option("FILE", *name, "Object file: a name from the catalogue or a path")->required();
    cmd->add_flag("--yes", *yes, "Answer the question with OK without asking");
    cmd->callback([name, yes, &exitCode] {
        InstallTerminalHost(*yes);
        ObjectFileArg arg;
        if (!ResolveObjectFile(*name, true, arg)) {
            exitCode = kExitError;
            return;
        }
        ObjectCatalog& catalog = LoadCatalog();
        if (!arg.owned && !arg.record->IsEditable()) {
            PrintError("'" + arg.record->path + "' is read-only (it lives in an archive or cannot be written)");
            exitCode = kExitError;
            return;
        }
        char question[600];
        std::snprintf(question, sizeof question, "Oh, my! Are you really sure you want to delete the object file \"%s\"?",
                      arg.record->path.c_str());
        if (!AskOkCancel("Gadzooks!", question, MessageKind::Warning)) {
            std::printf("nothing deleted\n");
            exitCode = kExitError;
            return;
        }
        std::string path = arg.record->path;
        bool deleted = false;
        if (arg.owned) {
            // A file outside the catalogue's directories: closed and deleted the same way.
            arg.owned->Close();
            arg.owned.reset();
            CTGFileManager& fm = CTGFileManager::Instance();
            deleted = fm.Delete(path) || !fm.Exists(path);
            std::string companion = StripExtension(path) + ".spf";
            if (deleted && fm.Exists(companion)) fm.Delete(companion);
        } else {
            catalog.DeleteFile(arg.record, &deleted);
        }
        if (!deleted) {
            PrintError("could not delete '" + path + "'");
            exitCode = kExitError;
            return;
        }
        std::printf("deleted %s\n", path.c_str());
    });
}

CommandRegistrar registrar(120, AddDeleteCommand);

}  // namespace

}  // namespace cli
