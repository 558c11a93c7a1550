// SpriteFrameCount: the number of frames of a sprite, of the older type SPR# or of SPR2, and what those frames hold.
#pragma once

#include <cstdint>

#include "resfile/iResFile.h"

class SpriteSource;

// The frame count of the SPR# resource with that id, else of the SPR2 resource with that id, else 0 (missing
// sprite, or data too short for a header). The count is limited to the frames the data really holds, and
// a negative count reads as 0. Fetches the resource (SPR# with its fix-up) and releases it again, so it must not
// be called while the caller holds that sprite's handle.
int32_t CountSpriteFrames(iResFile& file, ResID spriteId);
// The same of a sprite already fetched.
int32_t CountSpriteFrames(const SpriteSource& sprite);

// What the frames of one sprite resource are, as the frame renderer finds them.
struct SpriteFrameSurvey {
    ResType type = 0;           // the resource surveyed; 0 when there is none
    int32_t version = 0;        // its version word
    bool readable = false;      // its header was read and (SPR#) its version is one that is drawn
    int32_t storedFrames = 0;   // the count its header gives
    int32_t locatedFrames = 0;  // frames whose header lies inside the data
    int32_t drawnFrames = 0;    // located frames that are neither empty nor (SPR2) 1 x 1

    // True when every frame the header promises can be found and decoded.
    bool IsWhole() const { return readable && storedFrames >= 0 && locatedFrames == storedFrames; }
};

// Surveys the sprite with that id: the SPR# resource, else the SPR2 one, as the renderer looks them up; with
// `type` SPR# or SPR2, only that type. Fetches and releases the resource like CountSpriteFrames.
SpriteFrameSurvey SurveySpriteFrames(iResFile& file, ResID spriteId, ResType type = 0);
// The same of a sprite already fetched.
SpriteFrameSurvey SurveySpriteFrames(const SpriteSource& sprite);
