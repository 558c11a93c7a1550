// CliCommon: what every reshaper-cli command shares: exit codes, error printing, opening files.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/ObjectCatalog.h"
#include "resfile/StdResFile.h"
#include "resfile/iResFile.h"

namespace CLI {
class App;
class Option;
}

namespace cli {

// Exit codes of reshaper-cli.
constexpr int kExitOk = 0;
constexpr int kExitError = 1;     // the operation failed (the message says why)
constexpr int kExitUsage = 2;     // the command line was wrong
constexpr int kExitProblems = 3;  // the operation ran and found problems (check)

// The directory the program was started in, remembered before anything changes the current directory (start-up
// makes the game directory current). Documents and pictures named on the command line are relative to it, as a
// shell user expects; object files named by relative path stay relative to the game directory, like `list` prints.
void RememberInvocationDirectory();
std::string FromInvocationDirectory(const std::string& path);
// Makes the option's value absolute against the invocation directory as it is parsed; returns the option.
CLI::Option* RelativeToInvocation(CLI::Option* option);

// Prints "reshaper-cli: <message>" to standard error; the message is UTF-8 (host paths, game texts decoded), shown
// in the terminal's encoding.
void PrintError(const std::string& message);
// "error #<code>" as the program prints resource errors.
std::string ErrorText(ResErr code);

// Opens a single resource file of either IFF layout; null (and a printed error) on failure.
std::unique_ptr<iResFile> OpenResourceFile(const std::string& path);
// --game-dir was given: start-up then keeps that directory instead of the stored install path.
void SetGameDirGiven(bool given);
bool GameDirGiven();

// Chooses the language a command works in: `code` when the command line names one (`given`), else the stored
// language. A language given here stays for the whole command: start-up, which runs later when the command needs
// the catalogue, does not reset it from the settings. False, with a printed message, for a code outside 1 to 20.
bool UseLanguage(bool given, int code);

// Installs the terminal's progress log and prompt host; `assumeYes` answers every question OK.
void InstallTerminalHost(bool assumeYes);

// Runs the program's start-up once (settings, object directories mapped, catalogue scanned) and
// returns the catalogue, as the workbench has it when its main window shows.
ObjectCatalog& LoadCatalog();
// Closes every catalogued file (a changed file is compacted as it closes); false, with a printed message, when a
// file could not be saved as it closed, here or earlier (an ObjectFileArg's own file).
bool CloseCatalog();
// Prints that a file could not be saved and remembers it, so that the program exits with 1.
void ReportSaveFailure(const std::string& path, ResErr error);

// An object file named on the command line. `record` is the catalogue's record or, for a path the
// catalogue does not hold, `owned`.
struct ObjectFileArg {
    std::unique_ptr<ObjectFile> owned;
    ObjectFile* record = nullptr;
    ObjResFile& File() const { return *record->file; }
    // Closes an owned file; a failure is reported (ReportSaveFailure).
    ~ObjectFileArg();
    ObjectFileArg() = default;
    ObjectFileArg(ObjectFileArg&&) = default;
    ObjectFileArg& operator=(ObjectFileArg&&) = default;
};
// Resolves a display name of the catalogue (letter case ignored) or a path of an object file (with or
// without .iff/.spf). With `needCatalog` the catalogue is always loaded and a path it holds gives its
// record (so the file is never open twice); otherwise the catalogue is loaded only for a name. False,
// with a printed message, when nothing matches or the file cannot be opened.
bool ResolveObjectFile(const std::string& arg, bool needCatalog, ObjectFileArg& out);

// A file named to the commands that show raw resources (resources, check, hex, text), opened as the resource
// browser shows it: the object file (its .iff with its .spf) from a path, a catalogue name or a game path (archive
// members included). A file that does not open as an object file (the older 1.0 layout) is opened alone.
struct BrowsedFile {
    ObjectFileArg object;
    std::unique_ptr<iResFile> single;
    iResFile& File() const { return single ? *single : static_cast<iResFile&>(object.File()); }
    // The resource files it is made of, in search order: the .iff, then the .spf when there is one.
    std::vector<iResFile*> Members() const;
};
// False, with a printed message, when nothing of that name or path opens.
bool OpenAsTheBrowserDoes(const std::string& arg, BrowsedFile& out);

// A resource type as the command line gives it: its four characters ("STR#"), three for a type whose first
// byte is zero ("CST", the legacy text strings), or a 0x hexadecimal number (0x00435354). False otherwise.
bool ParseResType(const std::string& text, ResType& out);

// Prints the text of a browser view as the window shows it: the 8-bit text in the terminal's characters, "\r\n" as
// "\n" (a text
// whose last line has no line end, such as a view's message, gets one).
void PrintViewText(const std::string& text);

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
