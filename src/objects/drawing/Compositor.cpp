// Compositor: tiles and their draw groups, the measuring pass, the background, and the farthest-first drawing pass.
#include "objects/drawing/Compositor.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <new>
#include <vector>

#include "app/ObjectFile.h"
#include "objects/drawing/DrawGroup.h"
#include "objects/drawing/FloorGrid.h"
#include "objects/drawing/FrameBlend.h"
#include "objects/palettes/PalWrap.h"
#include "objects/palettes/SharedPalettes.h"
#include "objects/sprites/FrameRenderer.h"
#include "objects/sprites/SpriteSource.h"
#include "platform/Bitmap16.h"
#include "resfile/StdResFile.h"
#include "resfile/iResFile.h"

namespace {

// One tile with its placement and the item list it draws (null when it contributes nothing).
struct Tile {
    ObjectEntry* entry = nullptr;
    TilePlacement placement;
    DrawGroup group;
    const DrawGroupItemList* items = nullptr;
};

bool IsDynamicSprite(const ObjectDefinition& def, int32_t spriteId) {
    return def.numdynsprites > 0 && spriteId >= def.dynspritebaseid &&
           spriteId < int32_t{def.dynspritebaseid} + def.numdynsprites;
}

// The item's pixely moved by its zoffset: one unit of zoffset lifts the frame 20 rows (truncated toward zero).
// Offsets that are not finite lift nothing.
int64_t ItemRise(const DrawGroupItem& item) {
    int64_t py = item.pixely;
    if (item.zoffset != 0.0f && std::isfinite(item.zoffset)) {
        const double lift = std::clamp(static_cast<double>(item.zoffset) * -20.0, -1e9, 1e9);
        py += static_cast<int64_t>(lift);
    }
    return py;
}

// Sprite ids of items are 32-bit; resources are named by 16-bit ids.
bool ToResID(int32_t id, ResID& out) {
    if (id < SHRT_MIN || id > SHRT_MAX) return false;
    out = static_cast<ResID>(id);
    return true;
}

void LoadTile(iResFile& file, Tile& tile, int32_t view, int rotation, int zoomLevel, bool multiTile) {
    const ObjectDefinition& def = tile.entry->definition;
    tile.placement = multiTile ? PlaceTile(def, rotation, zoomLevel) : TilePlacement{};
    tile.entry->depthKey = tile.placement.depth;
    const int32_t g = tile.entry->drawGroupIndex;
    if (g < 0 || g >= def.numgraphics) return;
    ResID groupId = 0;
    if (!ToResID(int32_t{def.basegraphic} + g, groupId)) return;
    if (tile.group.Load(file, groupId) != kNoErr) return;
    tile.items = tile.group.GetItemList(view);
}

struct Bounds {
    int64_t minX = INT64_MAX, minY = INT64_MAX, maxX = INT64_MIN, maxY = INT64_MIN;
    bool IsEmpty() const { return minX > maxX; }
    void Add(int64_t x, int64_t y, int64_t w, int64_t h) {
        minX = std::min(minX, x);
        minY = std::min(minY, y);
        maxX = std::max(maxX, x + w);
        maxY = std::max(maxY, y + h);
    }
};

// Runs through the items a tile draws, giving each item's frame left column and bottom row (upward) before the
// picture's translation.
template <class Fn>
void ForEachItem(const Tile& tile, Fn&& fn) {
    if (!tile.items) return;
    for (const DrawGroupItem& item : tile.items->Items()) {
        if (IsDynamicSprite(tile.entry->definition, item.spriteid)) continue;
        ResID spriteId = 0;
        if (!ToResID(item.spriteid, spriteId)) continue;  // no such sprite: contributes nothing
        const int64_t x = int64_t{item.pixelx} + tile.placement.x;
        const int64_t y = -ItemRise(item) - tile.placement.y;
        fn(item, spriteId, x, y);
    }
}

}  // namespace

std::unique_ptr<Bitmap24> ComposeObject(iResFile& file, ObjectEntry& entry, int32_t view, RgbColor background,
                                        std::unique_ptr<Bitmap8>* alphaOut, std::vector<BadTokenFrame>* badTokens) {
    if (alphaOut) alphaOut->reset();
    if (badTokens) badTokens->clear();
    if (view < 0 || view >= kViewCount) return nullptr;
    const int rotation = view % kRotationCount;
    const int zoomLevel = view / kRotationCount;
    try {
        const bool multiTile = IsMultiTileLead(entry.definition);
        std::vector<Tile> tiles;
        if (multiTile) {
            tiles.resize(entry.tiles.size());
            for (size_t i = 0; i < entry.tiles.size(); ++i) tiles[i].entry = entry.tiles[i];
        } else {
            tiles.resize(1);
            tiles[0].entry = &entry;
        }
        for (Tile& tile : tiles) LoadTile(file, tile, view, rotation, zoomLevel, multiTile);
        // Each sprite is fetched once for both passes, however many items draw its frames.
        std::map<ResID, std::unique_ptr<SpriteSource>> sprites;
        auto spriteOf = [&](ResID id) -> SpriteSource& {
            std::unique_ptr<SpriteSource>& held = sprites[id];
            if (!held) held = std::make_unique<SpriteSource>(file, id);
            return *held;
        };

        // Measuring pass: only the frames' sizes.
        Bounds bounds;
        for (const Tile& tile : tiles) {
            ForEachItem(tile, [&](const DrawGroupItem& item, ResID spriteId, int64_t x, int64_t y) {
                RenderedFrame frame;
                RenderSpriteFrame(spriteOf(spriteId), item.spritenum, FrameRenderRequest{}, frame);
                if (frame.width != 0 && frame.height != 0) bounds.Add(x, y, frame.width, frame.height);
            });
        }
        if (bounds.IsEmpty()) bounds = Bounds{0, 0, 1, 1};
        const int64_t width = bounds.maxX - bounds.minX + 2 * kComposedMargin;
        const int64_t height = bounds.maxY - bounds.minY + 2 * kComposedMargin;
        if (width > kMaxComposedPixels / height) return nullptr;
        const int64_t originX = kComposedMargin - bounds.minX;
        const int64_t originY = kComposedMargin - bounds.minY;

        std::unique_ptr<Bitmap24> picture = Bitmap24::Create(static_cast<int32_t>(width), static_cast<int32_t>(height));
        std::unique_ptr<Bitmap16> depth =
            Bitmap16::CreateFilled(static_cast<int32_t>(width), static_cast<int32_t>(height), 0xFFFF);
        RgbQuad grey[256];
        GetGreyPalette().GetColorTable(grey);
        std::unique_ptr<Bitmap8> alpha = Bitmap8::Create(static_cast<int32_t>(width), static_cast<int32_t>(height), grey);
        if (!picture || !depth || !alpha) return nullptr;
        DrawFloorGrid(*picture, originX, originY, zoomLevel, background);

        // Farthest tiles first; tiles at the same depth keep their catalogue order.
        std::stable_sort(tiles.begin(), tiles.end(),
                         [](const Tile& a, const Tile& b) { return a.entry->depthKey > b.entry->depthKey; });
        const CompositionTarget target{picture.get(), depth.get(), alpha.get()};
        PalWrap palette;
        RenderedFrame frame;
        for (const Tile& tile : tiles) {
            ForEachItem(tile, [&](const DrawGroupItem& item, ResID spriteId, int64_t x, int64_t y) {
                FrameRenderRequest request;
                request.background = background;
                request.palette = &palette;
                request.wantColor = request.wantDepth = request.wantAlpha = true;
                RenderSpriteFrame(spriteOf(spriteId), item.spritenum, request, frame);
                const BadTokenFrame bad{spriteId, frame.frameIndex};
                if (frame.badToken && badTokens &&
                    std::find(badTokens->begin(), badTokens->end(), bad) == badTokens->end())
                    badTokens->push_back(bad);
                if (frame.width == 0 || frame.height == 0) return;
                FrameDrawPosition at;
                at.left = x + originX;
                at.bottom = y + originY;
                at.depthBias = tile.placement.depth;
                at.opacity = tile.entry->opacity;
                at.flipped = item.IsFlipped();
                BlendFrame(target, frame, palette, at);
            });
        }
        if (alphaOut) *alphaOut = std::move(alpha);
        return picture;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::unique_ptr<Bitmap24> ComposeObject(ObjectEntry& entry, int32_t view, RgbColor background) {
    if (!entry.owner || !entry.owner->file) return nullptr;
    return ComposeObject(*entry.owner->file, entry, view, background);
}
