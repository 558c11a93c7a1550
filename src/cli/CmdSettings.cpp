// reshaper-cli settings: shows the settings key's three values and the file that holds them; creates the key and
// sets the values.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <climits>
#include <cstdio>

#include "app/RegistryLanguages.h"
#include "app/SettingsStore.h"
#include "cli/CliCommon.h"
#include "cli/JsonOutput.h"
#include "platform/HostDirectory.h"

namespace cli {

namespace {

struct SettingsArgs {
    bool init = false;
    std::string installPath;
    std::string language;
    int32_t cookie = 0;
    bool json = false;
    CLI::Option* cookieOption = nullptr;
};

std::string AbsoluteHostPath(const std::string& path) {
    if (path.empty() || path[0] == '/') return path;
    const std::string cwd = CurrentHostDirectory();
    return cwd.empty() ? path : cwd + "/" + path;
}

std::string KnownLanguageNames() {
    std::string names;
    for (const RegistryLanguage& l : GetRegistryLanguages()) names += (names.empty() ? "" : ", ") + std::string(l.name);
    return names;
}

void ShowSettings(const SettingsStore& store) {
    std::printf("Settings file: %s\n", store.GetFilePath().empty() ? "(none: neither RESHAPER_SETTINGS nor HOME is set)"
                                                                   : store.GetFilePath().c_str());
    bool key = store.KeyExists();
    std::printf("Key [%s]: %s\n", kSettingsKey, key ? "present" : "missing (create it with --init)");
    std::string value;
    if (store.ReadText(kInstallPathValue, value))
        std::printf("%s: %s\n", kInstallPathValue, value.c_str());
    else
        std::printf("%s: (not set)\n", kInstallPathValue);
    value.clear();
    if (store.ReadText(kLanguageValue, value)) {
        int code = LanguageFromRegistryName(value);
        if (code)
            std::printf("%s: %s (language %d)\n", kLanguageValue, value.c_str(), code);
        else
            std::printf("%s: %s (not a known name: the language stays 1)\n", kLanguageValue, value.c_str());
    } else {
        std::printf("%s: (not set)\n", kLanguageValue);
    }
    value.clear();
    if (key && store.ReadText(kMagicCookieValue, value)) {
        int32_t cookie = 0;
        store.ReadMagicCookie(cookie);
        std::printf("%s: %s (reads as %d)\n", kMagicCookieValue, value.c_str(), cookie);
    } else {
        std::printf("%s: (not set)\n", kMagicCookieValue);
    }
}

// The same facts as ShowSettings: null for a value that is not set.
void ShowSettingsJson(const SettingsStore& store) {
    Json document;
    document["settingsFile"] = store.GetFilePath().empty() ? Json() : Json(store.GetFilePath());
    const bool key = store.KeyExists();
    document["keyPresent"] = key;
    std::string value;
    document[kInstallPathValue] = store.ReadText(kInstallPathValue, value) ? Json(value) : Json();
    value.clear();
    document[kLanguageValue] = store.ReadText(kLanguageValue, value)
                                   ? Json{{"name", value}, {"code", LanguageFromRegistryName(value)}}
                                   : Json();
    value.clear();
    document[kMagicCookieValue] = Json();
    if (key && store.ReadText(kMagicCookieValue, value)) {
        int32_t cookie = 0;
        store.ReadMagicCookie(cookie);
        document[kMagicCookieValue] = {{"text", value}, {"value", cookie}};
    }
    PrintJson(document);
}

// Writes one value; false (with the reason printed) when nothing was written.
bool WriteValue(const SettingsStore& store, const char* name, const std::string& text, bool isCookie, int32_t cookie) {
    if (!store.KeyExists()) {
        PrintError(std::string("nothing written for ") + name + ": the key [" + kSettingsKey + "] does not exist in '" +
                   store.GetFilePath() + "'; create it with --init");
        return false;
    }
    if (!isCookie && text.size() + 1 > kMaxSettingTextBytes) {
        PrintError(std::string("nothing written for ") + name + ": the value is longer than " +
                   std::to_string(kMaxSettingTextBytes - 1) + " bytes");
        return false;
    }
    bool ok = isCookie ? store.WriteMagicCookie(cookie) : store.WriteText(name, text);
    if (!ok) PrintError(std::string("nothing written for ") + name + ": cannot write '" + store.GetFilePath() + "'");
    return ok;
}

void RunSettings(const SettingsArgs& args, int& exitCode) {
    SettingsStore store = SettingsStore::FromEnvironment();
    if (!args.language.empty() && LanguageFromRegistryName(args.language) == 0) {
        PrintError("unknown language name '" + args.language +
                   "'; names (letter case counts): " + KnownLanguageNames());
        exitCode = kExitUsage;
        return;
    }
    if (args.init) {
        if (store.CreateKey()) {
            std::fprintf(args.json ? stderr : stdout, "Key [%s] is in '%s'\n", kSettingsKey, store.GetFilePath().c_str());
        } else {
            PrintError("cannot create the key [" + std::string(kSettingsKey) + "] in '" + store.GetFilePath() + "'");
            exitCode = kExitError;
        }
    }
    bool ok = true;
    if (!args.installPath.empty()) {
        std::string path = AbsoluteHostPath(args.installPath);
        if (!IsHostDirectory(path))
            std::fprintf(stderr, "reshaper-cli: warning: '%s' is not a directory\n", path.c_str());
        ok = WriteValue(store, kInstallPathValue, path, false, 0) && ok;
    }
    if (!args.language.empty()) ok = WriteValue(store, kLanguageValue, args.language, false, 0) && ok;
    if (args.cookieOption && args.cookieOption->count() > 0)
        ok = WriteValue(store, kMagicCookieValue, std::string(), true, args.cookie) && ok;
    if (!ok) exitCode = kExitError;
    if (args.json)
        ShowSettingsJson(store);
    else
        ShowSettings(store);
}

void AddSettingsCommand(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("settings",
                                   "Show the settings (install path, language, magic cookie) and the "
                                   "file that holds them; create the settings key and set values");
    auto args = std::make_shared<SettingsArgs>();
    cmd->add_flag("--init", args->init, "Create the settings key (and its file) when missing");
    cmd->add_option("--install-path", args->installPath, "Store the game's installation directory");
    cmd->add_option("--language", args->language, "Store the game language by its name (USEnglish, German, ...)");
    args->cookieOption = cmd->add_option("--cookie", args->cookie,
                                         "Store the magic cookie (written only when the "
                                         "key exists)");
    AddJsonFlag(*cmd, args->json);
    cmd->callback([args, &exitCode] { RunSettings(*args, exitCode); });
}

CommandRegistrar registrar(100, AddSettingsCommand);

}  // namespace

}  // namespace cli
