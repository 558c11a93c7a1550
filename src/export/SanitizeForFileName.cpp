// SanitizeForFileName: blanks to dashes, everything but dashes, digits and ASCII letters dropped.
#include "export/SanitizeForFileName.h"

std::string SanitizeForFileName(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == ' ') c = '-';
        const bool keep = c == '-' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (keep) out.push_back(c);
    }
    return out;
}
