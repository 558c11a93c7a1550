// TerminalText: where reshaper-cli's texts meet the terminal: game texts (8-bit Windows-1252) and the program's
// UTF-8 messages shown in the terminal's encoding, and typed texts taken from it.
#pragma once

#include <string>
#include <string_view>

#include "cli/TerminalEncoding.h"

namespace cli {

// Learns the terminal's encoding from the locale (LC_CTYPE); main calls it before anything is printed.
void UseTerminalEncoding();
const TerminalEncoding& Terminal();

// A game text read from a file (name, string, comment, type code) as the terminal shows it: each byte as the
// character it stands for, control characters (those of the five bytes the code page leaves undefined too) as '?'.
std::string ShowGameText(std::string_view bytes);
// A text the program composed in UTF-8 (a message, a line of host paths and shown game texts) for the terminal.
std::string ShowText(std::string_view utf8);
// A text the core composed (log line, message, question), read as DisplayTextAsUtf8 reads it, for the terminal.
std::string ShowCoreText(std::string_view text);

// A text typed for a game text (`what` names it in the message: "name", "description"): its Windows-1252 bytes,
// so that a text shown by ShowGameText and typed back gives the bytes it came from. False, with a printed message
// naming the first character Windows-1252 cannot hold (or saying the bytes are not text of the terminal's
// encoding), when the text cannot be stored as it was typed; `bytes` is then unspecified.
bool TakeGameText(std::string_view typed, const std::string& what, std::string& bytes);
// A text typed for a host name (a file name, say), as UTF-8. False, with a printed message, when the bytes are not
// text of the terminal's encoding.
bool TakeHostText(std::string_view typed, const std::string& what, std::string& utf8);

}  // namespace cli
