// Spr2Encoder: encoding of P, Z and A channel images into one SPR2 frame (header and token stream).
#pragma once

#include <cstdint>
#include <vector>

#include "objects/sprites/SpriteChannels.h"
#include "platform/Rect.h"

// Why a frame could not be encoded.
enum class Spr2EncodeResult {
    kOk,
    kBadArguments,   // a channel is absent, the alpha bits are not 1 to 8, or the area lies outside an image
    kCountTooLarge,  // a row's byte length, a run, a transparent stretch or a skip of empty rows passes 8191
};

// Encodes the frame whose extent is `bounds` (its position becomes the frame's offsets), read from the three
// images starting at `start` (row, column), into `out` (cleared first; its capacity is kept, so a caller that
// encodes many frames can reuse one buffer).
//
// The clear colour is the P value of the images' first pixel; a pixel is transparent when its Z is 255, opaque
// when its alpha A >> (8 - alphaBits) equals (255 - A of the first pixel) >> (8 - alphaBits), and partly
// transparent otherwise. Rows become kNL tokens followed by kClear, kRunZP and kRunZPA runs (trailing transparent
// pixels are not coded, data of odd length is followed by the pad byte 0xB0), three or more empty rows in a row
// become one kSL, a kSL just before the closing kEOS is dropped. The header gets width and height (0 with offsets
// 0 for an empty rectangle), flags 7, palette id -1 (the caller sets it), the clear colour and the offsets.
//
// Returns kOk, or the reason the frame cannot be stored (the format holds no count above 8191 and the encoder
// does not split rows or runs); `out` is then empty.
Spr2EncodeResult EncodeSpr2Frame(const ChannelView& p, const ChannelView& z, const ChannelView& a, const Rect& bounds,
                                 const Point& start, int alphaBits, std::vector<uint8_t>& out);
