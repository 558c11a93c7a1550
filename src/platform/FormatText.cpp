// FormatText: measure, then print into a string of the measured size.
#include "platform/FormatText.h"

#include <cstdarg>
#include <cstdio>

std::string FormatText(const char* pattern, ...) {
    va_list args;
    va_start(args, pattern);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, pattern, copy);
    va_end(copy);
    std::string out(n > 0 ? static_cast<size_t>(n) : 0, '\0');
    if (n > 0) std::vsnprintf(out.data(), out.size() + 1, pattern, args);
    va_end(args);
    return out;
}
