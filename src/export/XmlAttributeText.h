// XmlAttributeText: an 8-bit (Windows-1252) resource text made into a UTF-8 XML attribute value.
#pragma once

#include <string>
#include <string_view>

// Escapes "&", "<", ">" and the double quote as entity references and turns bytes 0x80 to 0xFF from
// Windows-1252 into UTF-8 (the five codes that page leaves undefined become the C1 characters of the same
// number). Tab, line feed and carriage return are written as character references so that a parser gives them
// back unchanged; other control bytes, which XML cannot carry, become "?". Plain ASCII text without those
// characters comes back byte for byte. Cannot fail.
std::string MakeXmlAttributeText(std::string_view text);
