// SpriteFrameCount: frame count lookup over the two sprite resource types.
#include "objects/SpriteFrameCount.h"

#include "objects/Spr2Resource.h"
#include "objects/SprListResource.h"

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
