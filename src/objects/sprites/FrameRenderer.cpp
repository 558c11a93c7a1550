// FrameRenderer: sprite lookup, palette and transparent index choice, and decoding into channel bitmaps.
#include "objects/sprites/FrameRenderer.h"

#include <climits>
#include <optional>

#include "objects/palettes/PalWrap.h"
#include "objects/palettes/SharedPalettes.h"
#include "objects/sprites/Spr2Decoder.h"
#include "objects/sprites/Spr2Resource.h"
#include "objects/sprites/SprListDecoder.h"
#include "objects/sprites/SprListResource.h"
#include "objects/sprites/SpriteSource.h"
#include "resfile/iResFile.h"

namespace {

// The frame found, of either sprite type.
struct FoundFrame {
    std::optional<Spr2Frame> spr2;
    std::optional<SprListFrame> sprList;
    int16_t x = 0;
    int16_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t paletteId = 0;
    int32_t index = 0;
};

// A frame index not below the count, or negative, is frame 0.
int32_t UsableIndex(int32_t index, int32_t count) { return (index < 0 || index >= count) ? 0 : index; }

bool FindSprListFrame(const DataHandle& h, int32_t index, FoundFrame& out) {
    const ByteReader data(h.Data(), h.bytes.size());
    SprListHeader header;
    if (!ReadSprListHeader(data, header) || !IsDrawableSprListVersion(header.version)) return false;
    SprListFrame frame;
    out.index = UsableIndex(index, header.frameCount);
    if (!ReadSprListFrame(data, out.index, frame)) return false;
    out.x = frame.x;
    out.y = frame.y;
    out.width = frame.IsEmpty() ? 0 : frame.width;
    out.height = frame.IsEmpty() ? 0 : frame.height;
    out.paletteId = header.paletteId;
    out.sprList = frame;
    return true;
}

bool FindSpr2Frame(const DataHandle& h, int32_t index, FoundFrame& out) {
    const ByteReader data(h.Data(), h.bytes.size());
    Spr2Header header;
    if (!ReadSpr2Header(data, header)) return false;
    Spr2Frame frame;
    out.index = UsableIndex(index, header.frameCount);
    if (!ReadSpr2Frame(data, out.index, frame)) return false;
    out.x = frame.x;
    out.y = frame.y;
    const bool nothing = frame.IsEmpty() || frame.IsDegenerate();
    out.width = nothing ? 0 : frame.width;
    out.height = nothing ? 0 : frame.height;
    out.paletteId = GetSpr2FramePaletteId(header, frame);
    out.spr2 = frame;
    return true;
}

std::unique_ptr<Bitmap8> MakeChannel(bool wanted, int32_t width, int32_t height, const PalWrap& palette) {
    if (!wanted) return nullptr;
    RgbQuad table[256];
    palette.GetColorTable(table);
    return Bitmap8::Create(width, height, table);
}

ChannelView ViewOrNone(const std::unique_ptr<Bitmap8>& b) { return b ? ViewOf(*b) : ChannelView{}; }

}  // namespace

uint32_t RenderSpriteFrame(iResFile& file, ResID spriteId, int32_t frameIndex, const FrameRenderRequest& request,
                           RenderedFrame& out) {
    SpriteSource sprite(file, spriteId);
    return RenderSpriteFrame(sprite, frameIndex, request, out);
}

uint32_t RenderSpriteFrame(SpriteSource& sprite, int32_t frameIndex, const FrameRenderRequest& request,
                           RenderedFrame& out) {
    out = RenderedFrame{};
    out.transparentIndex = request.transparentIndex;
    const DataHandle* h = sprite.GetData();
    FoundFrame found;
    const bool ok = h && (sprite.GetType() == kTypeSPRList ? FindSprListFrame(*h, frameIndex, found)
                                                           : FindSpr2Frame(*h, frameIndex, found));
    if (!ok) return kFrameRendered;
    if (int64_t{found.width} * found.height > kMaxRenderedFramePixels) found.width = found.height = 0;
    out.originX = found.x;
    out.originY = found.y;
    out.width = found.width;
    out.height = found.height;
    out.paletteId = found.paletteId;
    out.frameIndex = found.index;

    uint8_t transparent = 255;
    if (request.palette) {
        sprite.LoadPalette(found.paletteId, *request.palette);
        if (request.transparentIndex != -1) {
            transparent = static_cast<uint8_t>(request.transparentIndex);
        } else {
            transparent = request.palette->NearestColor(request.background.red, request.background.green,
                                                        request.background.blue);
        }
    }
    out.transparentIndex = transparent;

    uint32_t result = kFrameRendered;
    const bool anyBitmap = request.wantColor || request.wantDepth || request.wantAlpha;
    if (anyBitmap || request.histogram) {
        // A frame reported as 0 x 0 is decoded as 1 x 1.
        const int32_t w = found.width > 0 ? found.width : 1;
        const int32_t hgt = found.height > 0 ? found.height : 1;
        const PalWrap& colors = request.palette ? *request.palette : GetDefaultPalette();
        out.color = MakeChannel(request.wantColor, w, hgt, colors);
        out.depth = MakeChannel(request.wantDepth, w, hgt, GetGreyPalette());
        out.alpha = MakeChannel(request.wantAlpha, w, hgt, GetGreyPalette());
        SpriteChannels channels{ViewOrNone(out.color), ViewOrNone(out.depth), ViewOrNone(out.alpha),
                                request.histogram};
        // The decoders bound every write by the channels' sizes, so an oversized frame only fills its 1 x 1.
        const SpriteDecodeResult decoded = found.spr2 ? DecodeSpr2Frame(*found.spr2, channels, transparent)
                                                      : DecodeSprListFrame(*found.sprList, channels, transparent);
        out.badToken = decoded == SpriteDecodeResult::kBadToken;
        if (out.color) result |= kFrameHasColor;
        if (out.depth) result |= kFrameHasDepth;
        if (out.alpha) result |= kFrameHasAlpha;
    }
    return result;
}
