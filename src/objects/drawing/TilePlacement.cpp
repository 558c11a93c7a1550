// TilePlacement: the per-rotation screen offset and depth bias of a tile.
#include "objects/drawing/TilePlacement.h"

#include "objects/definitions/ObjectDefinition.h"

TilePlacement PlaceTile(int32_t h, int32_t l, int32_t m, int rotation, int zoomLevel) {
    if (rotation < 0 || rotation >= kRotationCount || zoomLevel < 0 || zoomLevel >= kZoomLevelCount) return {};
    const int s = 2 - zoomLevel;
    const int32_t x64 = 64 >> s, xm64 = -64 >> s, y32 = 32 >> s, lv50 = 50 >> s;
    const int32_t dm347 = -347 >> s, d347 = 347 >> s;
    TilePlacement p;
    switch (rotation) {
        case 0:
            p.x = h * x64 + l * xm64;
            p.y = h * y32 + l * y32;
            p.depth = h * dm347 - l * d347;
            break;
        case 1:
            p.x = h * xm64 - l * x64;
            p.y = h * y32 - l * y32;
            p.depth = -h * d347 - l * dm347;
            break;
        case 2:
            p.x = -h * x64 - l * xm64;
            p.y = -h * y32 - l * y32;
            p.depth = -h * dm347 + l * d347;
            break;
        default:
            p.x = -h * xm64 + l * x64;
            p.y = -h * y32 + l * y32;
            p.depth = h * d347 + l * dm347;
            break;
    }
    p.y -= m * lv50;
    return p;
}

TilePlacement PlaceTile(const ObjectDefinition& tile, int rotation, int zoomLevel) {
    const auto sub = static_cast<uint16_t>(tile.subindex);
    return PlaceTile(sub >> 8, sub & 0xFF, tile.leveloffset, rotation, zoomLevel);
}
