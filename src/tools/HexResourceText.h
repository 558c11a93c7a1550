// HexResourceText: the text of the hex view of one resource: offset, eight bytes in hexadecimal, the same bytes
// as characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "resfile/ResTypes.h"

class iResFile;

constexpr const char* kHexNoResource = "Could not get resource!";

// One line per eight bytes: "%04X  |  ", eight " %02X" cells (three blanks past the end), "  |  ", eight
// character cells (a byte below 32 as '^' and the byte plus 64, any other byte as a blank and the byte itself,
// two blanks past the end), "  |\r\n". Empty for no bytes.
std::string FormatHexDump(const uint8_t* data, size_t size);
// The hex view of (type, id) of a file, fetched without fix-up and released again; kHexNoResource when the file
// has no such resource.
std::string HexResourceText(iResFile& file, ResType type, ResID id);
