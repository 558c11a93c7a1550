// Compositor: draws one view of an object, single- or multi-tile, into one 24-bit picture with a depth buffer.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "objects/drawing/TilePlacement.h"
#include "objects/palettes/RgbColor.h"
#include "platform/Bitmap24.h"
#include "platform/Bitmap8.h"
#include "resfile/ResTypes.h"

class iResFile;
struct ObjectEntry;

// Views are numbered rotation + 4 * zoom level: 12 views, 0 ... 11.
constexpr int32_t kViewCount = kRotationCount * kZoomLevelCount;
// Pictures of more pixels are not made (the object is then not drawn).
constexpr int64_t kMaxComposedPixels = int64_t{4096} * 4096;
// The margin around what was drawn.
constexpr int32_t kComposedMargin = 16;

// A frame of a picture that was drawn only up to a token its decoder does not know.
struct BadTokenFrame {
    ResID spriteId = 0;
    int32_t frame = 0;
    bool operator==(const BadTokenFrame&) const = default;
};

// The view index of a rotation (0 ... 3) and a compositor zoom level (0 smallest ... 2 largest).
inline int32_t ComposeViewIndex(int rotation, int zoomLevel) { return rotation + kRotationCount * zoomLevel; }

// Composes view `view` of the object: for a multi-tile lead its tiles (in catalogue order), else the object alone.
// Each tile draws item list `view` of its draw group basegraphic + drawGroupIndex (when that index lies within
// numgraphics), at its opacity; items naming the tile's dynamic sprites are skipped. Every tile's depthKey gets
// its depth bias. The picture is what was drawn grown by 16 pixels on every side (33 x 33 when nothing was), over
// the background colour crossed by the floor grid. When `alphaOut` is given it receives the alpha picture; when
// `badTokens` is given it receives each frame drawn only up to a bad token, once, in drawing order.
//
// Reads the draw groups, sprites and palettes from `file`. Returns null when `view` is outside 0 ... 11, the
// picture would pass kMaxComposedPixels, or memory runs out.
std::unique_ptr<Bitmap24> ComposeObject(iResFile& file, ObjectEntry& entry, int32_t view, RgbColor background,
                                        std::unique_ptr<Bitmap8>* alphaOut = nullptr,
                                        std::vector<BadTokenFrame>* badTokens = nullptr);
// The same, reading from the entry's own object file; null too when the entry has no open file.
std::unique_ptr<Bitmap24> ComposeObject(ObjectEntry& entry, int32_t view, RgbColor background);
