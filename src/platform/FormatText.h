// FormatText: printf-style formatting of numbers and texts into a std::string.
#pragma once

#include <string>

// The text printf would print for the pattern and arguments; empty when the pattern cannot be formatted.
std::string FormatText(const char* pattern, ...) __attribute__((format(printf, 1, 2)));
