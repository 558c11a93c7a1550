// reshaper-cli import FILE DOC.xml: imports an XML object document and its BMP files into an object file.
#include <CLI/CLI.hpp>
#include <cstdio>

#include "cli/CliCommon.h"
#include "import/ObjectImporter.h"

namespace cli {

namespace {

struct ImportArgs {
    std::string file;
    std::string document;
    bool yes = false;
};

void RunImportCommand(const ImportArgs& args, int& exitCode) {
    InstallTerminalHost(args.yes);
    ObjectFileArg arg;
    if (!ResolveObjectFile(args.file, true, arg)) {
        exitCode = kExitError;
        return;
    }
    ObjectFile& target = *arg.record;
    if (!target.IsEditable()) {
        PrintError("'" + target.path + "' is read-only: clone it to modify it");
        exitCode = kExitError;
        return;
    }
    const int state = ImportObjectDocument(target, args.document);
    if (state != kImportOk) {
        exitCode = kExitError;
        return;
    }
    std::printf("Imported %s into %s\n", args.document.c_str(), target.path.c_str());
}

void AddImportCommand(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("import",
                                   "Import an XML object document and its BMP files into an object file: object "
                                   "definitions, draw groups, bitmaps and sprites (palettes rebuilt, missing depth, "
                                   "alpha and zooms generated), then unused graphics removed");
    auto args = std::make_shared<ImportArgs>();
    cmd->add_option("FILE", args->file, "Object file: a name from the catalogue or a path")->required();
    RelativeToInvocation(
        cmd->add_option("DOC", args->document, "The XML document (its BMP files are found relative to it)"))
        ->required();
    cmd->add_flag("--yes", args->yes, "Answer OK to the question asked when the document came from another file");
    cmd->callback([args, &exitCode] { RunImportCommand(*args, exitCode); });
}

CommandRegistrar registrar(340, AddImportCommand);

}  // namespace

}  // namespace cli
