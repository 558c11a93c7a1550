// SpriteChannels: filling channel images and bounding what a decoder may write.
#include "objects/sprites/SpriteChannels.h"

#include <algorithm>
#include <cstring>

#include "objects/sprites/SpriteFormat.h"

namespace {

void FillView(const ChannelView& v, uint8_t value) {
    if (!v.IsPresent()) return;
    for (int32_t r = 0; r < v.height; ++r) std::memset(v.Row(r), value, static_cast<size_t>(v.width));
}

}  // namespace

void FillSpriteChannels(const SpriteChannels& out, uint8_t background) {
    FillView(out.p, background);
    FillView(out.z, kEmptyDepth);
    FillView(out.a, 0);
}

void GetSpriteWriteLimits(const SpriteChannels& out, int32_t frameWidth, int32_t frameHeight, int32_t& width,
                          int32_t& height) {
    width = std::max(frameWidth, 0);
    height = std::max(frameHeight, 0);
    for (const ChannelView* v : {&out.p, &out.z, &out.a}) {
        if (!v->top) continue;
        width = std::min(width, std::max(v->width, 0));
        height = std::min(height, std::max(v->height, 0));
    }
}
