// FrameBlend: the per-pixel depth test and alpha blending of a frame into a composed picture.
#include "objects/drawing/FrameBlend.h"

#include <algorithm>

#include "objects/palettes/PalWrap.h"
#include "objects/sprites/FrameRenderer.h"
#include "platform/Bitmap16.h"
#include "platform/Bitmap24.h"

void BlendFrame(const CompositionTarget& target, const RenderedFrame& frame, const PalWrap& palette,
                const FrameDrawPosition& position) {
    if (!target.picture || !target.depth || !target.alpha) return;
    if (!frame.color || !frame.depth || !frame.alpha || frame.width <= 0 || frame.height <= 0) return;
    const int32_t fw = std::min({frame.width, frame.color->GetWidth(), frame.depth->GetWidth(),
                                 frame.alpha->GetWidth()});
    const int32_t fh = std::min({frame.height, frame.color->GetHeight(), frame.depth->GetHeight(),
                                 frame.alpha->GetHeight()});
    const int64_t pw = target.picture->GetWidth(), ph = target.picture->GetHeight();
    // The columns j of the frame that land inside the picture.
    int64_t firstJ = 0, lastJ = fw - 1;
    if (position.flipped) {
        // column = left + fw - 1 - j, inside [0, pw)
        firstJ = std::max<int64_t>(firstJ, position.left + fw - pw);
        lastJ = std::min<int64_t>(lastJ, position.left + fw - 1);
    } else {
        firstJ = std::max<int64_t>(firstJ, -position.left);
        lastJ = std::min<int64_t>(lastJ, pw - 1 - position.left);
    }
    if (firstJ > lastJ) return;
    const int32_t opacity = position.opacity;
    const int32_t depthBase = position.depthBias + 4096;
    for (int32_t i = 0; i < fh; ++i) {
        const int64_t upward = position.bottom + (fh - 1 - i);
        if (upward < 0 || upward >= ph) continue;
        const auto top = static_cast<int32_t>(ph - 1 - upward);
        const uint8_t* pRow = frame.color->GetRow(i);
        const uint8_t* zRow = frame.depth->GetRow(i);
        const uint8_t* aRow = frame.alpha->GetRow(i);
        uint8_t* picture = target.picture->GetRow(top);
        uint16_t* depth = target.depth->GetRow(top);
        uint8_t* alpha = target.alpha->GetRow(top);
        for (int64_t j = firstJ; j <= lastJ; ++j) {
            const uint8_t z = zRow[j];
            if (z == 255) continue;
            const int64_t column = position.flipped ? position.left + fw - 1 - j : position.left + j;
            const auto d = static_cast<uint16_t>(z + depthBase);
            if (depth[column] < d) continue;
            int32_t a = aRow[j];
            if (opacity < 255) a = a * opacity / 255;
            uint8_t* px = picture + 3 * column;
            if (a == 255) {
                const PaletteColor& c = palette.GetEntry(pRow[j]);
                px[0] = c.blue;
                px[1] = c.green;
                px[2] = c.red;
                alpha[column] = 255;
            } else if (a > 0) {
                const PaletteColor& c = palette.GetEntry(pRow[j]);
                px[0] = static_cast<uint8_t>((a * c.blue + (255 - a) * px[0]) / 255);
                px[1] = static_cast<uint8_t>((a * c.green + (255 - a) * px[1]) / 255);
                px[2] = static_cast<uint8_t>((a * c.red + (255 - a) * px[2]) / 255);
                alpha[column] = std::max<uint8_t>(alpha[column], static_cast<uint8_t>(a));
            } else {
                alpha[column] = 0;
            }
            depth[column] = d;
        }
    }
}
