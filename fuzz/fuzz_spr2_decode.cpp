// fuzz_spr2_decode: decodes every frame of an arbitrary SPR2 resource (either stored layout), then re-encodes it and
// decodes it again from both layouts.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "objects/sprites/Spr2Decoder.h"
#include "objects/sprites/Spr2Encoder.h"
#include "objects/sprites/Spr2Resource.h"
#include "platform/Bitmap8.h"

namespace {

constexpr int32_t kMaxFrames = 16;
constexpr int32_t kMaxSide = 256;  // larger frames decode into images of this size: the cut must hold

struct Channels {
    std::unique_ptr<Bitmap8> p, z, a;
    Channels(int32_t w, int32_t h)
        : p(Bitmap8::Create(w, h, nullptr)), z(Bitmap8::Create(w, h, nullptr)), a(Bitmap8::Create(w, h, nullptr)) {}
    bool Ok() const { return p && z && a; }
    SpriteChannels Out(uint32_t* histogram) { return {ViewOf(*p), ViewOf(*z), ViewOf(*a), histogram}; }
};

// The one frame of `sprite` must read back whole and keep the depth of `first`, and the colour of every pixel that
// is not empty.
void CheckDecodesAgain(const std::vector<uint8_t>& sprite, const Channels& first, int32_t w, int32_t h) {
    Spr2Frame again;
    if (!ReadSpr2Frame(ByteReader(sprite.data(), sprite.size()), 0, again)) std::abort();
    Channels second(w, h);
    if (!second.Ok()) return;
    DecodeSpr2Frame(again, second.Out(nullptr), 3);
    for (int32_t row = 0; row < h; ++row) {
        const uint8_t* z1 = first.z->GetRow(row);
        if (std::memcmp(z1, second.z->GetRow(row), static_cast<size_t>(w)) != 0) std::abort();
        for (int32_t c = 0; c < w; ++c) {
            if (z1[c] != 255 && first.p->GetRow(row)[c] != second.p->GetRow(row)[c]) std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ByteReader resource(data, size);
    Spr2Header header;
    if (!ReadSpr2Header(resource, header)) return 0;
    uint32_t histogram[256] = {};
    static std::vector<uint8_t> encoded;  // reused: the encoder reserves 1 MB on first use
    for (int32_t i = 0; i < std::min(header.frameCount, kMaxFrames); ++i) {
        Spr2Frame frame;
        if (!ReadSpr2Frame(resource, i, frame)) continue;
        const int32_t w = std::clamp<int32_t>(frame.width, 1, kMaxSide);
        const int32_t h = std::clamp<int32_t>(frame.height, 1, kMaxSide);
        Channels first(w, h);
        if (!first.Ok()) continue;
        DecodeSpr2Frame(frame, first.Out(histogram), 3);
        if (w != frame.width || h != frame.height) continue;

        // What was decoded encodes again (unless a row is too long to store).
        const Rect all{0, 0, static_cast<int16_t>(h), static_cast<int16_t>(w)};
        const Spr2EncodeResult r =
            EncodeSpr2Frame(ViewOf(*first.p), ViewOf(*first.z), ViewOf(*first.a), all, Point{0, 0}, 5, encoded);
        if (r == Spr2EncodeResult::kBadArguments) std::abort();
        if (r != Spr2EncodeResult::kOk) continue;
        // The frame again, in a sprite of each layout: version 1000 with one offset, and version 1001 with the
        // frame's size before it.
        std::vector<uint8_t> table(16, 0);
        table[0] = 0xE8, table[1] = 0x03, table[4] = 1, table[12] = 16;  // version 1000, one frame at offset 16
        table.insert(table.end(), encoded.begin(), encoded.end());
        std::vector<uint8_t> sequential(20, 0);
        const auto bytes = static_cast<uint32_t>(encoded.size());
        sequential[0] = 0xE9, sequential[1] = 0x03, sequential[8] = 1;  // version 1001, palette 0, one frame
        sequential[12] = 0xE9, sequential[13] = 0x03;                    // the frame's version, then its size
        for (int b = 0; b < 4; ++b) sequential[16 + b] = static_cast<uint8_t>(bytes >> (8 * b));
        sequential.insert(sequential.end(), encoded.begin(), encoded.end());
        CheckDecodesAgain(table, first, w, h);
        CheckDecodesAgain(sequential, first, w, h);
    }
    return 0;
}
