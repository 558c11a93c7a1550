// Spr2Decoder: three-channel decoding of an SPR2 frame's token stream into P, Z and A images.
#pragma once

#include <cstdint>

#include "objects/sprites/Spr2Resource.h"
#include "objects/sprites/SpriteChannels.h"

// Fills the present channels (P with `background`, Z with 255, A with 0), then follows the frame's tokens top to
// bottom, writing straight into the channels' rows: kRunZP pixels get their Z and P and alpha 255, kRunZPA pixels
// their Z, P and stored alpha times 8, kRunP pixels their P with Z 128 and alpha 255. Writing is bounded by the
// frame's size and every present channel's size: runs are cut at the right edge, rows past the bottom are
// dropped, and a stream that passes the end of the data stops there. Returns kBadToken when the unused opcode
// 0xE000 stopped the decoding (pixels decoded before it stay), else kOk.
SpriteDecodeResult DecodeSpr2Frame(const Spr2Frame& frame, const SpriteChannels& out, uint8_t background);
