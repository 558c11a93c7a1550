// Startup: the start-up sequence of the program without its window steps, shared by the GUI and the CLI.
#pragma once

#include <functional>

struct StartupOptions {
    // Seed the standard pseudo-random generator first (program start does; a second run need not).
    bool seedRandom = true;
    // Make the stored install path the current directory (the CLI skips this when told a game directory).
    bool applyInstallPath = true;
    // Set GameLanguage from the stored language (the CLI skips this when told a language).
    bool applyStoredLanguage = true;
    // The "build the catalogue" step: runs after the object directories are mapped and before the cookie is
    // read. Nothing runs there when empty.
    std::function<void()> buildCatalogue;
};

struct StartupResult {
    bool installPathApplied = false;    // the stored install path existed and became the current directory
    bool gameFilesFound = false;        // CheckGameFiles() in the (new) current directory; the GUI blinks when false
    bool languageFromSettings = false;  // the stored language name was in the table and set GameLanguage
    bool cookieFromSettings = false;    // the key existed and the cookie was read from it
};

// Seeds rand() from the millisecond clock XOR one value of rand().
void SeedRandomGenerator();

// Runs, in order: seeding (optional); the stored install path becomes the current directory (optional); the game
// file check; the stored language sets GameLanguage when its name is in the table (optional); the current directory becomes
// GameDirectory; the default palette is built from the grey ramp; each of ObjectDirectories() is mapped into
// the file manager (recursive, archives included), in list order; options.buildCatalogue; the magic cookie is
// read. Settings come from SettingsStore::FromEnvironment(), taken before the directory changes. Missing
// settings, directories or files only leave the values as they were; nothing is reported.
StartupResult RunStartup(const StartupOptions& options = {});
