// ImportAttributes: attribute lookup and the number, flag and text readers of the import.
#include "import/ImportAttributes.h"

#include <charconv>
#include <cstddef>

#include "platform/Windows1252.h"

namespace {

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsFolded(const char* a, std::string_view b) {
    size_t i = 0;
    for (; a[i] != '\0'; ++i)
        if (i >= b.size() || FoldCase(a[i]) != FoldCase(b[i])) return false;
    return i == b.size();
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

}  // namespace

const char* FindImportAttribute(const char** attributes, std::string_view name) {
    if (!attributes) return nullptr;
    for (size_t i = 0; attributes[i] && attributes[i + 1]; i += 2)
        if (EqualsFolded(attributes[i], name)) return attributes[i + 1];
    return nullptr;
}

int32_t ParseImportInteger(const char* text) {
    if (!text) return 0;
    while (IsBlank(*text)) ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    int64_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > int64_t{INT32_MAX} + 1) value = int64_t{INT32_MAX} + 1;  // held at the limit, never wraps
    }
    if (negative) value = -value;
    if (value > INT32_MAX) value = INT32_MAX;
    return static_cast<int32_t>(value);
}

double ParseImportFloat(const char* text) {
    if (!text) return 0.0;
    while (IsBlank(*text)) ++text;
    if (*text == '+') ++text;
    const char* end = text;
    while (*end) ++end;
    double value = 0.0;
    auto result = std::from_chars(text, end, value);
    if (result.ec != std::errc()) return 0.0;
    return value;
}

std::string Utf8ToResourceText(std::string_view utf8) {
    std::string out;
    EncodeWindows1252(utf8, out);
    return out;
}

int32_t ReadIntAttribute(const char** attributes, std::string_view name, int32_t fallback) {
    const char* v = FindImportAttribute(attributes, name);
    return v ? ParseImportInteger(v) : fallback;
}

double ReadFloatAttribute(const char** attributes, std::string_view name, double fallback) {
    const char* v = FindImportAttribute(attributes, name);
    return v ? ParseImportFloat(v) : fallback;
}

bool ReadFlagAttribute(const char** attributes, std::string_view name, bool fallback) {
    const char* v = FindImportAttribute(attributes, name);
    return v ? ParseImportInteger(v) != 0 : fallback;
}

std::string ReadTextAttribute(const char** attributes, std::string_view name) {
    const char* v = FindImportAttribute(attributes, name);
    return v ? Utf8ToResourceText(v) : std::string();
}
