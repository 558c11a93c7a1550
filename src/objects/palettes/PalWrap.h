// PalWrap: a palette of up to 256 colours with its logical palette and nearest-colour matching.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/ByteReader.h"
#include "platform/ColorTypes.h"

// Size in bytes of a PALT resource as this system writes it: a 16-byte header and 256 colours of 3 bytes.
constexpr size_t kPaletteResourceSize = 16 + 256 * 3;

// The colour table always has room for 256 entries; GetColorCount() tells how many of them the palette holds
// (256 for palettes built from 256 colours, N for palettes loaded from PALT data). Entries past the count are
// black with flags 0. An empty palette (after construction, or after a failed load) holds 0 colours.
class PalWrap {
public:
    PalWrap();
    virtual ~PalWrap();
    PalWrap(const PalWrap&) = delete;
    PalWrap& operator=(const PalWrap&) = delete;

    // Replaces the contents with the 256 colours (red, green, blue; the fourth byte is ignored). Without
    // `reserveSystem` every entry gets the flags reserved | no-collapse (5). With it, entries 0 to 9 and 246 to
    // 255 become the system palette's fixed colours with flags 0 and are never chosen by NearestColor; the others
    // get no-collapse (4). A logical palette of the 256 entries is made. Cannot fail.
    void BuildFromColors(const PaletteColor colors[256], bool reserveSystem);

    // Replaces the contents with the colours of PALT data (int32 version, int32 count N, two reserved int32,
    // then N colours of red, green, blue; little-endian): at most 256 colours are taken, the packed-colour table
    // is filled, system colours are not reserved and no logical palette is made. Returns false, leaving the
    // palette empty, when the header is cut short or N is negative; returns false too when the data ends before
    // the N-th (or 256th) colour, the palette then holding the complete colours that are there.
    bool LoadPALT(ByteReader reader);
    bool LoadPALT(const uint8_t* data, size_t size) { return LoadPALT(ByteReader(data, size)); }

    // The index of the entry nearest to (red, green, blue), weighting the squared differences of red, green
    // and blue 2, 4 and 1. Only entries 10 to 245 are candidates when system colours are reserved, and never
    // entries past the colour count; among equally near entries the lowest index wins. Returns 0 when no entry
    // is a candidate.
    uint8_t NearestColor(uint8_t red, uint8_t green, uint8_t blue) const;

    // The palette as a PALT resource of kPaletteResourceSize bytes: version 1, count 256, two zeros, then the
    // 256 colours (entries past the count written as black).
    std::vector<uint8_t> MakePALT() const;
    // The PALT resource for a table of 256 entries (flags ignored); see MakePALT().
    static std::vector<uint8_t> MakePALT(const PaletteColor colors[256]);

    // Writes the 256 entries as a bitmap colour table (blue, green, red, 0).
    void GetColorTable(RgbQuad out[256]) const;

    int32_t GetColorCount() const { return count_; }
    const PaletteColor* GetEntries() const { return entries_.get(); }
    const PaletteColor& GetEntry(uint8_t index) const { return entries_[index]; }
    bool ReservesSystemColors() const { return reserveSystem_; }
    // The packed colours (red << 16 | green << 8 | blue) of the last PALT load; all 0 otherwise.
    const uint32_t* GetPackedColors() const { return packed_.get(); }
    // The logical palette, or null when none was made (empty palette, or loaded from PALT data).
    const LogicalPalette* GetLogicalPalette() const { return logical_.get(); }

private:
    void Clear();

    std::unique_ptr<LogicalPalette> logical_;
    std::unique_ptr<PaletteColor[]> entries_;
    int32_t count_ = 0;
    bool reserveSystem_ = false;
    std::unique_ptr<uint32_t[]> packed_;
};
