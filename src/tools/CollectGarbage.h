// CollectGarbage: deletes the draw groups, sprites and palettes of an object file that no object reaches.
#pragma once

#include "resfile/ResErrors.h"

struct ObjectFile;

// Marks what the file's object definitions reach (draw groups of each object's range, the six custom wall style
// sprites of wall style 22, the sprites of every reached draw group, the palette named by every reached sprite),
// deletes every unmarked draw group, sprite and palette with a log line each, updates the file and reloads the
// record without its graphics lists. Logs "Garbage Collecting..." and "Finished Garbage Collecting!" around it
// (step 0, plain, black). A record loaded without its graphics lists is first reloaded with them. A resource is
// deleted only when no marked entry has its type and id, so a marked SPR# is never deleted because of an
// unmarked SPR2 of the same id, nor the reverse. Returns the number of resources deleted; 0, with nothing
// logged or changed, when the record has no file or its file is read-only. `error` (when given) receives the
// first error of a deletion or of the update's commit (0 when none).
int CollectGarbage(ObjectFile& file, ResErr* error = nullptr);
