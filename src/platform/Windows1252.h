// Windows1252: the one conversion between the game's 8-bit texts (Windows-1252) and Unicode text in UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The conversion is a one-to-one map of all 256 byte values: bytes below 0x80 and from 0xA0 on stand for the
// character of the same number; 0x80 to 0x9F for the typographic characters of the code page (0x92 is U+2019,
// 0x99 U+2122), and the five bytes the page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) for the control
// characters of the same number, so that every byte comes back from a round trip as it was. It is for the game's
// texts only: host paths are UTF-8 already and are never converted.

// The character a byte stands for.
uint32_t Windows1252CodePoint(uint8_t byte);

// The UTF-8 text of 8-bit bytes. Cannot fail.
std::string DecodeWindows1252(std::string_view bytes);

// What EncodeWindows1252 met first that it could not convert.
struct Windows1252Fault {
    size_t offset = 0;       // byte offset in the UTF-8 input
    uint32_t codePoint = 0;  // the character; 0 for bytes that are not UTF-8
    bool malformed = false;  // the input is not UTF-8 there
};

// The 8-bit bytes of UTF-8 text. True when every character has a byte. Otherwise false: `out` holds the text with
// '?' in place of each character the page cannot hold and of each malformed sequence, and `fault` (when given)
// describes the first of them.
bool EncodeWindows1252(std::string_view utf8, std::string& out, Windows1252Fault* fault = nullptr);

// True when the text is well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsValidUtf8(std::string_view text);
// The length (1 to 4) of the well-formed UTF-8 sequence at `offset`, its character in `codePoint`; 0 when the
// bytes there are not UTF-8 or `offset` is past the end.
size_t ReadUtf8Sequence(std::string_view text, size_t offset, uint32_t& codePoint);

// A text the core composed for the user (log line, message) that may hold host paths and game texts side by
// side, as UTF-8: the text itself when it is well-formed UTF-8, else its bytes read as Windows-1252, so that
// every byte shows as some character.
std::string DisplayTextAsUtf8(std::string_view text);

// The fault as a person reads it: "the character "☃" (U+2603)", or "bytes that are not UTF-8".
std::string DescribeWindows1252Fault(const Windows1252Fault& fault);
