// SpriteFrameCount: the number of frames of a sprite, of the older type SPR# or of SPR2.
#pragma once

#include <cstdint>

#include "resfile/iResFile.h"

// The frame count of the SPR# resource with that id, else of the SPR2 resource with that id, else 0 (missing
// sprite, or data too short for a header). The count is limited to the frame offsets the data really holds, and
// a negative count reads as 0. Fetches the resource (SPR# with its fix-up) and releases it again, so it must not
// be called while the caller holds that sprite's handle.
int32_t CountSpriteFrames(iResFile& file, ResID spriteId);
