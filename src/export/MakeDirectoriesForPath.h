// MakeDirectoriesForPath: creates every directory named on a file's path.
#pragma once

#include <string>

// For each separator of the path (backslashes; forward slashes when the rest of the path holds no backslash),
// creates the directory named by the text before it; the last component, the file itself, is not made. An
// existing directory is no error, and a separator at the very start (an absolute path) names no directory.
// Relative paths are taken from the current directory; the path's components are matched on disk without regard
// to letter case. Returns false when a directory could neither be created nor found afterwards.
bool MakeDirectoriesForPath(const std::string& path);
