// PngReader: reads a PNG file (8-bit indexed, 8-bit grey, 24-bit RGB or 32-bit RGBA) into memory through libpng.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "import/ChannelPicture.h"

// True when the bytes begin with the eight bytes of the PNG signature.
bool HasPngSignature(const uint8_t* data, size_t size);

// Reads the bytes of a whole PNG file. An indexed picture keeps its indices and its palette (entries the file does
// not list are black; a tRNS chunk is ignored); a grey picture becomes 8-bit indices over the grey ramp; RGB and
// RGBA pictures become RGB triples (bitDepth 24 and 32), where a pixel of alpha 0 takes the colour of the top-left
// pixel, so that what a paint program shows as erased reads as the transparent colour. Returns false when the bytes
// are not such a PNG (16-bit samples, fewer than 8 bits, grey with alpha), give sizes that are not positive or too
// large, or end or break before the last row and the end chunk; `reason`, when given, then receives a short
// English explanation and `out` is left empty.
bool ReadPng(const uint8_t* data, size_t size, ChannelPicture& out, std::string* reason = nullptr);
