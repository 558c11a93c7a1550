// SprListResource: the older sprite resource SPR#: header, frame lookup and its byte-order fix-up.
#pragma once

#include <cstdint>

#include "platform/ByteReader.h"

// Resource header (host order once fixed up): version, frame count, palette id (versions 502 and above only),
// then one int32 offset per frame counted from the start of the resource.
struct SprListHeader {
    int32_t version = 0;
    int32_t storedFrameCount = 0;
    // The stored count limited to the offsets the data really holds (0 for a negative count).
    int32_t frameCount = 0;
    bool hasPaletteId = false;
    int32_t paletteId = -1;  // -1 when the version has none
};

// One frame: five 16-bit words (y, x, height, width, one unused) and a reader over its commands, which run from
// after those words to the end of the resource's data.
struct SprListFrame {
    int16_t y = 0;
    int16_t x = 0;
    uint16_t height = 0;
    uint16_t width = 0;
    ByteReader commands;

    bool IsEmpty() const { return width == 0 || height == 0; }
};

// Reads the header; false when the data is too short for it.
bool ReadSprListHeader(ByteReader data, SprListHeader& out);
// Reads frame `index` (0-based); false when the index is out of the usable range or the frame's offset does not
// leave room for its 10-byte header inside the data.
bool ReadSprListFrame(ByteReader data, int32_t index, SprListFrame& out);
// True for versions whose sprites are drawn (502 and above); older ones are treated like a missing sprite.
inline bool IsDrawableSprListVersion(int32_t version) { return version >= 502; }

// The fix-up procedure for SPR# data stored big-endian: swaps the version, the count, the palette id (when the
// swapped version is 502 or above), every offset of the table, and the first four 16-bit words of every frame.
// Fields past the end of the data are left alone; a frame named by several offsets is swapped once.
void FixupSprList(uint8_t* data, int32_t size);
