// SprListEncoder: encoding of one 8-bit image into an SPR# frame, and laying out a whole SPR# resource.
#pragma once

#include <cstdint>
#include <vector>

#include "objects/sprites/SpriteChannels.h"

// The version written: one with a palette id, so that the frame renderer draws the sprite.
constexpr int32_t kSprListWrittenVersion = 504;
// Runs of at least this many equal values are coded as one fill command; shorter stretches are copied.
constexpr int32_t kSprListMinFillRun = 16;
// The value that stands for an empty pixel: runs of it are skipped.
constexpr uint8_t kSprListEmptyValue = 255;

// Encodes the whole image as one SPR# frame into `out` (cleared first), stored in host order: the five header
// words y 0, x 0, height, width and 0; then, top to bottom, each row that holds a pixel other than 255 as a
// new-row command followed by skip commands for runs of 255, fill commands for runs of at least 16 equal values and
// copy commands (padded to an even length) for the rest, each command covering at most 255 pixels, with nothing
// coded after a row's last non-empty pixel; runs of empty rows before a row become skip-rows commands of at most
// 255 rows each; empty rows at the bottom are not coded; the end command closes the frame. Every command is a
// (command, count) byte pair; the count of new-row and end is 0, pad bytes are 0. The values are stored as they
// are: the decoder gives them back as colour indices (with depth 128 and alpha 255).
// Returns false, `out` then empty, when the image is absent or wider or taller than 65535 pixels.
bool EncodeSprListFrame(const ChannelView& image, std::vector<uint8_t>& out);

// Lays out an SPR# resource in host order into `out`: version 504, the frame count, `paletteId`, one offset per
// frame counted from the start of the resource, then the frames one after the other. Returns false, `out` then
// empty, when a frame is shorter than its 10-byte header or the resource would pass 2^31 - 1 bytes.
bool AssembleSprList(int32_t paletteId, const std::vector<std::vector<uint8_t>>& frames, std::vector<uint8_t>& out);
