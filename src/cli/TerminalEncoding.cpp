// TerminalEncoding: iconv between UTF-8 and the terminal's code set, one character at a time on the way out.
#include "cli/TerminalEncoding.h"

#include <langinfo.h>

#include <cerrno>
#include <clocale>
#include <cstring>

#include "platform/Windows1252.h"

namespace cli {

namespace {

const iconv_t kClosed = reinterpret_cast<iconv_t>(-1);

bool CountsAsUtf8(const std::string& codeset) {
    std::string folded;
    for (char c : codeset)
        if (c != '-' && c != '_') folded += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return folded.empty() || folded == "UTF8" || folded == "ANSIX3.41968" || folded == "ASCII" ||
           folded == "USASCII";
}

// Converts all of `in`; false when iconv refuses any of it.
bool Convert(iconv_t cd, std::string_view in, std::string& out) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    size_t left = in.size();
    while (left > 0) {
        char buffer[256];
        char* dst = buffer;
        size_t room = sizeof buffer;
        const size_t r = iconv(cd, &src, &left, &dst, &room);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        if (r == static_cast<size_t>(-1) && errno != E2BIG) return false;
    }
    char buffer[64];
    char* dst = buffer;
    size_t room = sizeof buffer;
    if (iconv(cd, nullptr, nullptr, &dst, &room) == static_cast<size_t>(-1)) return false;
    out.append(buffer, static_cast<size_t>(dst - buffer));
    return true;
}

}  // namespace

TerminalEncoding::TerminalEncoding(const std::string& codeset) : toTerminal_(kClosed), fromTerminal_(kClosed) {
    if (CountsAsUtf8(codeset)) return;
    toTerminal_ = iconv_open(codeset.c_str(), "UTF-8");
    fromTerminal_ = iconv_open("UTF-8", codeset.c_str());
    if (toTerminal_ == kClosed || fromTerminal_ == kClosed) {
        if (toTerminal_ != kClosed) iconv_close(toTerminal_);
        if (fromTerminal_ != kClosed) iconv_close(fromTerminal_);
        toTerminal_ = fromTerminal_ = kClosed;
        return;
    }
    name_ = codeset;
    utf8_ = false;
}

TerminalEncoding TerminalEncoding::FromLocale() {
    std::setlocale(LC_CTYPE, "");
    const char* codeset = nl_langinfo(CODESET);
    return TerminalEncoding(codeset ? codeset : "");
}

TerminalEncoding::~TerminalEncoding() {
    if (toTerminal_ != kClosed) iconv_close(toTerminal_);
    if (fromTerminal_ != kClosed) iconv_close(fromTerminal_);
}

TerminalEncoding::TerminalEncoding(TerminalEncoding&& other) noexcept
    : name_(std::move(other.name_)), utf8_(other.utf8_), toTerminal_(other.toTerminal_),
      fromTerminal_(other.fromTerminal_) {
    other.utf8_ = true;
    other.toTerminal_ = other.fromTerminal_ = kClosed;
}

std::string TerminalEncoding::FromUtf8(std::string_view utf8) const {
    if (utf8_) return std::string(utf8);
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        uint32_t codePoint = 0;
        const size_t n = ReadUtf8Sequence(utf8, i, codePoint);
        if (n <= 1) {
            out.push_back(utf8[i++]);  // ASCII is the same in every code set, and bytes that are not UTF-8 pass
            continue;
        }
        std::string converted;
        out += Convert(toTerminal_, utf8.substr(i, n), converted) && !converted.empty() ? converted : "?";
        i += n;
    }
    return out;
}

bool TerminalEncoding::ToUtf8(std::string_view typed, std::string& utf8) const {
    utf8.clear();
    if (utf8_) {
        utf8 = typed;
        return IsValidUtf8(typed);
    }
    return Convert(fromTerminal_, typed, utf8) && IsValidUtf8(utf8);
}

}  // namespace cli
