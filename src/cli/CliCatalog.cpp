// CliCatalog: start-up, the catalogue and object file arguments for the commands.
#include <memory>

#include "app/AppSettings.h"
#include "app/RegistryLanguages.h"
#include "app/SettingsStore.h"
#include "app/Startup.h"
#include "app/TerminalProgressHost.h"
#include "cli/CliCommon.h"
#include "cli/TerminalText.h"
#include "objects/strings/Languages.h"
#include "platform/HostFile.h"
#include "platform/HostPath.h"
#include "resfile/ResFileExtension.h"

namespace cli {

namespace {
bool gGameDirGiven = false;
bool gSaveFailed = false;
bool gLanguageGiven = false;
bool gCatalogLoaded = false;
std::unique_ptr<TerminalProgressHost> gHost;

bool LooksLikePath(const std::string& arg) {
    if (arg.find('/') != std::string::npos || arg.find('\\') != std::string::npos) return true;
    std::string ext = PathExtension(arg);
    if (EqualsIgnoringAsciiCase(ext, ".iff") || EqualsIgnoringAsciiCase(ext, ".spf")) return true;
    return HostFile::Open(ResolveHostPath(arg + ".iff"), false) != nullptr;
}
}  // namespace

void SetGameDirGiven(bool given) { gGameDirGiven = given; }
bool GameDirGiven() { return gGameDirGiven; }

bool UseLanguage(bool given, int code) {
    if (given) {
        if (!SetGameLanguage(code)) {
            PrintError("language " + std::to_string(code) + " is not a language code (1 to 20)");
            return false;
        }
        gLanguageGiven = true;
        return true;
    }
    // A command on a path runs without start-up: it reads the stored language itself.
    std::string stored;
    if (SettingsStore::FromEnvironment().ReadText(kLanguageValue, stored))
        if (int code = LanguageFromRegistryName(stored)) SetGameLanguage(code);
    return true;
}

void InstallTerminalHost(bool assumeYes) {
    TerminalHostOptions options;
    options.assumeYes = assumeYes;
    options.shown = [](const std::string& text) { return ShowCoreText(text); };
    gHost = std::make_unique<TerminalProgressHost>(options);
    SetProgressHost(gHost.get());
    SetPromptHost(gHost.get());
}

ObjectCatalog& LoadCatalog() {
    ObjectCatalog& catalog = ObjectCatalog::Instance();
    if (gCatalogLoaded) return catalog;
    gCatalogLoaded = true;
    StartupOptions options;
    options.applyInstallPath = !gGameDirGiven;
    options.applyStoredLanguage = !gLanguageGiven;
    options.buildCatalogue = [&catalog] {
        catalog.Scan(ObjectDirectories(), InternalObjectPaths(), CloneDirectory);
    };
    RunStartup(options);
    return catalog;
}

void ReportSaveFailure(const std::string& path, ResErr error) {
    PrintError(SaveFailureText(path, error));
    gSaveFailed = true;
}

bool CloseCatalog() {
    std::string failedPath;
    if (gCatalogLoaded)
        if (ResErr err = ObjectCatalog::Instance().Clear(&failedPath)) ReportSaveFailure(failedPath, err);
    return !gSaveFailed;
}

ObjectFileArg::~ObjectFileArg() {
    if (!owned) return;
    if (ResErr err = owned->Close()) ReportSaveFailure(owned->path, err);
}

bool ResolveObjectFile(const std::string& arg, bool needCatalog, ObjectFileArg& out) {
    out = ObjectFileArg();
    const bool path = LooksLikePath(arg);
    std::unique_ptr<ObjResFile> direct;
    if (path && !needCatalog) {
        // A path that opens as it stands needs no start-up.
        direct = std::make_unique<ObjResFile>();
        std::string ext = PathExtension(arg);
        bool withExtension = EqualsIgnoringAsciiCase(ext, ".iff") || EqualsIgnoringAsciiCase(ext, ".spf");
        if (direct->Open(withExtension ? StripExtension(arg) : arg) != kNoErr) direct.reset();
    }
    if (!direct) {
        // Names, and paths relative to the game directory (such as `list` prints), go through the catalogue.
        ObjectCatalog& catalog = LoadCatalog();
        if (ObjectFile* record = catalog.Find(arg)) {
            out.record = record;
            return true;
        }
        if (!path) {
            PrintError("no object file named '" + arg + "' in the catalogue (see 'reshaper-cli list')");
            return false;
        }
        direct = OpenObjectFile(arg);
        if (!direct) return false;
    }
    out.owned = std::make_unique<ObjectFile>();
    std::string ext = PathExtension(arg);
    out.owned->path = EqualsIgnoringAsciiCase(ext, ".iff") ? arg : StripExtension(arg) + ".iff";
    out.owned->displayName = DisplayNameOf(out.owned->path);
    out.owned->file = std::move(direct);
    LoadObjectFile(*out.owned, false);
    out.record = out.owned.get();
    return true;
}

std::vector<iResFile*> BrowsedFile::Members() const {
    if (single) return {single.get()};
    std::vector<iResFile*> members;
    ObjResFile& pair = object.File();
    for (int i = 0; i < pair.CountMembers(); ++i)
        if (iResFile* m = pair.GetMember(i); m && m->IsOpen()) members.push_back(m);
    return members;
}

bool OpenAsTheBrowserDoes(const std::string& arg, BrowsedFile& out) {
    out = BrowsedFile();
    std::string ext = PathExtension(arg);
    const bool spf = EqualsIgnoringAsciiCase(ext, ".spf");
    if (HostFile::Open(ResolveHostPath(arg), false)) {
        // A file on disk: the pair it belongs to, or, when it is no object file, the file alone.
        auto pair = std::make_unique<ObjResFile>();
        const bool withExtension = spf || EqualsIgnoringAsciiCase(ext, ".iff");
        if (pair->Open(withExtension ? StripExtension(arg) : arg) != kNoErr) {
            out.single = OpenResourceFile(arg);
            return out.single != nullptr;
        }
        out.object.owned = std::make_unique<ObjectFile>();
        out.object.owned->path = spf ? StripExtension(arg) + ".iff" : arg;
        out.object.owned->displayName = DisplayNameOf(out.object.owned->path);
        out.object.owned->file = std::move(pair);
        out.object.record = out.object.owned.get();
        return true;
    }
    // A catalogue name or a game path (an archive member's too): the catalogue holds it open.
    if (ObjectFile* record = LoadCatalog().Find(spf ? StripExtension(arg) + ".iff" : arg)) {
        out.object.record = record;
        return true;
    }
    out.single = OpenResourceFile(arg);  // says why it cannot be opened
    return out.single != nullptr;
}

}  // namespace cli
