// DrawGroupItem: one frame of one sprite placed at a pixel position within a view of a draw group.
#pragma once

#include <cstdint>

// Bit 0 of `flags`: draw the frame mirrored left to right.
constexpr int32_t kDrawGroupItemFlipped = 1;

// The eight fields in their in-memory order; the stored order differs (see DrawGroup). Fields that an older
// stored version lacks stay 0.
struct DrawGroupItem {
    int32_t spriteid = 0;   // id of an SPR2 or SPR# resource
    int32_t spritenum = 0;  // frame index within that sprite
    int32_t pixelx = 0;
    int32_t pixely = 0;
    float zoffset = 0.0f;
    float xoffset = 0.0f;
    float yoffset = 0.0f;
    int32_t flags = 0;

    bool IsFlipped() const { return (flags & kDrawGroupItemFlipped) != 0; }
};
