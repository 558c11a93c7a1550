// BmpWriter: 24-bit pictures and 8-bit colour-table bitmaps as uncompressed BMP files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class Bitmap8;
class Bitmap24;

// The bytes of a BMP file: a 14-byte file header, a 40-byte info header (planes 1, no compression, 2835 pixels
// per metre), for 8 bits the 256-entry colour table (blue, green, red, 0), then the rows bottom-up, each padded
// to a multiple of 4 bytes. Empty when memory runs out.
std::vector<uint8_t> EncodeBmp(const Bitmap24& picture);
std::vector<uint8_t> EncodeBmp(const Bitmap8& bitmap);

// Writes the picture to a host path, replacing any file there. False when creating or writing fails.
bool WriteBmp(const std::string& hostPath, const Bitmap24& picture);
bool WriteBmp(const std::string& hostPath, const Bitmap8& bitmap);
