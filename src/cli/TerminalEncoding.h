// TerminalEncoding: the characters of the terminal reshaper-cli talks to, and UTF-8 text to and from them.
#pragma once

#include <iconv.h>

#include <string>
#include <string_view>

namespace cli {

// UTF-8, or an 8-bit code page that iconv knows. The C locale's ASCII says nothing of the terminal and counts as
// UTF-8, as host names are; so does a code set iconv cannot convert.
class TerminalEncoding {
public:
    // `codeset` as nl_langinfo(CODESET) names it ("UTF-8", "ISO-8859-15", "CP1252", "ANSI_X3.4-1968").
    explicit TerminalEncoding(const std::string& codeset);
    // The encoding of the locale's LC_CTYPE (the environment's LC_ALL, LC_CTYPE or LANG), which it makes the
    // program's own character locale.
    static TerminalEncoding FromLocale();
    ~TerminalEncoding();
    TerminalEncoding(const TerminalEncoding&) = delete;
    TerminalEncoding& operator=(const TerminalEncoding&) = delete;
    TerminalEncoding(TerminalEncoding&& other) noexcept;
    TerminalEncoding& operator=(TerminalEncoding&&) = delete;

    bool IsUtf8() const { return utf8_; }
    // "UTF-8", or the code set's own name.
    const std::string& Name() const { return name_; }

    // UTF-8 text as the terminal's characters: a character it has no byte for becomes '?'; bytes that are not
    // UTF-8 (a host name in another encoding) pass as they are.
    std::string FromUtf8(std::string_view utf8) const;
    // Typed text as UTF-8; false when the bytes are not text of this encoding.
    bool ToUtf8(std::string_view typed, std::string& utf8) const;

private:
    std::string name_ = "UTF-8";
    bool utf8_ = true;
    // Both open when the encoding is not UTF-8.
    iconv_t toTerminal_;
    iconv_t fromTerminal_;
};

}  // namespace cli
