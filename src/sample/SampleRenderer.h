// SampleRenderer: ray casting of sample models into the colour, depth and alpha channels of one sprite frame.
#pragma once

#include <cstdint>
#include <vector>

#include "objects/sprites/SpriteChannels.h"
#include "platform/Rect.h"
#include "sample/SampleModel.h"
#include "sample/SamplePalette.h"

// One frame on the whole canvas of its zoom, rows top-down, `width` bytes each.
struct SampleFrameImages {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> p;
    std::vector<uint8_t> z;
    std::vector<uint8_t> a;

    ChannelView P() { return {p.data(), width, width, height}; }
    ChannelView Z() { return {z.data(), width, width, height}; }
    ChannelView A() { return {a.data(), width, width, height}; }
};

// Draws the model at a rotation (0 .. 3) and sprite zoom (0 large .. 2 small) onto the zoom's canvas. The view looks
// down on the floor at the game's 2:1 angle; rotation r turns the object by r quarter turns. P holds the palette
// index of the lit shade of each visible surface (0 where empty); Z the depth of the surface point (255 where
// empty, smaller is nearer; it falls by about 34 per floor unit toward the viewer and by 40 per unit of height, and
// lies near 210 at the tile's centre on the floor); A is 255 inside the silhouette, the share of 4 x 4 samples that
// hit at its edge (pixels whose share rounds below 8 stay empty), and a soft falloff for floor shadows. The top-left
// canvas pixel is always empty, so it can serve as the encoder's clear colour.
void RenderSampleFrame(const SampleModel& model, const SamplePalette& palette, int rotation, int zoom,
                       SampleFrameImages& out);

// The depth of an opening (a box in the model's units) seen at a rotation and zoom, as a custom wall style mask: the
// depth of the opening's surface nearest the viewer, 255 outside it. Only `p` is filled.
void RenderSampleWallMask(const SampleShape& opening, int rotation, int zoom, SampleFrameImages& out);

// The smallest rectangle holding every pixel whose Z is not 255; an empty (all zero) rectangle when there is none.
Rect FindOpaqueBounds(const SampleFrameImages& frame);
