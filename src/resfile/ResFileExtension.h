// ResFileExtension: matching a path against a registered file kind's extension.
#pragma once

#include <string>
#include <string_view>

// An extension of at least two characters starting with '.' matches a path with the same extension
// (ASCII case ignored; the path is used as given) or a path without extension whose base name is not
// empty (the extension is then appended). `resolved` receives the path to use.
bool MatchKindExtension(std::string_view extension, const std::string& path, std::string& resolved);
// The extension of a path (from the last '.' after the directory, inclusive), or "".
std::string PathExtension(const std::string& path);
// The path without its extension.
std::string StripExtension(const std::string& path);
// ASCII case-insensitive equality.
bool EqualsIgnoringAsciiCase(const std::string& a, const std::string& b);
