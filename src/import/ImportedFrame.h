// ImportedFrame: one spriteframe element of a document: its size and place, its channels and what it becomes.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "import/ImportedChannel.h"

struct ImportedSprite;

struct ImportedFrame {
    // From the document. x and y are made non-negative when read.
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t transparentPixel = -1;
    int32_t proxy = -1;  // 0 or more: a smaller zoom made from that frame of the sprite
    int32_t shrink = 0;  // how many times the proxy's source is halved
    // The frame's position among its sprite's frames (0 first), its zoom and the depth of its last read file.
    int32_t number = 0;
    int32_t zoom = 0;
    int bitDepth = 0;

    // What the frame becomes: its offsets, the rectangle of its channel images that is encoded, and whether it
    // is a 1 x 1 stand-in for a frame without pixels.
    int32_t left = 0;
    int32_t top = 0;
    int32_t sourceLeft = 0;
    int32_t sourceTop = 0;
    int32_t sourceWidth = 0;
    int32_t sourceHeight = 0;
    bool degenerate = false;

    // The channel of each type once the element has ended (null: none), and every channel in document order.
    ImportedChannel* p = nullptr;
    ImportedChannel* z = nullptr;
    ImportedChannel* a = nullptr;
    std::vector<std::unique_ptr<ImportedChannel>> channels;
    ImportedSprite* sprite = nullptr;

    bool IsProxy() const { return proxy >= 0; }
};
