// PngWriter: 24-bit pictures and 8-bit colour-table bitmaps as PNG files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ColorTypes.h"

class Bitmap8;
class Bitmap24;

// The PNG bytes of a 24-bit picture (8-bit RGB, no alpha). Empty when encoding fails.
std::vector<uint8_t> EncodePng(const Bitmap24& picture);
// The PNG bytes of an 8-bit bitmap as a 256-colour palette image with the bitmap's colour table. Empty when
// encoding fails.
std::vector<uint8_t> EncodePng(const Bitmap8& bitmap);
// The same with another 256-entry colour table in place of the bitmap's.
std::vector<uint8_t> EncodePng(const Bitmap8& bitmap, const RgbQuad colors[256]);
// The PNG bytes of an 8-bit bitmap as an 8-bit grey image whose grey values are the bitmap's indices. Empty when
// encoding fails.
std::vector<uint8_t> EncodeGreyPng(const Bitmap8& bitmap);

// Writes the picture to a host path, replacing any file there. False when encoding, creating or writing fails.
bool WritePng(const std::string& hostPath, const Bitmap24& picture);
bool WritePng(const std::string& hostPath, const Bitmap8& bitmap);
