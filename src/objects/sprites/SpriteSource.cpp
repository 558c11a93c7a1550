// SpriteSource: fetching a sprite and its palettes once, and giving them back when done.
#include "objects/sprites/SpriteSource.h"

#include <climits>

#include "objects/palettes/PalWrap.h"
#include "objects/palettes/SharedPalettes.h"
#include "objects/sprites/SprListResource.h"
#include "platform/GreyRamp.h"
#include "resfile/iResFile.h"

SpriteSource::SpriteSource(iResFile& file, ResID spriteId, ResType onlyType) : file_(file), id_(spriteId) {
    // An SPR# shadows an SPR2 of the same id, even when it is too old to be drawn.
    for (ResType t : {kTypeSPRList, kTypeSPR2}) {
        if (onlyType != 0 && onlyType != t) continue;
        if ((data_ = file.GetResource(t, spriteId, t == kTypeSPRList ? FixupSprList : nullptr)) != nullptr) {
            type_ = t;
            break;
        }
    }
}

SpriteSource::~SpriteSource() {
    if (data_) file_.ReleaseAndFree(data_);
}

void SpriteSource::LoadPalette(int32_t paletteId, PalWrap& out) {
    auto it = palettes_.find(paletteId);
    if (it == palettes_.end()) {
        std::vector<uint8_t> bytes;
        if (paletteId >= SHRT_MIN && paletteId <= SHRT_MAX)
            if (DataHandle* h = file_.GetResource(kTypePALT, static_cast<ResID>(paletteId), nullptr)) {
                bytes = h->bytes;
                file_.ReleaseAndFree(h);
            }
        it = palettes_.emplace(paletteId, std::move(bytes)).first;
    }
    if (!it->second.empty()) {
        out.LoadPALT(it->second.data(), it->second.size());
        if (out.GetColorCount() > 0) return;
    }
    PaletteColor ramp[256];
    FillGreyRamp(ramp);
    out.BuildFromColors(ramp, true);
}
