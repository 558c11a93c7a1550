// Startup: settings, game file check, palette and directory mapping at program start.
#include "app/Startup.h"

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "app/AppSettings.h"
#include "app/GameFileCheck.h"
#include "app/RegistryLanguages.h"
#include "app/SettingsStore.h"
#include "objects/palettes/SharedPalettes.h"
#include "objects/strings/Languages.h"
#include "platform/HostDirectory.h"
#include "platform/HostPath.h"
#include "resfile/CTGFileManager.h"

namespace {

uint32_t MillisecondClock() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint32_t>(static_cast<uint64_t>(ts.tv_sec) * 1000u +
                                 static_cast<uint64_t>(ts.tv_nsec) / 1000000u);
}

// The current directory, or "" when it cannot be had within the game directory's limit.
std::string CurrentDirectory() {
    std::string cwd = CurrentHostDirectory();
    return cwd.size() < kMaxGameDirectoryBytes ? cwd : std::string();
}

}  // namespace

void SeedRandomGenerator() { std::srand(MillisecondClock() ^ static_cast<unsigned>(std::rand())); }

StartupResult RunStartup(const StartupOptions& options) {
    StartupResult result;
    if (options.seedRandom) SeedRandomGenerator();

    const SettingsStore store = SettingsStore::FromEnvironment();

    std::string installPath;
    if (options.applyInstallPath && store.ReadText(kInstallPathValue, installPath) && !installPath.empty())
        result.installPathApplied = ::chdir(ResolveHostPath(installPath).c_str()) == 0;

    result.gameFilesFound = CheckGameFiles();

    std::string language;
    if (options.applyStoredLanguage && store.ReadText(kLanguageValue, language)) {
        int code = LanguageFromRegistryName(language);
        if (code != 0) result.languageFromSettings = SetGameLanguage(code);
    }

    std::string cwd = CurrentDirectory();
    if (!cwd.empty()) SetGameDirectory(cwd);

    BuildDefaultPalette();

    for (const std::string& directory : ObjectDirectories())
        CTGFileManager::Instance().MapDirectory(directory, true, true);

    if (options.buildCatalogue) options.buildCatalogue();

    int32_t cookie = MagicCookie();
    if (store.ReadMagicCookie(cookie)) {
        SetMagicCookie(cookie);
        result.cookieFromSettings = true;
    }
    return result;
}
