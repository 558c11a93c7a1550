// UiText: conversions between the core's 8-bit texts and Qt strings.
#pragma once

#include <QString>
#include <string>

// Core texts (paths, resource names, strings of object files) are taken as UTF-8 when they are valid UTF-8 and
// byte for byte (Latin-1) otherwise, so that every byte shows as some character.
QString FromCoreText(const std::string& text);
// The text as UTF-8 bytes.
std::string ToCoreText(const QString& text);
// Each byte as the character of that code (Latin-1): for views that show a resource's bytes as they are.
QString FromByteText(const std::string& text);
// Line ends of the core's texts ("\r\n") as the single line feeds Qt's text controls keep.
QString WithoutCarriageReturns(QString text);
