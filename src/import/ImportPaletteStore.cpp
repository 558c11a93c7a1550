// ImportPaletteStore: stores an imported sprite's palette in the object file, sharing an identical one.
#include "import/ImportPaletteStore.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "app/ObjectFile.h"
#include "app/Progress.h"
#include "objects/palettes/PalWrap.h"
#include "resfile/DataHandle.h"
#include "resfile/StdResFile.h"

namespace {

constexpr ResID kLargestIdStart = kFirstImportedPaletteId - 1;

bool SameColors(const PaletteColor* a, const PaletteColor* b, int first, int last) {
    for (int i = first; i <= last; ++i)
        if (a[i].red != b[i].red || a[i].green != b[i].green || a[i].blue != b[i].blue) return false;
    return true;
}

// A new id above every palette id seen; when the largest is already the last id there is, the lowest id from 100
// that no palette of the file has (0 when every one is taken).
ResID ChooseNewId(const ObjectFile& file, ResID largest) {
    if (largest < INT16_MAX) return static_cast<ResID>(largest + 1);
    std::vector<bool> taken(INT16_MAX + 1, false);
    for (const PaletteEntry& p : file.palettes)
        if (p.id >= 0) taken[static_cast<size_t>(p.id)] = true;
    for (int id = kFirstImportedPaletteId; id <= INT16_MAX; ++id)
        if (!taken[static_cast<size_t>(id)]) return static_cast<ResID>(id);
    return 0;
}

ResErr AddPaletteResource(iResFile& res, ResID id, const PaletteColor colors[256]) {
    const std::vector<uint8_t> bytes = PalWrap::MakePALT(colors);
    DataHandle* h = NewHandleFrom(bytes.data(), static_cast<int32_t>(bytes.size()));
    if (!h) return kErrNoMemory;
    res.Add(h, kTypePALT, id, "", false);
    if (ResErr err = res.GetError(); err != kNoErr) {
        FreeHandle(h);  // a refused handle stays ours
        return err;
    }
    res.Write(h);
    if (ResErr err = res.GetError(); err != kNoErr) return err;
    res.ReleaseAndFree(h);
    if (ResErr err = res.GetError(); err != kNoErr) return err;
    res.Update();
    return res.GetError();
}

void LogPalette(const PaletteColor colors[256], int first, int last, bool duplicate, ResID id) {
    char line[96];
    std::snprintf(line, sizeof line, "Saved %s Palette id %d:", duplicate ? "Duplicate" : "Unique", id);
    ProgressLog(0, line);
    for (int i = first; i <= last; ++i) {
        if ((i - first) % 16 == 0) ProgressLog(0, "\r\n");
        std::snprintf(line, sizeof line, "%02X ", i);
        ProgressLog(0, line, kProgressStyleFixed, colors[i].red, colors[i].green, colors[i].blue);
    }
    ProgressLog(0, "\r\n");
}

}  // namespace

ResID StoreImportPalette(ObjectFile& file, const PaletteColor colors[256], bool reservesSystemColors,
                         ResID wantedId, ResErr* error) {
    if (error) *error = kNoErr;
    const int first = reservesSystemColors ? 10 : 0;
    const int last = reservesSystemColors ? 245 : 255;

    ResID largest = kLargestIdStart;
    const PaletteEntry* duplicate = nullptr;
    for (const PaletteEntry& p : file.palettes) {
        if (p.id > largest) largest = p.id;
        if (duplicate || !p.palette || p.palette->ReservesSystemColors() != reservesSystemColors) continue;
        if (SameColors(p.palette->GetEntries(), colors, first, last)) duplicate = &p;
    }

    char line[96];
    if (duplicate) {
        const ResID id = duplicate->id;
        if (id != wantedId) {
            std::snprintf(line, sizeof line, "<!-- Changed palette id %d to %d -->\r\n", wantedId, id);
            ProgressLog(0, line);
        }
        LogPalette(colors, first, last, true, id);
        return id;
    }

    const ResID id = ChooseNewId(file, largest);
    ResErr err = id > 0 && file.file ? AddPaletteResource(*file.file, id, colors) : kErrNotWritable;
    if (err != kNoErr) {
        if (error) *error = err;
        return -1;
    }
    PaletteEntry entry;
    entry.owner = &file;
    entry.id = id;
    entry.palette = std::make_unique<PalWrap>();
    entry.palette->BuildFromColors(colors, reservesSystemColors);
    file.palettes.push_back(std::move(entry));
    std::snprintf(line, sizeof line, "<!-- Added new palette id %d, instead of %d -->\r\n", id, wantedId);
    ProgressLog(0, line);
    LogPalette(colors, first, last, false, id);
    return id;
}
