// Spr2Resource: the one view of SPR2 sprite resources in both stored layouts: header, frame byte ranges, frames.
#pragma once

#include <cstdint>

#include "platform/ByteReader.h"

// Two layouts are stored, told apart by the version word (little-endian throughout):
// - any version but 1001 (this program writes 1000): frame count, palette id, then one int32 offset per frame
//   counted from the start of the resource; a frame runs from its offset to the end of the data;
// - 1001: palette id, frame count, then the frames one right after the other, each an int32 version (not checked),
//   an int32 byte count S and S bytes of frame. A frame whose S is negative or runs past the data ends the sprite
//   at the frame before it.
struct Spr2Header {
    int32_t version = 0;
    bool sequential = false;  // the 1001 layout
    int32_t storedFrameCount = 0;
    // The stored count limited to the frames the data really holds (0 for a negative count): the offsets that are
    // there, or in the 1001 layout the frames whose bytes lie complete inside the data.
    int32_t frameCount = 0;
    int32_t paletteId = 0;
};

// One frame: its 16-byte header and a reader over its token stream, which runs from after the header to the end
// of the frame's bytes.
struct Spr2Frame {
    uint16_t width = 0;
    uint16_t height = 0;
    uint32_t flags = 0;
    int16_t paletteId = 0;  // negative: the sprite's palette id
    uint16_t clearColor = 0;
    int16_t y = 0;
    int16_t x = 0;
    ByteReader tokens;

    // A side of 0 makes a frame empty; a frame of exactly 1 x 1 is degenerate and drawn like an empty one.
    bool IsEmpty() const { return width == 0 || height == 0; }
    bool IsDegenerate() const { return width == 1 && height == 1; }
};

// Reads the resource header (walking the frames of the 1001 layout to count them); false when the data is
// shorter than the 12-byte header.
bool ReadSpr2Header(ByteReader data, Spr2Header& out);
// The bytes of frame `index` (0-based): from its offset to the end of the data, or its S bytes in the 1001 layout.
// False when the index is negative or not below the usable frame count, or the offset lies outside the data.
bool GetSpr2FrameBytes(ByteReader data, int32_t index, ByteReader& out);
// Reads frame `index`; false when GetSpr2FrameBytes fails or the frame's bytes have no room for its 16-byte header.
bool ReadSpr2Frame(ByteReader data, int32_t index, Spr2Frame& out);
// The palette a frame uses: its own id when not negative, else the sprite's.
int32_t GetSpr2FramePaletteId(const Spr2Header& header, const Spr2Frame& frame);
