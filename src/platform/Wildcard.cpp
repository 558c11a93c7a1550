// Wildcard: iterative matcher with single-star backtracking (linear memory, no recursion).
#include "platform/Wildcard.h"
#include "platform/AsciiFold.h"

bool MatchWildcard(std::string_view name, std::string_view pattern) {
    size_t n = 0, p = 0;
    size_t starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || FoldAscii(pattern[p]) == FoldAscii(name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            // Let the last star swallow one more character and retry from there.
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}
