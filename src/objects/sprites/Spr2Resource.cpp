// Spr2Resource: bounds-checked lookup of SPR2 frames through the offset table or along the 1001 layout's frames.
#include "objects/sprites/Spr2Resource.h"

#include <algorithm>

#include "objects/sprites/SpriteFormat.h"

namespace {

// Steps over one frame of the 1001 layout, handing out its bytes; false when its lead or its bytes are not all
// there (the reader is then failed).
bool NextSequentialFrame(ByteReader& data, ByteReader& frame) {
    data.ReadInt32LE();  // the frame's version
    const int32_t size = data.ReadInt32LE();
    if (data.HasFailed() || size < 0) return false;
    frame = data.Slice(static_cast<size_t>(size));
    return !data.HasFailed();
}

}  // namespace

bool ReadSpr2Header(ByteReader data, Spr2Header& out) {
    out = Spr2Header{};
    const int32_t version = data.ReadInt32LE();
    const int32_t second = data.ReadInt32LE();
    const int32_t third = data.ReadInt32LE();
    if (data.HasFailed()) return false;
    out.version = version;
    out.sequential = version == kSpr2SequentialVersion;
    out.storedFrameCount = out.sequential ? third : second;
    out.paletteId = out.sequential ? second : third;
    const int32_t count = out.storedFrameCount;
    if (count <= 0) return true;
    if (out.sequential) {
        ByteReader frame;
        while (out.frameCount < count && NextSequentialFrame(data, frame)) ++out.frameCount;
    } else {
        const size_t tableRoom = data.GetRemaining() / 4;
        out.frameCount = static_cast<int32_t>(std::min<size_t>(static_cast<size_t>(count), tableRoom));
    }
    return true;
}

bool GetSpr2FrameBytes(ByteReader data, int32_t index, ByteReader& out) {
    out = ByteReader();
    Spr2Header header;
    if (!ReadSpr2Header(data, header) || index < 0 || index >= header.frameCount) return false;
    data.Seek(kSpr2HeaderSize);
    if (header.sequential) {
        // Below the usable count every frame up to `index` is complete.
        for (int32_t i = 0; i <= index; ++i) NextSequentialFrame(data, out);
        return !data.HasFailed();
    }
    data.Skip(4 * static_cast<size_t>(index));
    const int32_t offset = data.ReadInt32LE();
    if (data.HasFailed() || offset < 0 || !data.Seek(static_cast<size_t>(offset))) return false;
    out = data.Slice(data.GetRemaining());
    return true;
}

bool ReadSpr2Frame(ByteReader data, int32_t index, Spr2Frame& out) {
    out = Spr2Frame{};
    ByteReader bytes;
    if (!GetSpr2FrameBytes(data, index, bytes)) return false;
    out.width = bytes.ReadUInt16LE();
    out.height = bytes.ReadUInt16LE();
    out.flags = bytes.ReadUInt32LE();
    out.paletteId = bytes.ReadInt16LE();
    out.clearColor = bytes.ReadUInt16LE();
    out.y = bytes.ReadInt16LE();
    out.x = bytes.ReadInt16LE();
    if (bytes.HasFailed()) {
        out = Spr2Frame{};
        return false;
    }
    out.tokens = bytes.Slice(bytes.GetRemaining());
    return true;
}

int32_t GetSpr2FramePaletteId(const Spr2Header& header, const Spr2Frame& frame) {
    return frame.paletteId >= 0 ? frame.paletteId : header.paletteId;
}
