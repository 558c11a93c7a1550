// ChannelPictureReader: reads a channel file, BMP or PNG as its first bytes say, whatever its name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "import/ChannelPicture.h"

// Reads the file at a host path: a PNG when it begins with the PNG signature, else a BMP. Returns false when the
// file cannot be opened or read, or the reader of its kind refuses it; `reason`, when given, then receives a short
// English explanation and `out` is left empty. `kind`, when given, receives the kind the bytes were read as (for a
// file that cannot be read, the kind its name's extension suggests).
bool ReadChannelPicture(const std::string& hostPath, ChannelPicture& out, std::string* reason = nullptr,
                        ChannelPictureKind* kind = nullptr);
// The same on the bytes of a whole file in memory.
bool ReadChannelPicture(const uint8_t* data, size_t size, ChannelPicture& out, std::string* reason = nullptr,
                        ChannelPictureKind* kind = nullptr);

// "BMP" or "PNG", as messages name the files.
const char* ChannelPictureKindName(ChannelPictureKind kind);
