// AsciiFold: the one case fold of the program: 'A' to 'Z' become 'a' to 'z'; every other byte (the
// Windows-1252 letters above 0x7F included) stays as it is.
#pragma once

#include <string>
#include <string_view>

constexpr char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The text with every ASCII capital folded.
inline std::string FoldAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = FoldAscii(c);
    return out;
}

// True when the texts have the same length and agree byte for byte once folded.
inline bool EqualsFoldedAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    return true;
}
