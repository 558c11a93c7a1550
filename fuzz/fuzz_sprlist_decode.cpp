// fuzz_sprlist_decode: fixes up an arbitrary SPR# resource in place and decodes every frame of it.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "objects/sprites/SprListDecoder.h"
#include "objects/sprites/SprListResource.h"
#include "platform/Bitmap8.h"

namespace {

constexpr int32_t kMaxFrames = 16;
constexpr int32_t kMaxSide = 256;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The fix-up works in place on a block of exactly the input's size, as the loader hands it over. Stored
    // big-endian data starts with the version's high byte, 0; data already in host order does not.
    std::vector<uint8_t> block(data, data + size);
    if (size > 0 && data[0] == 0) FixupSprList(block.data(), static_cast<int32_t>(block.size()));
    const ByteReader resource(block.data(), block.size());
    SprListHeader header;
    if (!ReadSprListHeader(resource, header)) return 0;
    uint32_t histogram[256] = {};
    for (int32_t i = 0; i < std::min(header.frameCount, kMaxFrames); ++i) {
        SprListFrame frame;
        if (!ReadSprListFrame(resource, i, frame)) continue;
        const int32_t w = std::clamp<int32_t>(frame.width, 1, kMaxSide);
        const int32_t h = std::clamp<int32_t>(frame.height, 1, kMaxSide);
        auto p = Bitmap8::Create(w, h, nullptr);
        auto z = Bitmap8::Create(w, h, nullptr);
        auto a = Bitmap8::Create(w, h, nullptr);
        if (!p || !z || !a) continue;
        DecodeSprListFrame(frame, {ViewOf(*p), ViewOf(*z), ViewOf(*a), histogram}, 0);
        // Histogram-only decoding, as the renderer asks for colour counts without images.
        SpriteChannels counts;
        counts.histogram = histogram;
        DecodeSprListFrame(frame, counts, 0);
    }
    return 0;
}
