// TerminalText: the one terminal encoding of the run, and the game texts' way through it.
#include "cli/TerminalText.h"

#include <memory>

#include "cli/CliCommon.h"
#include "objects/definitions/EditObjectSession.h"
#include "platform/Windows1252.h"

namespace cli {

namespace {

std::unique_ptr<TerminalEncoding>& Current() {
    static std::unique_ptr<TerminalEncoding> encoding;
    return encoding;
}

void RefuseUntypable(const std::string& what) {
    PrintError("the " + what + " holds bytes that are not " + Terminal().Name() +
               " text (the terminal's encoding); nothing was written");
}

}  // namespace

void UseTerminalEncoding() { Current() = std::make_unique<TerminalEncoding>(TerminalEncoding::FromLocale()); }

const TerminalEncoding& Terminal() {
    // Before UseTerminalEncoding (never in the program itself) texts pass as UTF-8.
    if (!Current()) Current() = std::make_unique<TerminalEncoding>("UTF-8");
    return *Current();
}

std::string ShowGameText(std::string_view bytes) {
    std::string shown(bytes);
    for (char& c : shown) {
        const uint32_t codePoint = Windows1252CodePoint(static_cast<uint8_t>(c));
        if (codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0)) c = '?';
    }
    return ShowText(DecodeWindows1252(shown));
}

std::string ShowText(std::string_view utf8) { return Terminal().FromUtf8(utf8); }

std::string ShowCoreText(std::string_view text) { return ShowText(DisplayTextAsUtf8(text)); }

bool TakeGameText(std::string_view typed, const std::string& what, std::string& bytes) {
    std::string utf8;
    if (!Terminal().IsUtf8() && !Terminal().ToUtf8(typed, utf8)) {
        RefuseUntypable(what);
        return false;
    }
    Windows1252Fault fault;
    if (EncodeWindows1252(Terminal().IsUtf8() ? typed : std::string_view(utf8), bytes, &fault)) return true;
    PrintError(UnstorableTextMessage(what, fault));
    return false;
}

bool TakeHostText(std::string_view typed, const std::string& what, std::string& utf8) {
    if (Terminal().ToUtf8(typed, utf8)) return true;
    RefuseUntypable(what);
    return false;
}

}  // namespace cli
