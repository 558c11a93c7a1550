// AppSettings: the process-wide settings of a run: magic cookie, game directory, object and clone directories,
// and the game-internal object files the catalogue never lists. (The current language is GameLanguage(), in
// objects/Languages.h.)
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The user's magic cookie: the number that new GUIDs carry in bits 8 to 23. 0 until start-up reads it.
int32_t MagicCookie();
void SetMagicCookie(int32_t cookie);

// The game's installation directory as a host path: the current directory after start-up changed to the install
// path; the import's file dialog updates it. Empty until set.
constexpr size_t kMaxGameDirectoryBytes = 2048;  // terminating zero included
const std::string& GameDirectory();
// False (and no change) when the path does not fit kMaxGameDirectoryBytes - 1 bytes.
bool SetGameDirectory(const std::string& directory);

// Where clones are made, relative to the installation directory.
constexpr char CloneDirectory[] = ".\\Downloads\\Reshaped";

// The text the object directories are built from, and the list built from it: ".\downloads\" style paths,
// each with a ".\" prefix and a final '\', in the order the catalogue scans them.
constexpr char kObjectDirectoryText[] = "Downloads;GameData\\Objects;GameData\\UserObjects;ExpansionPack";
const std::vector<std::string>& ObjectDirectories();

// The 31 game-internal object files (controllers and people), without their ".iff", as lower-case game paths.
constexpr size_t kInternalObjectPathCount = 31;
const std::vector<std::string>& InternalObjectPaths();
