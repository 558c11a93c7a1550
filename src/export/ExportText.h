// ExportText: printf-style formatting of the export's log lines and file names into a std::string.
#pragma once

#include <cstdio>
#include <string>

// The text printf would print; empty when the pattern cannot be formatted.
template <typename... Args>
std::string FormatExportText(const char* pattern, Args... args) {
    const int n = std::snprintf(nullptr, 0, pattern, args...);
    if (n <= 0) return {};
    std::string out(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(out.data(), out.size(), pattern, args...);
    out.resize(static_cast<size_t>(n));
    return out;
}
