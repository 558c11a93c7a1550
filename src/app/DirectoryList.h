// DirectoryList: splitting a ";"-separated directory text and normalising each directory to the game's form.
#pragma once

#include <string>
#include <vector>

// Splits at each ';'. A leading ';' gives an empty first element, and so do two ';' in a row; blanks that follow
// a ';' are skipped; nothing follows a final ';'. An empty text gives no element.
std::vector<std::string> SplitDirectoryList(const std::string& text);

// Every '/' becomes '\'; ".\" is put in front unless the path already starts with a drive letter and ":\",
// with ".\", with "\\" and a letter, or is exactly "."; a final '\' is appended when missing.
std::string NormalizeDirectoryPath(const std::string& directory);

// SplitDirectoryList followed by NormalizeDirectoryPath on each element.
std::vector<std::string> BuildDirectoryList(const std::string& text);
