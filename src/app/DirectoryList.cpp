// DirectoryList: the split and normalise rules of directory lists.
#include "app/DirectoryList.h"

namespace {
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
}  // namespace

std::vector<std::string> SplitDirectoryList(const std::string& text) {
    std::vector<std::string> out;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t semi = text.find(';', pos);
        if (semi == std::string::npos) {
            out.push_back(text.substr(pos));
            break;
        }
        out.push_back(text.substr(pos, semi - pos));
        pos = semi + 1;
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\r' || text[pos] == '\n'))
            ++pos;
    }
    return out;
}

std::string NormalizeDirectoryPath(const std::string& directory) {
    std::string d = directory;
    for (char& c : d)
        if (c == '/') c = '\\';
    bool drive = d.size() >= 3 && IsLetter(d[0]) && d[1] == ':' && d[2] == '\\';
    bool dotted = d.size() >= 2 && d[0] == '.' && d[1] == '\\';
    bool network = d.size() >= 3 && d[0] == '\\' && d[1] == '\\' && IsLetter(d[2]);
    if (!drive && !dotted && !network && d != ".") d = ".\\" + d;
    if (d.back() != '\\') d.push_back('\\');
    return d;
}

std::vector<std::string> BuildDirectoryList(const std::string& text) {
    std::vector<std::string> out = SplitDirectoryList(text);
    for (std::string& d : out) d = NormalizeDirectoryPath(d);
    return out;
}
