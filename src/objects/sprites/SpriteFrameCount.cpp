// SpriteFrameCount: frame count lookup and frame survey over the two sprite resource types.
#include "objects/sprites/SpriteFrameCount.h"

#include "objects/sprites/Spr2Resource.h"
#include "objects/sprites/SprListResource.h"
#include "objects/sprites/SpriteSource.h"

namespace {

void SurveySprList(const ByteReader& data, SpriteFrameSurvey& out) {
    SprListHeader header;
    if (!ReadSprListHeader(data, header)) return;
    out.version = header.version;
    out.storedFrames = header.storedFrameCount;
    out.readable = IsDrawableSprListVersion(header.version);
    for (int32_t i = 0; i < header.frameCount; ++i) {
        SprListFrame frame;
        if (!ReadSprListFrame(data, i, frame)) continue;
        ++out.locatedFrames;
        if (!frame.IsEmpty()) ++out.drawnFrames;
    }
}

void SurveySpr2(const ByteReader& data, SpriteFrameSurvey& out) {
    Spr2Header header;
    if (!ReadSpr2Header(data, header)) return;
    out.version = header.version;
    out.storedFrames = header.storedFrameCount;
    out.readable = true;
    for (int32_t i = 0; i < header.frameCount; ++i) {
        Spr2Frame frame;
        if (!ReadSpr2Frame(data, i, frame)) continue;
        ++out.locatedFrames;
        if (!frame.IsEmpty() && !frame.IsDegenerate()) ++out.drawnFrames;
    }
}

}  // namespace

int32_t CountSpriteFrames(iResFile& file, ResID spriteId) {
    SpriteSource sprite(file, spriteId);
    return CountSpriteFrames(sprite);
}

int32_t CountSpriteFrames(const SpriteSource& sprite) {
    const DataHandle* h = sprite.GetData();
    if (!h) return 0;
    const ByteReader data(h->Data(), h->bytes.size());
    if (sprite.GetType() == kTypeSPRList) {
        SprListHeader header;
        return ReadSprListHeader(data, header) ? header.frameCount : 0;
    }
    Spr2Header header;
    return ReadSpr2Header(data, header) ? header.frameCount : 0;
}

SpriteFrameSurvey SurveySpriteFrames(iResFile& file, ResID spriteId, ResType type) {
    SpriteSource sprite(file, spriteId, type);
    return SurveySpriteFrames(sprite);
}

SpriteFrameSurvey SurveySpriteFrames(const SpriteSource& sprite) {
    SpriteFrameSurvey out;
    const DataHandle* h = sprite.GetData();
    if (!h) return out;
    out.type = sprite.GetType();
    const ByteReader data(h->Data(), h->bytes.size());
    if (out.type == kTypeSPRList)
        SurveySprList(data, out);
    else
        SurveySpr2(data, out);
    return out;
}
