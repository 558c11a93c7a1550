// XmlAttributeText: entity escaping of attribute values, with the Windows-1252 conversion for resource texts.
#include "export/XmlAttributeText.h"

#include <cstdint>

#include "platform/Windows1252.h"

namespace {

// Escapes UTF-8 text as an attribute value.
std::string EscapeUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        const auto b = static_cast<uint8_t>(ch);
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
        out.push_back(b < 0x20 || b == 0x7F ? '?' : ch);
    }
    return out;
}

}  // namespace

std::string MakeXmlAttributeText(std::string_view text) { return EscapeUtf8(DecodeWindows1252(text)); }

std::string MakeXmlHostNameText(std::string_view hostName) {
    if (IsValidUtf8(hostName)) return EscapeUtf8(hostName);
    std::string ascii(hostName);
    for (char& c : ascii)
        if (static_cast<uint8_t>(c) >= 0x80) c = '?';
    return EscapeUtf8(ascii);
}
