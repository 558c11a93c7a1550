// SpriteSource: one sprite fetched once, with the palettes its frames name, for rendering many of its frames.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "resfile/ResTypes.h"

class iResFile;
class PalWrap;
struct DataHandle;

// Holds the SPR# of the id (fixed up), else the SPR2 of the id, from construction until destruction, and each
// PALT its frames name from the first time a frame needs it, so that drawing every frame of a sprite reads the
// sprite and its palette from the file once. With `onlyType` SPR# or SPR2 only that type is looked for. The
// caller must not release the sprite's handle itself while the source holds it.
class SpriteSource {
public:
    SpriteSource(iResFile& file, ResID spriteId, ResType onlyType = 0);
    ~SpriteSource();
    SpriteSource(const SpriteSource&) = delete;
    SpriteSource& operator=(const SpriteSource&) = delete;

    ResID GetId() const { return id_; }
    // SPR# or SPR2; 0 when the file holds neither.
    ResType GetType() const { return type_; }
    // The sprite's bytes; null when there is none.
    const DataHandle* GetData() const { return data_; }
    // Loads the palette of that id into `out`: the PALT resource, else (missing or unusable) the grey ramp with the
    // system colours reserved.
    void LoadPalette(int32_t paletteId, PalWrap& out);

private:
    iResFile& file_;
    ResID id_ = 0;
    ResType type_ = 0;
    DataHandle* data_ = nullptr;
    std::map<int32_t, std::vector<uint8_t>> palettes_;  // PALT bytes by id; empty for one that is missing
};
