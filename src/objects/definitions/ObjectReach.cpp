// ObjectReach: the walk from an object definition to its wall sprites, draw groups and their sprites.
#include "objects/definitions/ObjectReach.h"

#include "objects/drawing/DrawGroup.h"

namespace {

constexpr int16_t kCustomWallStyle = 22;
constexpr int kCustomWallStyleSprites = 6;

}  // namespace

void VisitObjectReach(iResFile& file, const ObjectDefinition& def,
                      const std::function<bool(int32_t drawGroupId)>& enterDrawGroup,
                      const std::function<void(int32_t spriteId)>& sprite) {
    if (def.wallstyle == kCustomWallStyle)
        for (int k = 0; k < kCustomWallStyleSprites; ++k) sprite(int32_t{def.customwallstyleid} + k);
    for (int32_t k = 0; k < def.numgraphics; ++k) {
        const int32_t id = int32_t{def.basegraphic} + k;
        if (!enterDrawGroup(id)) continue;
        DrawGroup group;
        if (id < INT16_MIN || id > INT16_MAX || group.Load(file, static_cast<ResID>(id)) != kNoErr) continue;
        for (int32_t l = 0; l < group.CountItemLists(); ++l)
            for (const DrawGroupItem& item : group.GetItemList(l)->Items()) sprite(item.spriteid);
    }
}
