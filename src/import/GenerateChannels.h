// GenerateChannels: making a sprite frame's depth and alpha channels from its colour channel.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/Bitmap8.h"

// How far generated depth moves away from the template: far templates put the object 8 steps nearer, near
// templates 12 steps farther.
constexpr int kGeneratedDepthFarBias = -8;
constexpr int kGeneratedDepthNearBias = 12;


// A depth image of the colour image's size: 255 where the colour is the background (the top-left pixel's
// value), elsewhere the template's value at the pixel's place on the canvas (the pixel's row and column moved by
// `canvasTop`, `canvasLeft` and held inside the template) plus the bias, clamped to 0..254; template value 255
// stays 255. Null when the colour image or the template is missing or memory runs out.
std::unique_ptr<Bitmap8> GenerateDepthChannel(const Bitmap8& color, const Bitmap8& depthTemplate, bool far,
                                              int32_t canvasTop = 0, int32_t canvasLeft = 0);

// An alpha image of the colour image's size: 0 where the colour is the background (the top-left pixel's value),
// 255 elsewhere; with `soft`, 255 only for pixels off the image's border whose eight neighbours are all not
// background, 128 for the other non-background pixels. Null when memory runs out.
std::unique_ptr<Bitmap8> GenerateAlphaChannel(const Bitmap8& color, bool soft);
