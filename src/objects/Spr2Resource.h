// Spr2Resource: reading the header, frame table and frame headers of SPR2 sprite resources.
#pragma once

#include <cstdint>

#include "platform/ByteReader.h"

// Resource header (little-endian): version (not checked), frame count, palette id, then one int32 offset per
// frame counted from the start of the resource.
struct Spr2Header {
    int32_t version = 0;
    int32_t storedFrameCount = 0;
    // The stored count limited to the offsets the data really holds (0 for a negative count).
    int32_t frameCount = 0;
    int32_t paletteId = 0;
};

// One frame: its 16-byte header and a reader over its token stream, which runs from after the header to the end
// of the resource's data.
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

// Reads the resource header; false when the data is shorter than the 12-byte header.
bool ReadSpr2Header(ByteReader data, Spr2Header& out);
// Reads frame `index` (0-based); false when the index is negative or not below the usable frame count, or the
// frame's offset does not leave room for its 16-byte header inside the data.
bool ReadSpr2Frame(ByteReader data, int32_t index, Spr2Frame& out);
// The palette a frame uses: its own id when not negative, else the sprite's.
int32_t GetSpr2FramePaletteId(const Spr2Header& header, const Spr2Frame& frame);
