// SpriteChannels: the channel images (P, Z, A) a sprite frame decodes into, as row-pointer views.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/Bitmap8.h"

// An 8-bit image seen through its top-row pointer and signed row step: pixel (row r, column c) lies at
// top + r * step + c. An absent channel has a null top.
struct ChannelView {
    uint8_t* top = nullptr;
    ptrdiff_t step = 0;
    int32_t width = 0;
    int32_t height = 0;

    bool IsPresent() const { return top != nullptr && width > 0 && height > 0; }
    uint8_t* Row(int32_t r) const { return top + r * step; }
};

inline ChannelView ViewOf(Bitmap8& b) { return {b.GetTopRow(), b.GetRowStep(), b.GetWidth(), b.GetHeight()}; }

// Where a frame is decoded to: any of the three channels may be absent; `histogram`, when given, holds 256
// counters to which every decoded pixel adds one at its colour index.
struct SpriteChannels {
    ChannelView p;
    ChannelView z;
    ChannelView a;
    uint32_t* histogram = nullptr;
};

enum class SpriteDecodeResult {
    kOk,        // the stream ended, or was cut at the end of the data
    kBadToken,  // an opcode or command the format does not know stopped the decoding
};

// Fills the present channels: P with `background`, Z with 255 (empty), A with 0 (transparent).
void FillSpriteChannels(const SpriteChannels& out, uint8_t background);
// The number of rows and columns a decoder may write: the frame's size limited by every present channel.
void GetSpriteWriteLimits(const SpriteChannels& out, int32_t frameWidth, int32_t frameHeight, int32_t& width,
                          int32_t& height);
