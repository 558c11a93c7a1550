// SampleSprite: the SPR2 sprites and draw groups of the sample objects, and the custom wall style SPR# masks.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "objects/drawing/DrawGroup.h"
#include "sample/SampleModel.h"
#include "sample/SamplePalette.h"

// Where one encoded frame lies on its zoom's canvas.
struct SampleFramePlace {
    int16_t x = 0;
    int16_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// A 12-frame SPR2 resource (frame i: rotation i % 4, sprite zoom i / 4) and where its frames lie.
struct SampleSprite {
    std::vector<uint8_t> data;
    std::array<SampleFramePlace, kSampleFramesPerSprite> frames{};
};

// Draws and encodes every frame of the model and assembles the SPR2 resource with `paletteId`. Each frame is cut to
// the pixels it covers, its offsets being its place on the canvas. False when a frame could not be encoded.
bool BuildSampleSprite(const SampleModel& model, const SamplePalette& palette, int32_t paletteId, SampleSprite& out);

// A draw group of 12 item lists (list V: rotation V % 4 at zoom level V / 4, level 0 the smallest; dirflags
// 1 << (2 * rotation), zoom level + 1), each placing the matching frame of every sprite in the order given. An
// item's pixelx is the frame's left column and its pixely the frame's bottom row, both counted from the tile's
// centre on the canvas (pixely downward), which is where the compositor expects them.
DrawGroup MakeSampleDrawGroup(const std::string& name,
                              const std::vector<std::pair<ResID, const SampleSprite*>>& sprites);

// The older draw group layout (version 20001: 16-bit counts and fields, items of kind -3 with a zoffset) holding the
// same lists as MakeSampleDrawGroup, for files of older tools.
std::vector<uint8_t> SerializeOldLayoutDrawGroup(const DrawGroup& group);

// The six custom wall style sprites of a door: SPR# resources of 4 frames (one per rotation), version 504, palette
// id -1, each frame the whole canvas. Sprites 0 to 2 mask the wall at the large, medium and small zoom; sprites 3
// to 5 the same for walls cut down to `cutHeight`. The frames hold the opening's depth (255 outside it). False when
// encoding failed.
bool BuildSampleWallStyle(const SampleShape& opening, float cutHeight, std::array<std::vector<uint8_t>, 6>& out);
