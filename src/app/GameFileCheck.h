// GameFileCheck: whether the game's program files are in the current directory with plausible sizes.
#pragma once

#include <cstdint>

constexpr const char* kGameProgramFile = "Domizens.exe";
constexpr const char* kGameDataFile = "Domizens.icd";
constexpr int64_t kGameProgramSizeLimit = 512000;  // the program file must be smaller than this
constexpr int64_t kGameDataSizeMinimum = 2048000;  // the data file must be larger than this

// True when "Domizens.exe" exists and is smaller than 512000 bytes and "Domizens.icd" exists and is larger than
// 2048000 bytes, both looked up in the current directory without regard to letter case. False otherwise
// (a missing or unreadable file, a directory of that name, a size at or past the limit).
bool CheckGameFiles();
