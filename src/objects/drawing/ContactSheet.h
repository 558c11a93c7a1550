// ContactSheet: every root object of a file at every rotation and zoom, side by side on one picture.
#pragma once

#include <cstdint>
#include <memory>

#include "objects/palettes/RgbColor.h"
#include "platform/Bitmap24.h"

struct ObjectFile;

// The sheet's colour between the pictures, and the space around each picture.
constexpr RgbColor kContactSheetBackground = {221, 221, 221};
constexpr int32_t kContactSheetGap = 4;

// One row per root object (a multi-tile lead with all its tiles), in the file's order: the large, medium and small
// zoom at rotations 0 to 3 each, 12 views composed as ComposeObject does at every tile's first graphical state over
// `background`. Pictures stand kContactSheetGap pixels apart and from the sheet's left and top, twice that from one
// another, centred in the height of their row. Reports one progress step per object. Null when the file has no root
// object, a view cannot be composed, or the sheet would be too large.
std::unique_ptr<Bitmap24> ComposeContactSheet(ObjectFile& file, RgbColor background);
