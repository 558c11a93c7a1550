// SpriteFrameCount: frame count lookup and frame survey over the two sprite resource types.
#include "objects/SpriteFrameCount.h"

#include "objects/Spr2Resource.h"
#include "objects/SprListResource.h"

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
    if (DataHandle* h = file.GetResource(kTypeSPRList, spriteId, FixupSprList)) {
        SprListHeader header;
        const bool ok = ReadSprListHeader(ByteReader(h->Data(), h->bytes.size()), header);
        file.ReleaseAndFree(h);
        return ok ? header.frameCount : 0;
    }
    if (DataHandle* h = file.GetResource(kTypeSPR2, spriteId, nullptr)) {
        Spr2Header header;
        const bool ok = ReadSpr2Header(ByteReader(h->Data(), h->bytes.size()), header);
        file.ReleaseAndFree(h);
        return ok ? header.frameCount : 0;
    }
    return 0;
}

SpriteFrameSurvey SurveySpriteFrames(iResFile& file, ResID spriteId, ResType type) {
    SpriteFrameSurvey out;
    for (ResType t : {kTypeSPRList, kTypeSPR2}) {
        if (type != 0 && type != t) continue;
        DataHandle* h = file.GetResource(t, spriteId, t == kTypeSPRList ? FixupSprList : nullptr);
        if (!h) continue;
        out.type = t;
        const ByteReader data(h->Data(), h->bytes.size());
        if (t == kTypeSPRList)
            SurveySprList(data, out);
        else
            SurveySpr2(data, out);
        file.ReleaseAndFree(h);
        break;
    }
    return out;
}
