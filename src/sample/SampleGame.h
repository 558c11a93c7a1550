// SampleGame: writes the complete, deterministic sample installation of the game into a directory.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct SampleGameOptions {
    std::string directory;  // host path; made when missing
    uint64_t seed = 1;
    int32_t scale = 0;  // generated files added for benchmarks (0 .. kMaxSampleScale)
    // Called once per phase with a line that says what happens next (may be empty).
    std::function<void(const std::string&)> progress;
};

constexpr int32_t kMaxSampleScale = 99999;
constexpr const char* kSampleSettingsFile = "reshaper.ini";
constexpr const char* kSampleLanguage = "USEnglish";
constexpr int64_t kSampleProgramFileSize = 409600;  // "Domizens.exe": below the 512000 bytes the check asks for
constexpr int64_t kSampleDataFileSize = 2621440;    // "Domizens.icd": above 2048000 bytes, written sparse

// One file the installation holds, as reported.
struct SampleFileReport {
    std::string path;     // relative to the installation, '/'-separated, letter case as on disk
    std::string archive;  // the archive holding it (relative path), empty for a loose file
    int64_t size = 0;
    std::vector<std::string> objects;
    std::string description;
    bool listed = true;  // the catalogue lists it
};

struct SampleGameResult {
    bool ok = false;
    std::string error;                    // why the run stopped
    std::string directory;                // the installation's absolute host path
    std::string settingsPath;             // DIR/reshaper.ini
    int32_t magicCookie = 0;              // written as RESHAPER_MAGIC_COOKIE
    std::vector<SampleFileReport> files;  // the fixed files, the program files and the settings file
    int32_t generatedFiles = 0;           // files added by the scale
    int32_t generatedArchives = 0;
    int64_t bytesWritten = 0;  // apparent sizes of everything written
};

// Writes, into the directory: the two program files the start-up check looks for, the object directories with
// mixed-case names (Downloads, GameData/Objects, GameData/UserObjects, ExpansionPack and subdirectories), the fixed
// object files, the archive GameData/Objects/Furnishings.far, the generated files of the scale, and reshaper.ini
// with the settings key, InstallPath = the directory, the language and a magic cookie, so that
// RESHAPER_SETTINGS=DIR/reshaper.ini starts the program on it. Files already there are replaced; nothing else is
// removed. Everything but the install path in reshaper.ini follows from the seed alone.
// Returns ok = false with the reason when a directory or file could not be made, or a picture could not be built.
SampleGameResult WriteSampleGame(const SampleGameOptions& options);
