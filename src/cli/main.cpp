// reshaper-cli: the command-line program; every operation of the workbench for scripts and batch work.
#include <CLI/CLI.hpp>
#include <cstdlib>
#include <unistd.h>

#include "app/SettingsStore.h"
#include "cli/CliCommon.h"
#include "cli/TerminalText.h"

int main(int argc, char** argv) {
    cli::UseTerminalEncoding();
    cli::RememberInvocationDirectory();
    // A relative $RESHAPER_SETTINGS names a file of the directory the program started in.
    SettingsStore::FromEnvironment();
    CLI::App app{"The Domizens Reshaper: the object files of The Domizens from the command line.\n"
                 "Exit codes: 0 success, 1 the operation failed, 2 wrong command line, 3 problems found."};
    app.require_subcommand(1);
    std::string gameDir;
    std::string settings;
    cli::RelativeToInvocation(
        app.add_option("--game-dir", gameDir, "Game installation directory; becomes the current directory"));
    cli::RelativeToInvocation(
        app.add_option("--settings", settings, "Settings file to use instead of the default one"));
    app.parse_complete_callback([&] {
        if (!settings.empty()) setenv("RESHAPER_SETTINGS", settings.c_str(), 1);
        cli::SetGameDirGiven(!gameDir.empty());
        if (!gameDir.empty() && chdir(gameDir.c_str()) != 0) {
            cli::PrintError("cannot change to the game directory '" + gameDir + "'");
            std::exit(cli::kExitError);
        }
    });
    int exitCode = cli::kExitOk;
    cli::AddRegisteredCommands(app, exitCode);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        int rc = app.exit(e);
        return rc == 0 ? 0 : cli::kExitUsage;
    }
    // Changed files are compacted and closed here, while everything they need is still alive; a file that
    // could not be saved makes the run a failure.
    if (!cli::CloseCatalog() && exitCode == cli::kExitOk) exitCode = cli::kExitError;
    return exitCode;
}
