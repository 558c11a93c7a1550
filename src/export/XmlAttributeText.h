// XmlAttributeText: texts made into UTF-8 XML attribute values: 8-bit resource texts, and host names as they are.
#pragma once

#include <string>
#include <string_view>

// Escapes "&", "<", ">" and the double quote as entity references and turns the 8-bit (Windows-1252) text into
// UTF-8. Tab, line feed and carriage return are written as character references so that a parser gives them
// back unchanged; other control characters, which XML cannot carry, become "?". Plain ASCII text without those
// characters comes back byte for byte. Cannot fail.
std::string MakeXmlAttributeText(std::string_view text);
// The same escapes for a name on the host's disk (a file name or path, UTF-8 already): its characters are kept as
// they are, never converted as if they were an 8-bit text; bytes that are not UTF-8, which a document cannot
// carry, become "?".
std::string MakeXmlHostNameText(std::string_view hostName);
