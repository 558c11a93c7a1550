// WriteChannelBmp: a channel image of a sprite frame written as an 8-bit BMP file, plain or RLE8.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ColorTypes.h"

class Bitmap8;

// The file's bytes: the 14-byte file header ("BM", file size = stride x height + 1078 even when compressed,
// two zero words, pixel data at 1078), the 40-byte information header (width, positive height so rows are
// bottom-up, 1 plane, 8 bits, compression 0 or 1 (RLE8), image size = stride x height or the encoded byte count,
// resolution 0, 256 colours used and important), 256 colour entries (blue, green, red, 0) from `colors`, then the
// rows bottom row first, each padded to a multiple of 4 bytes, or their RLE8 encoding. All fields little-endian.
// Empty when memory runs out.
std::vector<uint8_t> EncodeChannelBmp(const Bitmap8& image, const RgbQuad colors[256], bool compressed);
// Writes EncodeChannelBmp's bytes to `path` (a path relative to the current directory with backslashes, or a host
// path), replacing any file there; the bytes written are added to `*bytesWritten` when given. False when the
// file cannot be created or a write falls short.
bool WriteChannelBmp(const std::string& path, const Bitmap8& image, const RgbQuad colors[256], bool compressed,
                     int64_t* bytesWritten = nullptr);
