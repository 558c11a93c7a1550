// Windows1252: the byte table of the code page and the UTF-8 coding on either side of it.
#include "platform/Windows1252.h"

#include <cstdio>

namespace {

// The characters of bytes 0x80 to 0x9F; the five undefined bytes keep their own number.
constexpr uint16_t kHighControls[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Reads one UTF-8 sequence at `i`: its character and length; length 0 when the bytes there are not UTF-8
// (overlong forms, surrogates and values past U+10FFFF included).
size_t ReadUtf8(std::string_view s, size_t i, uint32_t& cp) {
    const auto lead = static_cast<uint8_t>(s[i]);
    size_t extra = 0;
    uint32_t min = 0;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1, min = 0x80, cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, min = 0x800, cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, min = 0x10000, cp = lead & 0x07;
    } else {
        return 0;
    }
    if (s.size() - i <= extra) return 0;
    for (size_t k = 1; k <= extra; ++k) {
        const auto c = static_cast<uint8_t>(s[i + k]);
        if ((c & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return extra + 1;
}

// The byte of a character; -1 when the page has none.
int ByteOf(uint32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == cp) return 0x80 + i;
    return -1;
}

}  // namespace

uint32_t Windows1252CodePoint(uint8_t byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte;
}

std::string DecodeWindows1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) AppendUtf8(out, Windows1252CodePoint(static_cast<uint8_t>(c)));
    return out;
}

bool EncodeWindows1252(std::string_view utf8, std::string& out, Windows1252Fault* fault) {
    out.clear();
    out.reserve(utf8.size());
    bool whole = true;
    auto note = [&](size_t offset, uint32_t cp, bool malformed) {
        if (whole && fault) *fault = Windows1252Fault{offset, cp, malformed};
        whole = false;
        out.push_back('?');
    };
    for (size_t i = 0; i < utf8.size();) {
        uint32_t cp = 0;
        const size_t n = ReadUtf8(utf8, i, cp);
        if (n == 0) {
            note(i, 0, true);
            ++i;
            continue;
        }
        const int b = ByteOf(cp);
        if (b < 0)
            note(i, cp, false);
        else
            out.push_back(static_cast<char>(b));
        i += n;
    }
    return whole;
}

bool IsValidUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        uint32_t cp = 0;
        const size_t n = ReadUtf8(text, i, cp);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

size_t ReadUtf8Sequence(std::string_view text, size_t offset, uint32_t& codePoint) {
    return offset < text.size() ? ReadUtf8(text, offset, codePoint) : 0;
}

std::string DisplayTextAsUtf8(std::string_view text) {
    return IsValidUtf8(text) ? std::string(text) : DecodeWindows1252(text);
}

std::string DescribeWindows1252Fault(const Windows1252Fault& fault) {
    if (fault.malformed) return "bytes that are not UTF-8";
    std::string shown;
    AppendUtf8(shown, fault.codePoint);
    char number[16];
    std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(fault.codePoint));
    return "the character \"" + shown + "\" (" + number + ")";
}
