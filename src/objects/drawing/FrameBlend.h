// FrameBlend: drawing one rendered frame into a composed picture through its 16-bit depth buffer.
#pragma once

#include <cstdint>

class Bitmap8;
class Bitmap16;
class Bitmap24;
class PalWrap;
struct RenderedFrame;

// The pictures a composition draws into; all three have the same size.
struct CompositionTarget {
    Bitmap24* picture = nullptr;  // the colours
    Bitmap16* depth = nullptr;    // 0xFFFF where nothing was drawn; smaller is nearer
    Bitmap8* alpha = nullptr;     // the largest alpha drawn at each pixel
};

// Where a frame goes: rows are counted upward from the picture's bottom row.
struct FrameDrawPosition {
    int64_t left = 0;       // picture column of the frame's left edge
    int64_t bottom = 0;     // upward picture row of the frame's bottom row
    int32_t depthBias = 0;  // the tile's depth bias
    uint8_t opacity = 255;  // the tile's opacity
    bool flipped = false;   // mirrored left to right
};

// Draws every pixel of the frame whose Z is not 255: frame row i (from the top), column j goes to upward row
// bottom + height - 1 - i and column left + j (left + width - 1 - j when flipped), clipped to the picture. Its
// depth d = Z + depthBias + 4096, taken as an unsigned 16-bit value, is drawn where the buffer holds d or more
// (so at equal depth the later frame wins), and the buffer takes d. The alpha A is scaled by opacity / 255 when
// opacity < 255; alpha 255 sets the palette colour of P, a smaller non-zero alpha blends each component as
// (a * colour + (255 - a) * old) / 255 and keeps the larger alpha, alpha 0 leaves the colour and clears the alpha.
// Does nothing unless the frame carries all three bitmaps and a size that is not 0.
void BlendFrame(const CompositionTarget& target, const RenderedFrame& frame, const PalWrap& palette,
                const FrameDrawPosition& position);
