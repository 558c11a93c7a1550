// ExpandToCanvas: a frame's channel image placed on the full canvas of its zoom.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/Bitmap8.h"

// A new canvas-sized image filled with `fill`, with the frame's pixels copied so that its top-left pixel lands
// at column x, row y; the colour table is the frame's. Parts of the frame that fall outside the canvas (negative
// offsets, or a frame reaching past the right or bottom edge) are clipped. Null when the canvas cannot be made.
std::unique_ptr<Bitmap8> ExpandToCanvas(const Bitmap8& frame, int32_t x, int32_t y, int32_t canvasWidth,
                                        int32_t canvasHeight, uint8_t fill);
