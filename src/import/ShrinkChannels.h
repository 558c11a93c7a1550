// ShrinkChannels: making a smaller zoom's channel images from the largest zoom's by blocks of 2^s pixels.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/Bitmap8.h"
#include "platform/ColorTypes.h"

class ColorQuantizer;

// Each output pixel (row r, column c) covers the block of n x n source pixels at (r n, c n), n = 2^shift; the
// parts of a block outside the source are left out. Every result has width x height pixels (both at least 1),
// takes the source's colour table and is null when memory runs out or the shift is not 0..15.

// Colour indices. Without `smooth`: the most frequent value other than the background (the source's top-left
// pixel), lowest on ties, the background for a block of background only. With `smooth`: the mean of the
// palette colours of the block's non-background pixels plus the errors carried along the row, clamped, matched
// to the nearest entry of `palette` through `quantizer` (whose palette this sets); the carried errors become the
// wanted minus the entry's colour, held to -100..100; a background block clears them and gives the last
// non-background source value met so far (0 before the first).
std::unique_ptr<Bitmap8> ShrinkColorChannel(const Bitmap8& source, int shift, int32_t width, int32_t height,
                                            bool smooth, const PaletteColor palette[256], ColorQuantizer& quantizer);
// Depth: the most frequent value other than 255, lowest on ties; 255 when there is none.
std::unique_ptr<Bitmap8> ShrinkDepthChannel(const Bitmap8& source, int shift, int32_t width, int32_t height);
// Alpha: with `smooth` the block's sum divided by n x n, without it the block's largest value.
std::unique_ptr<Bitmap8> ShrinkAlphaChannel(const Bitmap8& source, int shift, int32_t width, int32_t height,
                                            bool smooth);
