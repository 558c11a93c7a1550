// reshaper-cli gc FILE: deletes the draw groups, sprites and palettes that no object of the file reaches.
#include <CLI/CLI.hpp>
#include <cstdio>

#include "app/Progress.h"
#include "cli/CliCommon.h"
#include "tools/CollectGarbage.h"

namespace cli {

namespace {

void AddGcCommand(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("gc",
                                   "Delete the draw groups, sprites and palettes of an object file that none "
                                   "of its objects uses");
    auto file = std::make_shared<std::string>();
    cmd->add_option("FILE", *file, "Object file: a name from the catalogue or a path")->required();
    cmd->callback([file, &exitCode] {
        InstallTerminalHost(false);
        ObjectFileArg arg;
        if (!ResolveObjectFile(*file, false, arg)) {
            exitCode = kExitError;
            return;
        }
        if (!arg.record->IsEditable()) {
            PrintError("'" + arg.record->path + "' is read-only (it lives in an archive or cannot be written)");
            exitCode = kExitError;
            return;
        }
        LoadObjectFile(*arg.record, true);
        ProgressBegin("Garbage Collecting", 0, 0);
        ResErr error = kNoErr;
        int deleted = CollectGarbage(*arg.record, &error);
        ProgressEnd();
        if (error) {
            PrintError("garbage collection of '" + arg.record->path + "' failed: " + ErrorText(error));
            exitCode = kExitError;
            return;
        }
        std::printf("%d unused resource%s deleted\n", deleted, deleted == 1 ? "" : "s");
    });
}

CommandRegistrar registrar(310, AddGcCommand);

}  // namespace

}  // namespace cli
