// SprListDecoder: decoding of an SPR# frame's command pairs into P, Z and A images.
#pragma once

#include <cstdint>

#include "objects/sprites/SprListResource.h"
#include "objects/sprites/SpriteChannels.h"

// Fills the present channels (P with `background`, Z with 255, A with 0), then follows the frame's commands top
// to bottom as the SPR2 decoder follows its tokens: skip pixels, fill pixels with one colour, copy colour bytes,
// start the next row, skip rows, end. Coded pixels get depth 128 and alpha 255. Writing is bounded by the frame's
// size and every present channel's size, and a command stream that passes the end of the data stops there.
// Returns kBadToken when an unknown command stopped the decoding (pixels decoded before it stay), else kOk.
SpriteDecodeResult DecodeSprListFrame(const SprListFrame& frame, const SpriteChannels& out, uint8_t background);
