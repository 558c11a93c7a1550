// reshaper-cli clone FILE: clones an object file into the clone directory with new GUIDs, as the clone dialog does.
#include <CLI/CLI.hpp>
#include <cstdio>

#include "app/AppSettings.h"
#include "app/ObjectCatalog.h"
#include "cli/CliCommon.h"
#include "cli/TerminalText.h"
#include "clone/CloneIntoCatalog.h"
#include "clone/CloneName.h"

namespace cli {

namespace {

struct CloneArgs {
    std::string file;
    std::string name;
    std::string objects;
    bool all = false;
    int32_t cookie = 0;
    CLI::Option* nameOption = nullptr;
    CLI::Option* objectsOption = nullptr;
    CLI::Option* cookieOption = nullptr;
};

// The root positions the ids name; false (with a message) for a text that is not a list of root ids.
bool SelectByIds(const ObjectFile& source, const std::string& list, std::vector<bool>& selected) {
    size_t start = 0;
    while (start <= list.size()) {
        size_t comma = list.find(',', start);
        std::string item = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        start = comma == std::string::npos ? list.size() + 1 : comma + 1;
        ResID id = 0;
        if (!ParseResID(item, id)) {
            PrintError("'" + item + "' is not an object id");
            return false;
        }
        const ObjectEntry* found = nullptr;
        for (const auto& o : source.objects)
            if (o->id == id) {
                found = o.get();
                break;
            }
        if (!found) {
            PrintError("the file has no object " + std::to_string(id));
            return false;
        }
        if (found->rootIndex < 0) {
            std::string lead = found->lead ? " (its lead is " + std::to_string(found->lead->id) + ")" : "";
            PrintError("object " + std::to_string(id) + " is a tile of a multi-tile object" + lead +
                       ": select the lead, which brings its tiles");
            return false;
        }
        selected[static_cast<size_t>(found->rootIndex)] = true;
    }
    return true;
}

void PrintObjects(const ObjectFile& file) {
    std::printf("    id  GUID      original  name\n");
    for (const auto& o : file.objects)
        std::printf("%6d  %08X  %08X  %s\n", o->id, static_cast<uint32_t>(o->definition.guid),
                    static_cast<uint32_t>(o->definition.originalguid), ShowGameText(o->name).c_str());
}

void RunCloneCommand(const CloneArgs& args, int& exitCode) {
    InstallTerminalHost(false);
    ObjectFileArg arg;
    if (!ResolveObjectFile(args.file, true, arg)) {
        exitCode = kExitError;
        return;
    }
    ObjectCatalog& catalog = LoadCatalog();
    ObjectFile& source = *arg.record;
    if (source.roots.empty()) {
        PrintError("'" + source.path + "' has no objects to clone");
        exitCode = kExitError;
        return;
    }

    CloneSettings settings;
    settings.selectedRoots.assign(source.roots.size(), false);
    if (args.all) {
        settings.selectedRoots.assign(source.roots.size(), true);
    } else if (args.objectsOption->count() > 0) {
        if (!SelectByIds(source, args.objects, settings.selectedRoots)) {
            exitCode = kExitUsage;
            return;
        }
    } else {
        // The main window selects the first object of a freshly shown file, and the dialog preselects it.
        settings.selectedRoots[0] = true;
    }
    if (args.nameOption->count() > 0) {
        if (!TakeHostText(args.name, "name", settings.nameText)) {
            exitCode = kExitUsage;
            return;
        }
        // The file name keeps the name's ASCII letters and digits; a name without any would make a file ".iff".
        std::string kept = settings.nameText;
        SanitizeCloneName(kept);
        if (kept.empty()) {
            PrintError("the name '" + settings.nameText +
                       "' has no ASCII letters or digits, which are all a clone's file name keeps");
            exitCode = kExitUsage;
            return;
        }
    } else {
        settings.nameText = DefaultCloneName(catalog, source);
    }
    settings.cookie = args.cookieOption->count() > 0 ? args.cookie : MagicCookie();
    if (!CanClone(catalog, settings)) {
        std::string name = settings.nameText;
        SanitizeCloneName(name);
        PrintError(std::string(kCloneNameTaken) + " ('" + name + "' is the name of a catalogued file)");
        exitCode = kExitUsage;
        return;
    }

    CloneOutcome outcome = RunClone(catalog, source, settings);
    if (!outcome.ok) {
        exitCode = kExitError;
        return;
    }
    std::printf("%s\n", ShowText("Cloned " + source.path + " to " + outcome.path).c_str());
    PrintObjects(*outcome.file);
}

void AddCloneCommand(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("clone",
                                   "Clone an object file into the clone directory (Downloads/Reshaped): the "
                                   "chosen objects with new GUIDs carrying the magic cookie, what they use, "
                                   "behaviours remapped, unused graphics removed");
    auto args = std::make_shared<CloneArgs>();
    cmd->add_option("FILE", args->file, "Object file: a name from the catalogue or a path")->required();
    args->nameOption = cmd->add_option("--name", args->name,
                                       "Name of the new file (letters and digits are kept; default: the source's "
                                       "name with six digits)");
    args->objectsOption = cmd->add_option("--objects", args->objects,
                                          "Ids of the objects to clone, comma-separated (single-tile objects and "
                                          "multi-tile leads; default: the first object)");
    auto* all = cmd->add_flag("--all", args->all, "Clone every object");
    args->objectsOption->excludes(all);
    args->cookieOption = cmd->add_option("--cookie", args->cookie,
                                         "Magic cookie for the new GUIDs (default: the stored one); it is stored "
                                         "as the dialog stores it");
    cmd->callback([args, &exitCode] { RunCloneCommand(*args, exitCode); });
}

CommandRegistrar registrar(300, AddCloneCommand);

}  // namespace

}  // namespace cli
