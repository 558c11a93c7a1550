// UiText: conversions between the core's texts and Qt strings: 8-bit game texts, UTF-8 host names, and messages.
#pragma once

#include <QString>
#include <string>

#include "platform/Windows1252.h"

// A game text (resource name, string, catalogue text, the bytes of a hex view): 8-bit Windows-1252, every byte
// shown as the character it stands for.
QString FromGameText(const std::string& bytes);
// The 8-bit bytes of a text shown or typed in a control: exactly the bytes of the characters, so a text shown
// with FromGameText comes back as the bytes it came from. False when a character has no byte; `out` then holds
// '?' in its place and `fault` says which character it was.
bool ToGameText(const QString& text, std::string& out, Windows1252Fault* fault = nullptr);

// A name on the host's disk (path, file or directory name), UTF-8; bytes that are not UTF-8 show as U+FFFD.
QString FromHostText(const std::string& utf8);
std::string ToHostText(const QString& text);

// A text the core composed for the user (log line, message box, window title), read as DisplayTextAsUtf8 reads it.
QString FromDisplayText(const std::string& text);

// Line ends of the core's texts ("\r\n", or a lone "\r") as the single line feeds Qt's text controls keep.
QString WithoutCarriageReturns(QString text);

class QPlainTextEdit;
// The text of a multi-line edit exactly as it shows it, lines separated by '\n' (toPlainText would also turn
// non-breaking spaces into blanks).
QString PlainTextOf(const QPlainTextEdit& edit);
