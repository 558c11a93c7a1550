// ImportAttributes: attribute lookup and the number, flag and text readers of the import.
#include "import/ImportAttributes.h"

#include <charconv>
#include <cstddef>

namespace {

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsFolded(const char* a, std::string_view b) {
    size_t i = 0;
    for (; a[i] != '\0'; ++i)
        if (i >= b.size() || FoldCase(a[i]) != FoldCase(b[i])) return false;
    return i == b.size();
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// The code points of Windows-1252 bytes 0x80 to 0x9F; 0 marks the five bytes that have none (kept as they are).
constexpr uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,
    0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A,
    0x0153, 0,      0x017E, 0x0178,
};

char ByteForCodePoint(uint32_t cp) {
    if (cp < 0x100) return static_cast<char>(cp);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == cp) return static_cast<char>(0x80 + i);
    return '?';
}

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
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        uint8_t lead = static_cast<uint8_t>(utf8[i]);
        int extra = 0;
        uint32_t cp = 0;
        if (lead < 0x80) {
            out.push_back(static_cast<char>(lead));
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            cp = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            cp = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            cp = lead & 0x07;
        } else {
            out.push_back('?');
            ++i;
            continue;
        }
        if (i + static_cast<size_t>(extra) >= utf8.size()) {  // the sequence is cut off
            out.push_back('?');
            break;
        }
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            uint8_t c = static_cast<uint8_t>(utf8[i + static_cast<size_t>(k)]);
            if ((c & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!ok) {
            out.push_back('?');
            ++i;
            continue;
        }
        out.push_back(ByteForCodePoint(cp));
        i += static_cast<size_t>(extra) + 1;
    }
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
