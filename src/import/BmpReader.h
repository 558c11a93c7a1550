// BmpReader: reads a BMP file (8-bit plain or RLE8, 24- or 32-bit plain, bottom-up or top-down) into memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "import/ChannelPicture.h"

// Reads the bytes of a whole BMP file. Returns false when they are not a BMP this reader understands (other depths
// or compressions, a colour table of more than 256 entries, sizes that are not positive or too large, pixel data
// that ends early or RLE codes that would write outside the image); `reason`, when given, then receives a short
// English explanation and `out` is left empty.
bool ReadBmp(const uint8_t* data, size_t size, ChannelPicture& out, std::string* reason = nullptr);
