// XmlAttributeText: entity escaping and the Windows-1252 to UTF-8 conversion of attribute values.
#include "export/XmlAttributeText.h"

#include <cstdint>

namespace {

// Code points of the bytes 0x80 to 0x9F; the undefined ones keep their own number.
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
    } else {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

}  // namespace

std::string MakeXmlAttributeText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        const uint8_t b = static_cast<uint8_t>(ch);
        switch (b) {
            case '&':
                out += "&amp;";
                continue;
            case '<':
                out += "&lt;";
                continue;
            case '>':
                out += "&gt;";
                continue;
            case '"':
                out += "&quot;";
                continue;
            case '\t':
                out += "&#9;";
                continue;
            case '\n':
                out += "&#10;";
                continue;
            case '\r':
                out += "&#13;";
                continue;
            default:
                break;
        }
        if (b < 0x20 || b == 0x7F) {
            out.push_back('?');
        } else if (b < 0x80) {
            out.push_back(ch);
        } else if (b < 0xA0) {
            AppendUtf8(out, kHighControls[b - 0x80]);
        } else {
            AppendUtf8(out, b);
        }
    }
    return out;
}
