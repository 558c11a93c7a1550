// Spr2Assembler: building a whole SPR2 resource from encoded frames.
#pragma once

#include <cstdint>
#include <vector>

// Lays out an SPR2 resource into `out`: version 1000, the frame count, `paletteId`, one offset per frame, then
// the frames in order, each right after the previous one. The first frame goes to `firstFrameOffset`, or right
// after the offset table when that is negative (a sprite without frames is the 12-byte header alone); bytes between the
// table and the first frame are 0. Every frame's palette id is set to `paletteId` (kept in its 16-bit field). Returns
// false, `out` then empty, when a frame is shorter than its 16-byte header, `firstFrameOffset` lies inside the offset
// table, or the resource would pass 2^31 - 1 bytes.
bool AssembleSpr2(int32_t paletteId, const std::vector<std::vector<uint8_t>>& frames, int64_t firstFrameOffset,
                  std::vector<uint8_t>& out);
