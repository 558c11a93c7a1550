// CollectGarbage: the mark rules from object definitions to draw groups, sprites and palettes, and the sweep.
#include "tools/CollectGarbage.h"

#include <cstdio>
#include <set>
#include <utility>
#include <vector>

#include "app/ObjectFile.h"
#include "app/Progress.h"
#include "objects/definitions/ObjectReach.h"
#include "objects/sprites/Spr2Resource.h"
#include "objects/sprites/SprListResource.h"
#include "platform/ByteReader.h"
#include "resfile/StdResFile.h"

namespace {

void Log(const char* text) { ProgressLog(0, text, kProgressStylePlain, 0, 0, 0); }

class Marker {
public:
    explicit Marker(ObjectFile& file) : of_(file), file_(*file.file) {}

    void MarkObject(ObjectEntry& object) {
        if (object.used) return;
        object.used = true;
        VisitObjectReach(
            file_, object.definition, [&](int32_t id) { return EnterDrawGroup(id); },
            [&](int32_t id) { MarkSpriteId(id); });
    }

private:
    // Marks the listed draw group of this id; true when it was not marked before, so its sprites are marked.
    bool EnterDrawGroup(int32_t id) {
        for (DrawGroupEntry& g : of_.drawGroups)
            if (g.id == id) {
                if (g.used) return false;
                g.used = true;
                return true;
            }
        return false;
    }

    // SPR# entries come first in the list, so an id resolves to the SPR# when both types have it.
    void MarkSpriteId(int32_t id) {
        SpriteEntry* entry = nullptr;
        for (SpriteEntry& s : of_.sprites)
            if (s.id == id) {
                entry = &s;
                break;
            }
        if (!entry || entry->used) return;
        entry->used = true;
        int32_t palette = -1;
        if (entry->type == kTypeSPRList) {
            if (DataHandle* h = file_.GetResource(kTypeSPRList, entry->id, FixupSprList)) {
                SprListHeader header;
                if (ReadSprListHeader(ByteReader(h->Data(), static_cast<size_t>(h->Size())), header))
                    palette = header.paletteId;
                file_.ReleaseAndFree(h);
            }
        } else if (DataHandle* h = file_.GetResource(kTypeSPR2, entry->id, nullptr)) {
            Spr2Header header;
            if (ReadSpr2Header(ByteReader(h->Data(), static_cast<size_t>(h->Size())), header))
                palette = header.paletteId;
            file_.ReleaseAndFree(h);
        }
        if (palette == -1) return;
        for (PaletteEntry& p : of_.palettes)
            if (p.id == palette) {
                p.used = true;
                break;
            }
    }

    ObjectFile& of_;
    iResFile& file_;
};

}  // namespace

int CollectGarbage(ObjectFile& of, ResErr* error) {
    if (error) *error = kNoErr;
    if (!of.file || !of.file->IsWritable()) return 0;
    Log("Garbage Collecting...\r\n");
    if (!of.full) LoadObjectFile(of, true);
    iResFile& file = *of.file;

    of.marksDone = false;
    for (auto& o : of.objects) o->used = false;
    for (DrawGroupEntry& g : of.drawGroups) g.used = false;
    for (SpriteEntry& s : of.sprites) s.used = false;
    for (PaletteEntry& p : of.palettes) p.used = false;

    if (!of.marksDone) {
        Marker marker(of);
        for (auto& o : of.objects) marker.MarkObject(*o);
        of.marksDone = true;
    }

    // What stays: every (type, id) that a marked entry holds.
    std::set<std::pair<ResType, ResID>> kept;
    for (const DrawGroupEntry& g : of.drawGroups)
        if (g.used) kept.insert({kTypeDGRP, g.id});
    for (const SpriteEntry& s : of.sprites)
        if (s.used) kept.insert({s.type, s.id});
    for (const PaletteEntry& p : of.palettes)
        if (p.used) kept.insert({kTypePALT, p.id});

    std::vector<std::pair<ResType, ResID>> doomed;
    std::set<std::pair<ResType, ResID>> queued;
    auto queue = [&](ResType type, ResID id) {
        std::pair<ResType, ResID> key{type, id};
        if (kept.count(key) || !queued.insert(key).second) return;
        doomed.push_back(key);
    };
    for (const DrawGroupEntry& g : of.drawGroups)
        if (!g.used) queue(kTypeDGRP, g.id);
    // An unmarked sprite queues both sprite types of its id, the older first; a marked resource of the other
    // type under that id (a reference resolves to SPR# first) is in `kept` and stays.
    for (const SpriteEntry& s : of.sprites)
        if (!s.used) {
            queue(kTypeSPRList, s.id);
            queue(kTypeSPR2, s.id);
        }
    for (const PaletteEntry& p : of.palettes)
        if (!p.used) queue(kTypePALT, p.id);

    int deleted = 0;
    char line[96];
    for (const auto& [type, id] : doomed) {
        DataHandle* h = file.GetResource(type, id, nullptr);
        if (!h) continue;
        std::snprintf(line, sizeof line, "Deleting unused resource type '%c%c%c%c' id %d.\r\n",
                      static_cast<char>(type >> 24), static_cast<char>(type >> 16), static_cast<char>(type >> 8),
                      static_cast<char>(type), id);
        Log(line);
        // A deleted resource takes its fetched block with it; one the file refused to delete keeps it cached.
        file.Delete(h);
        if (file.GetError() == kNoErr)
            ++deleted;
        else if (error && !*error)
            *error = file.GetError();
    }
    file.Update();
    if (file.GetError()) of.saveFailed = true;
    if (error && !*error) *error = file.GetError();
    LoadObjectFile(of, false);
    Log("Finished Garbage Collecting!\r\n");
    return deleted;
}
