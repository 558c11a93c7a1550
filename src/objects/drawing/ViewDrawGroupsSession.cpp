// ViewDrawGroupsSession: states, tile opacities, item lines and the item store of the draw group viewer.
#include "objects/drawing/ViewDrawGroupsSession.h"

#include <cstdio>
#include <limits>

#include "app/ObjectFile.h"
#include "objects/definitions/EditObjectProperties.h"
#include "objects/drawing/Compositor.h"
#include "objects/drawing/DrawGroup.h"
#include "objects/sprites/FrameRenderer.h"
#include "platform/Bitmap24.h"
#include "resfile/StdResFile.h"
#include "resfile/iResFile.h"

int32_t DrawGroupViewIndex(int rotation, int zoomSlider) { return rotation - 4 * zoomSlider + 8; }

ViewDrawGroupsSession::ViewDrawGroupsSession(ObjectEntry& entry) : entry_(entry), definition_(entry.definition) {}

iResFile* ViewDrawGroupsSession::File() const {
    return entry_.owner && entry_.owner->file ? entry_.owner->file.get() : nullptr;
}

ResErr ViewDrawGroupsSession::Load() {
    iResFile* file = File();
    if (!file) return kErrNotOpen;
    ObjectDefinition loaded;
    ResErr err = LoadObjectDefinition(*file, entry_.id, loaded);
    if (err == kNoErr) definition_ = loaded;
    return err;
}

bool ViewDrawGroupsSession::IsWritable() const {
    iResFile* file = File();
    return file && file->IsWritable();
}

const ObjectDefinition& ViewDrawGroupsSession::DefinitionOf(const ObjectEntry& e) const {
    return &e == &entry_ ? definition_ : e.definition;
}

bool ViewDrawGroupsSession::GroupIdOf(const ObjectEntry& e, int32_t index, ResID& id) const {
    const int32_t value = int32_t{DefinitionOf(e).basegraphic} + index;
    if (value < std::numeric_limits<ResID>::min() || value > std::numeric_limits<ResID>::max()) return false;
    id = static_cast<ResID>(value);
    return true;
}

bool ViewDrawGroupsSession::IsMultiTile() const { return IsMultiTileLead(definition_) && !entry_.tiles.empty(); }

std::vector<std::string> ViewDrawGroupsSession::TileChoices() const {
    std::vector<std::string> choices;
    if (!IsMultiTile()) return choices;
    choices.push_back(kAllTilesChoice);
    for (const ObjectEntry* tile : entry_.tiles) choices.push_back(tile->name);
    return choices;
}

ObjectEntry* ViewDrawGroupsSession::StateOwner(int tileChoice) const {
    if (!IsMultiTile()) return &entry_;
    if (tileChoice >= 1 && static_cast<size_t>(tileChoice) <= entry_.tiles.size())
        return entry_.tiles[static_cast<size_t>(tileChoice) - 1];
    return entry_.tiles.front();
}

std::vector<std::string> ViewDrawGroupsSession::StateLines(int tileChoice) {
    std::vector<std::string> lines;
    iResFile* file = File();
    const ObjectEntry* owner = StateOwner(tileChoice);
    const int32_t count = DefinitionOf(*owner).numgraphics;
    for (int32_t i = 0; i < count; ++i) {
        const int32_t id = int32_t{DefinitionOf(*owner).basegraphic} + i;
        ResID resId = 0;
        std::string name;
        bool found = false;
        if (file && GroupIdOf(*owner, i, resId)) {
            if (DataHandle* h = file->GetResource(kTypeDGRP, resId, nullptr)) {
                file->GetName(h, name);
                file->ReleaseAndFree(h);
                found = true;
            }
        }
        lines.push_back("#" + std::to_string(id) + ": " + (found ? name : std::string("No resource found.")));
    }
    return lines;
}

ObjectEntry* ViewDrawGroupsSession::ApplyState(int state, int tileChoice) {
    auto indexFor = [&](const ObjectEntry& e) { return state < DefinitionOf(e).numgraphics ? state : 0; };
    if (!IsMultiTile()) {
        entry_.drawGroupIndex = indexFor(entry_);
        entry_.opacity = kFullTileOpacity;
        return &entry_;
    }
    const bool allTiles = tileChoice < 1 || static_cast<size_t>(tileChoice) > entry_.tiles.size();
    ObjectEntry* chosen = allTiles ? nullptr : entry_.tiles[static_cast<size_t>(tileChoice) - 1];
    for (ObjectEntry* tile : entry_.tiles) {
        if (allTiles || tile == chosen) tile->drawGroupIndex = indexFor(*tile);
        tile->opacity = allTiles || tile == chosen ? kFullTileOpacity : kDimmedTileOpacity;
    }
    return chosen;
}

std::unique_ptr<Bitmap24> ViewDrawGroupsSession::Compose(int32_t view, bool whiteBackground) {
    badTokens_.clear();
    iResFile* file = File();
    if (!file) return nullptr;
    return ComposeObject(*file, entry_, view, whiteBackground ? kWhite : kBlack, nullptr, &badTokens_);
}

std::string ViewDrawGroupsSession::BadTokenText() const {
    if (badTokens_.empty()) return std::string();
    std::string text = std::string(kBadTokenText) + " in ";
    for (size_t i = 0; i < badTokens_.size(); ++i)
        text += (i ? ", sprite " : "sprite ") + std::to_string(badTokens_[i].spriteId) + " frame " +
                std::to_string(badTokens_[i].frame);
    return text + ": drawn only up to it";
}

DrawGroupItemListing ViewDrawGroupsSession::ListItems(const ObjectEntry& tile, int32_t view) {
    DrawGroupItemListing listing;
    listing.header = kDrawGroupItemsHeader;
    iResFile* file = File();
    ResID id = 0;
    if (!file || !GroupIdOf(tile, tile.drawGroupIndex, id)) return listing;
    DrawGroup group;
    if (group.Load(*file, id) != kNoErr) return listing;
    const DrawGroupItemList* list = group.GetItemList(view);
    if (!list) return listing;
    listing.found = true;
    listing.groupId = id;
    listing.header = "Draw Group ID " + std::to_string(id) + ", Frame " + std::to_string(view) + ", Items:";
    char line[128];
    for (const DrawGroupItem& item : list->Items()) {
        std::snprintf(line, sizeof line, "sprite %d num %d offset (%d,%d)%s", item.spriteid, item.spritenum,
                      item.pixelx, item.pixely, item.IsFlipped() ? " flipped" : "");
        listing.lines.push_back(line);
        listing.items.push_back(item);
    }
    return listing;
}

ResErr ViewDrawGroupsSession::StoreItem(const ObjectEntry& tile, int32_t view, int index, std::string_view xText,
                                        std::string_view yText, bool flipped) {
    iResFile* file = File();
    if (!file) return kErrNotOpen;
    if (!file->IsWritable()) return kErrNotWritable;
    ResID id = 0;
    if (!GroupIdOf(tile, tile.drawGroupIndex, id)) return kErrNotFound;
    DrawGroup group;
    if (ResErr err = group.Load(*file, id)) return err;
    DrawGroupItem* item = group.GetItem(view, index);
    if (!item) return kErrNotFound;
    item->pixelx = ParseLeadingDecimal(xText);
    item->pixely = ParseLeadingDecimal(yText);
    item->flags = flipped ? kDrawGroupItemFlipped : 0;
    return group.Save(*file, id);
}
