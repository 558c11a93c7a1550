// FloorGrid: the background of a composed picture: the background colour crossed by the floor tile grid.
#pragma once

#include <cstdint>

#include "objects/palettes/RgbColor.h"

class Bitmap24;

// Paints every pixel of the picture. With (originX, originY) the picture position of the object's origin
// (rows counted upward from the bottom row), pixel column c, upward row r has Cw = c - originX and
// Rw = 2 * (r - originY + k), with k = 9, 17, 33 and mask M = 31, 63, 127 for zoom levels 0, 1, 2. It gets the
// background colour when Cw is odd or when both (Rw - Cw) & M and (Rw + Cw) & M are non-zero, else the
// background with every component inverted: diagonal lines of the tile grid. A zoom level out of range is
// taken as 0.
void DrawFloorGrid(Bitmap24& picture, int64_t originX, int64_t originY, int zoomLevel, RgbColor background);
