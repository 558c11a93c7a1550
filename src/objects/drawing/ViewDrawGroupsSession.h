// ViewDrawGroupsSession: the operations behind the draw group viewer: graphical states, tiles, views, the items of
// a view, and storing a moved or mirrored item.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "objects/definitions/ObjectDefinition.h"
#include "objects/drawing/Compositor.h"
#include "objects/drawing/DrawGroupItem.h"
#include "resfile/ResErrors.h"
#include "resfile/ResTypes.h"

class Bitmap24;
class iResFile;
struct ObjectEntry;

constexpr const char* kSingleTileLabel = "Single Tile Object";
constexpr const char* kMultiTileLabel = "Multi Tile Object:";
constexpr const char* kAllTilesChoice = "All Tiles";
constexpr const char* kDrawGroupItemsHeader = "Draw Group Items:";
// The opacity of the tiles that are not the chosen one.
constexpr uint8_t kDimmedTileOpacity = 127;
constexpr uint8_t kFullTileOpacity = 255;

// The view a rotation (0 ... 3) and a zoom slider position (0 largest ... 2 smallest) show: rotation + 4 x
// (2 - zoom slider), so the opening position (rotation 2, zoom slider 0) shows view 10.
int32_t DrawGroupViewIndex(int rotation, int zoomSlider);

// The items of one view of one tile's current draw group, as the viewer lists them.
struct DrawGroupItemListing {
    bool found = false;  // the draw group exists and has the view
    ResID groupId = 0;
    std::string header;              // "Draw Group ID %d, Frame %d, Items:" (or kDrawGroupItemsHeader)
    std::vector<std::string> lines;  // "sprite %d num %d offset (%d,%d)%s", " flipped" for a mirrored item
    std::vector<DrawGroupItem> items;
};

// One object entry of the catalogue shown in the viewer. Tile choices: 0 is "All Tiles", k (1 ... tiles) the
// k-th tile of a multi-tile lead; a single-tile object ignores the choice. The session changes the entries'
// draw group index and opacity (the compositor reads them) and nothing else of the catalogue.
class ViewDrawGroupsSession {
public:
    explicit ViewDrawGroupsSession(ObjectEntry& entry);

    // Loads and normalises the object's record. Returns 0, or the file's error (the catalogue's copy of the
    // record is used then).
    ResErr Load();
    // True for a multi-tile lead with at least one tile.
    bool IsMultiTile() const;
    // "All Tiles" followed by the names of the tiles, in catalogue order; empty for a single-tile object.
    std::vector<std::string> TileChoices() const;
    // The entry whose states are listed: the chosen tile, the first tile for "All Tiles", or the object itself.
    ObjectEntry* StateOwner(int tileChoice) const;
    // "#%d: %s" (draw group id, resource name) for each of the owner's graphics, "#%d: No resource found." for a
    // draw group that does not exist.
    std::vector<std::string> StateLines(int tileChoice);
    // Gives every shown entry its draw group index for state `state` (0 when the state is not below its
    // numgraphics) and its opacity: with a tile chosen, that tile full and the others dimmed; for "All Tiles"
    // every tile full. Returns the entry whose items are listed: the chosen tile, the object itself for a
    // single-tile object, null for "All Tiles".
    ObjectEntry* ApplyState(int state, int tileChoice);
    // Composes view `view` over a white or black background; null when there is nothing to show.
    std::unique_ptr<Bitmap24> Compose(int32_t view, bool whiteBackground);
    // What the last Compose drew only in part: "bad token in sprite %d frame %d[, sprite %d frame %d ...]: drawn
    // only up to it", or empty when every frame decoded to its end.
    std::string BadTokenText() const;
    // The items of list `view` of the tile's draw group basegraphic + its draw group index.
    DrawGroupItemListing ListItems(const ObjectEntry& tile, int32_t view);
    // Reloads that draw group, sets item `index` of list `view` to the leading decimal numbers of the two texts
    // and its flags to 1 (mirrored) or 0, and saves the group under the same id. Returns 0; kErrNotWritable
    // (nothing written) on a read-only file; kErrNotFound when the group, the view or the item does not exist;
    // or the file's error from loading or saving.
    ResErr StoreItem(const ObjectEntry& tile, int32_t view, int index, std::string_view xText, std::string_view yText,
                     bool flipped);

    bool IsWritable() const;
    ObjectEntry& Entry() const { return entry_; }
    const ObjectDefinition& Definition() const { return definition_; }

private:
    const ObjectDefinition& DefinitionOf(const ObjectEntry& e) const;
    iResFile* File() const;
    // The draw group id basegraphic + index of an entry; false when it is not a resource id.
    bool GroupIdOf(const ObjectEntry& e, int32_t index, ResID& id) const;

    ObjectEntry& entry_;
    ObjectDefinition definition_;
    std::vector<BadTokenFrame> badTokens_;
};
