// ImportAttributes: reading the attributes of a document element: lookup, numbers, flags and 8-bit text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// `attributes` is expat's list: name, value, name, value, ..., null. Names are compared without regard to the
// case of A to Z and the first attribute of a name wins. Null when the element has no such attribute.
const char* FindImportAttribute(const char** attributes, std::string_view name);

// A decimal integer: optional leading blanks and sign, then digits up to the first non-digit; text that does
// not begin with a number reads as 0, a number beyond 32 bits is held at the nearest 32-bit limit.
int32_t ParseImportInteger(const char* text);
// A decimal floating point number after optional blanks; 0 for text that does not begin with one.
double ParseImportFloat(const char* text);
// Turns UTF-8 text, as the parser hands it over, into the resources' 8-bit form (Windows-1252, as
// EncodeWindows1252 converts it): every character the page holds becomes its byte; any other character, and bytes
// that are not UTF-8, become '?'.
std::string Utf8ToResourceText(std::string_view utf8);

// The attribute's value, or `fallback` when it is missing.
int32_t ReadIntAttribute(const char** attributes, std::string_view name, int32_t fallback);
double ReadFloatAttribute(const char** attributes, std::string_view name, double fallback);
// True when the attribute's number is not 0; `fallback` when it is missing.
bool ReadFlagAttribute(const char** attributes, std::string_view name, bool fallback);
// The attribute's text in the resources' 8-bit form; empty when missing.
std::string ReadTextAttribute(const char** attributes, std::string_view name);
