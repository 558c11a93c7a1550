// Spr2Resource: bounds-checked lookup of SPR2 frames through their offset table.
#include "objects/Spr2Resource.h"

#include <algorithm>

#include "objects/SpriteFormat.h"

bool ReadSpr2Header(ByteReader data, Spr2Header& out) {
    out = Spr2Header{};
    const int32_t version = data.ReadInt32LE();
    const int32_t count = data.ReadInt32LE();
    const int32_t paletteId = data.ReadInt32LE();
    if (data.HasFailed()) return false;
    out.version = version;
    out.storedFrameCount = count;
    out.paletteId = paletteId;
    const size_t tableRoom = data.GetRemaining() / 4;
    out.frameCount = count < 0 ? 0 : static_cast<int32_t>(std::min<size_t>(static_cast<size_t>(count), tableRoom));
    return true;
}

bool ReadSpr2Frame(ByteReader data, int32_t index, Spr2Frame& out) {
    out = Spr2Frame{};
    Spr2Header header;
    if (!ReadSpr2Header(data, header) || index < 0 || index >= header.frameCount) return false;
    data.Seek(kSpr2HeaderSize + 4 * static_cast<size_t>(index));
    const int32_t offset = data.ReadInt32LE();
    if (data.HasFailed() || offset < 0 || !data.Seek(static_cast<size_t>(offset))) return false;
    out.width = data.ReadUInt16LE();
    out.height = data.ReadUInt16LE();
    out.flags = data.ReadUInt32LE();
    out.paletteId = data.ReadInt16LE();
    out.clearColor = data.ReadUInt16LE();
    out.y = data.ReadInt16LE();
    out.x = data.ReadInt16LE();
    if (data.HasFailed()) {
        out = Spr2Frame{};
        return false;
    }
    out.tokens = data.Slice(data.GetRemaining());
    return true;
}

int32_t GetSpr2FramePaletteId(const Spr2Header& header, const Spr2Frame& frame) {
    return frame.paletteId >= 0 ? frame.paletteId : header.paletteId;
}
