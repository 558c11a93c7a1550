// Spr2Assembler: header, offset table and frame placement of SPR2 resources.
#include "objects/sprites/Spr2Assembler.h"

#include <cstring>
#include <limits>
#include <new>

#include "objects/sprites/SpriteFormat.h"
#include "platform/ByteWriter.h"

namespace {

}  // namespace

bool AssembleSpr2(int32_t paletteId, const std::vector<std::vector<uint8_t>>& frames, int64_t firstFrameOffset,
                  std::vector<uint8_t>& out) {
    out.clear();
    constexpr int64_t kLimit = std::numeric_limits<int32_t>::max();
    const int64_t count = static_cast<int64_t>(frames.size());
    const int64_t tableEnd = static_cast<int64_t>(kSpr2HeaderSize) + 4 * count;
    if (tableEnd > kLimit) return false;
    const int64_t first = (firstFrameOffset < 0 || count == 0) ? tableEnd : firstFrameOffset;
    if (first < tableEnd) return false;
    int64_t total = first;
    for (const auto& f : frames) {
        if (f.size() < kSpr2FrameHeaderSize) return false;
        total += static_cast<int64_t>(f.size());
        if (total > kLimit) return false;
    }
    try {
        out.assign(static_cast<size_t>(total), 0);
    } catch (const std::bad_alloc&) {
        out.clear();
        return false;
    }
    PutUInt32LE(&out[0], static_cast<uint32_t>(kSpr2Version));
    PutUInt32LE(&out[4], static_cast<uint32_t>(count));
    PutUInt32LE(&out[8], static_cast<uint32_t>(paletteId));
    size_t at = static_cast<size_t>(first);
    for (int64_t i = 0; i < count; ++i) {
        const auto& f = frames[static_cast<size_t>(i)];
        PutUInt32LE(&out[kSpr2HeaderSize + 4 * static_cast<size_t>(i)], static_cast<uint32_t>(at));
        std::memcpy(&out[at], f.data(), f.size());
        const auto framePalette = static_cast<uint16_t>(static_cast<int16_t>(paletteId));
        PutUInt16LE(&out[at + 8], framePalette);
        at += f.size();
    }
    return true;
}
