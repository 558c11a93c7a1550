// ImportedChannel: one spritechannel element of a document with the image read or made for it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Bitmap8.h"
#include "platform/ColorTypes.h"

struct ImportedFrame;

struct ImportedChannel {
    std::string type;      // "p", "z" or "a" as the document spells it
    std::string filename;  // the BMP file, relative to the document's directory (backslashes as written)
    int32_t generate = 0;  // above 0: the import makes this channel instead of reading a file
    int32_t position = 0;  // among the channels of its frame, 0 first
    ImportedFrame* frame = nullptr;
    // The channel's pixels, the frame's size; null until read, generated or shrunk.
    std::unique_ptr<Bitmap8> image;
    // The palette the image's indices refer to (the sprite's stored palette for colour channels, the grey ramp
    // for depth and alpha).
    PaletteColor palette[256] = {};

    // True when the channel's pixels come from a file.
    bool ReadsFile() const { return generate <= 0; }
};
