// ImportPaletteStore: stores an imported sprite's palette in the object file, sharing an identical one.
#pragma once

#include "platform/ColorTypes.h"
#include "resfile/ResErrors.h"
#include "resfile/ResTypes.h"

struct ObjectFile;

// The lowest id given to a palette the import adds.
constexpr ResID kFirstImportedPaletteId = 100;

// Stores the 256-entry palette `colors` for a sprite that asked for palette id `wantedId`. Entries 0..255 are
// compared, or 10..245 when `reservesSystemColors`. The file's PaletteEntry records are walked in order: the
// first one with the same reservation and equal red, green, blue over that range is used (logging the changed
// id when it is not `wantedId`). Without one, a 784-byte PALT resource is added under the largest id seen plus
// one (at least 100), written, the file updated and a PaletteEntry appended. Either way the "Saved ... Palette
// id" line and the entries are logged. Returns the id used; returns -1 and sets `error` (when given) to the
// resource file's error code when adding, writing or updating failed (no entry is appended then).
ResID StoreImportPalette(ObjectFile& file, const PaletteColor colors[256], bool reservesSystemColors,
                         ResID wantedId, ResErr* error = nullptr);
