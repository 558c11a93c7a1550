// FrameRenderer: decodes one frame of a sprite (SPR# or SPR2) into colour, depth and alpha bitmaps.
#pragma once

#include <cstdint>
#include <memory>

#include "objects/palettes/RgbColor.h"
#include "platform/Bitmap8.h"
#include "resfile/ResTypes.h"

class iResFile;
class SpriteSource;
class PalWrap;

// Result bits of RenderSpriteFrame.
constexpr uint32_t kFrameRendered = 1;  // always set
constexpr uint32_t kFrameHasColor = 2;  // a P bitmap was handed out
constexpr uint32_t kFrameHasDepth = 4;  // a Z bitmap was handed out
constexpr uint32_t kFrameHasAlpha = 8;  // an A bitmap was handed out

// Frames with more pixels than this are not decoded: they are reported and decoded like empty frames. The format
// can code a frame of 65535 x 65535 transparent pixels in a few bytes; drawing it would take gigabytes.
constexpr int64_t kMaxRenderedFramePixels = int64_t{4096} * 4096;

// The error text of a frame whose stream held a token or command the format does not know.
constexpr const char* kBadTokenText = "bad token";

struct FrameRenderRequest {
    RgbColor background;
    // -1: the palette's nearest colour to the background; another value is used as it is (its low byte).
    int32_t transparentIndex = -1;
    // When given, loaded from the frame's PALT resource (the grey ramp with system colours reserved when that is
    // missing or unreadable); without one the transparent index is 255.
    PalWrap* palette = nullptr;
    // When given, 256 counters: every coded pixel adds 1 at its colour index.
    uint32_t* histogram = nullptr;
    bool wantColor = false;
    bool wantDepth = false;
    bool wantAlpha = false;
};

struct RenderedFrame {
    int32_t transparentIndex = -1;  // the index used (handed back when it was chosen here)
    int16_t originX = 0;            // the frame's X and Y offsets
    int16_t originY = 0;
    int32_t width = 0;              // 0 x 0 for a missing, empty, 1 x 1 SPR2 or oversized frame
    int32_t height = 0;
    int32_t paletteId = 0;
    int32_t frameIndex = 0;         // the frame found: the index asked for, or 0 in its place
    bool badToken = false;          // decoding stopped at a token it does not know (kBadTokenText)
    // The bitmaps asked for, of the decoded size (1 x 1 when the reported size is 0 x 0): P with the palette's
    // colours filled with the transparent index, Z and A with the grey ramp filled with 255 and 0. Null when not
    // asked for or when memory ran out.
    std::unique_ptr<Bitmap8> color;
    std::unique_ptr<Bitmap8> depth;
    std::unique_ptr<Bitmap8> alpha;
};

// Finds sprite `spriteId` (SPR# with its fix-up first, else SPR2) and renders frame `frameIndex` (an index not
// below the frame count, or negative, means frame 0). `out` is reset first. A missing sprite, an SPR# older than
// version 502, a sprite without frames or a frame whose header lies outside the data gives size 0 x 0, origin
// 0, no bitmaps and the transparent index as passed in. Returns the result bits (kFrameRendered always).
uint32_t RenderSpriteFrame(iResFile& file, ResID spriteId, int32_t frameIndex, const FrameRenderRequest& request,
                           RenderedFrame& out);
// The same from a sprite fetched once for many frames.
uint32_t RenderSpriteFrame(SpriteSource& sprite, int32_t frameIndex, const FrameRenderRequest& request,
                           RenderedFrame& out);
