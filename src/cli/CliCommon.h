// CliCommon: what every reshaper-cli command shares: exit codes, error printing, opening files.
#pragma once

#include <memory>
#include <string>

#include "resfile/StdResFile.h"
#include "resfile/iResFile.h"

namespace CLI {
class App;
}

namespace cli {

// Exit codes of reshaper-cli.
constexpr int kExitOk = 0;
constexpr int kExitError = 1;     // the operation failed (the message says why)
constexpr int kExitUsage = 2;     // the command line was wrong
constexpr int kExitProblems = 3;  // the operation ran and found problems (check)

// Prints "reshaper-cli: <message>" to standard error.
void PrintError(const std::string& message);
// "error #<code>" as the program prints resource errors.
std::string ErrorText(ResErr code);

// Opens a single resource file of either IFF layout; null (and a printed error) on failure.
std::unique_ptr<iResFile> OpenResourceFile(const std::string& path);
// Opens an object file as the workbench does: "chair", "chair.iff" or "chair.spf" all open the pair of
// "chair.iff" and "chair.spf" that exist. Null (and a printed error) on failure.
std::unique_ptr<ObjResFile> OpenObjectFile(const std::string& path);
// Parses a 16-bit resource id (decimal, or hex with 0x); false when the text is not one.
bool ParseResID(const std::string& text, ResID& out);

// Every command file registers one function that adds its subcommand to the program:
//     static cli::CommandRegistrar registrar(100, AddMyCommand);
// The function sets the subcommand's callback, which stores the exit code in `exitCode`.
// Commands appear in --help in the order of their rank.
using AddCommandFn = void (*)(CLI::App& app, int& exitCode);
struct CommandRegistrar {
    CommandRegistrar(int rank, AddCommandFn fn);
};
// Adds every registered command to the program.
void AddRegisteredCommands(CLI::App& app, int& exitCode);

}  // namespace cli
