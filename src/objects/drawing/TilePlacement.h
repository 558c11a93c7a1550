// TilePlacement: where one tile of a multi-tile object lies on screen and how deep, for a rotation and zoom level.
#pragma once

#include <cstdint>

struct ObjectDefinition;

constexpr int kRotationCount = 4;
constexpr int kZoomLevelCount = 3;  // compositor zoom levels: 0 smallest, 2 largest

// A tile's screen offset (columns to the right, rows down: it is subtracted from an upward row) and its depth
// bias, which also serves as the tile's sort key (larger is farther).
struct TilePlacement {
    int32_t x = 0;
    int32_t y = 0;
    int32_t depth = 0;
};

// The placement of the tile at grid position (h, l) on level m, for rotation 0 ... 3 and zoom level 0 ... 2. The
// base constants 64, -64, 32, 32, 50, -347 and 347 are each shifted arithmetically right by 2 - zoom level
// (so -347 >> 1 is -174 while 347 >> 1 is 173). A rotation or zoom level out of range gives all zero.
//
// One level up raises a tile by 50 >> s rows in every rotation (the level term is subtracted from y); the
// rotation does not change which way is up.
TilePlacement PlaceTile(int32_t h, int32_t l, int32_t m, int rotation, int zoomLevel);
// The placement of a tile from its record: h and l are the high and low bytes of `subindex`, m is `leveloffset`.
TilePlacement PlaceTile(const ObjectDefinition& tile, int rotation, int zoomLevel);
