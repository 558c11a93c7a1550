// SprListResource: bounds-checked lookup of SPR# frames and the byte-order fix-up of stored big-endian data.
#include "objects/sprites/SprListResource.h"

#include <algorithm>
#include <vector>

#include "objects/sprites/SpriteFormat.h"
#include "platform/ByteWriter.h"

namespace {

size_t TableStart(int32_t version) { return IsDrawableSprListVersion(version) ? 12 : 8; }

}  // namespace

bool ReadSprListHeader(ByteReader data, SprListHeader& out) {
    out = SprListHeader{};
    const int32_t version = data.ReadInt32LE();
    const int32_t count = data.ReadInt32LE();
    int32_t paletteId = -1;
    const bool hasPaletteId = IsDrawableSprListVersion(version);
    if (hasPaletteId) paletteId = data.ReadInt32LE();
    if (data.HasFailed()) return false;
    out.version = version;
    out.storedFrameCount = count;
    out.hasPaletteId = hasPaletteId;
    out.paletteId = paletteId;
    const size_t tableRoom = data.GetRemaining() / 4;
    out.frameCount = count < 0 ? 0 : static_cast<int32_t>(std::min<size_t>(static_cast<size_t>(count), tableRoom));
    return true;
}

bool ReadSprListFrame(ByteReader data, int32_t index, SprListFrame& out) {
    out = SprListFrame{};
    SprListHeader header;
    if (!ReadSprListHeader(data, header) || index < 0 || index >= header.frameCount) return false;
    data.Seek(TableStart(header.version) + 4 * static_cast<size_t>(index));
    const int32_t offset = data.ReadInt32LE();
    if (data.HasFailed() || offset < 0 || !data.Seek(static_cast<size_t>(offset))) return false;
    out.y = data.ReadInt16LE();
    out.x = data.ReadInt16LE();
    out.height = data.ReadUInt16LE();
    out.width = data.ReadUInt16LE();
    data.Skip(2);
    if (data.HasFailed()) {
        out = SprListFrame{};
        return false;
    }
    out.commands = data.Slice(data.GetRemaining());
    return true;
}

void FixupSprList(uint8_t* data, int32_t size) {
    if (!data || size <= 0) return;
    const size_t n = static_cast<size_t>(size);
    ByteReader r(data, n);
    const uint32_t version = r.ReadUInt32BE();
    if (r.HasFailed()) return;
    PutUInt32LE(data, version);
    const uint32_t count = r.ReadUInt32BE();
    if (r.HasFailed()) return;
    PutUInt32LE(data + 4, count);
    if (IsDrawableSprListVersion(static_cast<int32_t>(version))) {
        const uint32_t paletteId = r.ReadUInt32BE();
        if (r.HasFailed()) return;
        PutUInt32LE(data + 8, paletteId);
    }
    const size_t tableStart = r.GetPosition();
    const size_t offsets = std::min<size_t>(static_cast<int32_t>(count) < 0 ? 0 : count, r.GetRemaining() / 4);
    std::vector<uint32_t> frames;
    frames.reserve(offsets);
    for (size_t i = 0; i < offsets; ++i) {
        const uint32_t offset = r.ReadUInt32BE();
        PutUInt32LE(data + tableStart + 4 * i, offset);
        frames.push_back(offset);
    }
    // Frames shared by several offsets must not be swapped back again.
    std::sort(frames.begin(), frames.end());
    frames.erase(std::unique(frames.begin(), frames.end()), frames.end());
    for (uint32_t offset : frames) {
        if (!r.Seek(offset)) return;  // offsets are sorted: the rest lie past the end too
        for (int w = 0; w < 4; ++w) {
            const uint16_t word = r.ReadUInt16BE();
            if (r.HasFailed()) return;
            PutUInt16LE(data + offset + 2 * w, word);
        }
    }
}
