// Rle8Encoder: the RLE8 compression of 8-bit BMP rows as the export writes it.
#pragma once

#include <cstdint>
#include <vector>

// Encodes `height` rows of `width` pixels, bottom row first; `bottomRow` points at the bottom row's first pixel
// and each next row lies `stride` bytes further on. Runs of 3 to 255 equal pixels become (length, value) pairs;
// other pixels are literals: more than 2 of them go into absolute blocks (0, n, n bytes, a pad byte when n is
// odd; n at most 255), 1 or 2 remaining ones into pairs of length 1. Each row but the last ends with 0, 0, the
// last with 0, 1. Appends to `out`; an image without rows gives just 0, 1. Cannot fail (short of memory).
void EncodeRle8(const uint8_t* bottomRow, int64_t stride, int32_t width, int32_t height, std::vector<uint8_t>& out);
