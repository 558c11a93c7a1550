// WriteChannelPng: a channel image of a sprite frame written as a PNG file, indexed or grey.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ColorTypes.h"

class Bitmap8;

// The file's bytes: with `colors`, an 8-bit indexed PNG whose 256-entry palette is `colors` and whose pixels are the
// image's indices; without (null), an 8-bit grey PNG whose grey values are the indices (depth and alpha channels).
// Empty when encoding fails.
std::vector<uint8_t> EncodeChannelPng(const Bitmap8& image, const RgbQuad* colors);
// Writes EncodeChannelPng's bytes as WriteExportFile does. False when encoding, creating or writing fails.
bool WriteChannelPng(const std::string& path, const Bitmap8& image, const RgbQuad* colors,
                     int64_t* bytesWritten = nullptr);
