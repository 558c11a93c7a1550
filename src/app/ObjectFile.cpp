// ObjectFile: loading the catalogue record of an object file from its resources.
#include "app/ObjectFile.h"

#include "objects/palettes/PalWrap.h"
#include "resfile/ResFileExtension.h"
#include "resfile/StdResFile.h"

PaletteEntry::PaletteEntry() = default;
PaletteEntry::~PaletteEntry() = default;
PaletteEntry::PaletteEntry(PaletteEntry&&) noexcept = default;
PaletteEntry& PaletteEntry::operator=(PaletteEntry&&) noexcept = default;

ObjectFile::ObjectFile() = default;
ObjectFile::~ObjectFile() { Close(); }

bool ObjectFile::IsEditable() const { return file && file->IsWritable(); }

ResErr ObjectFile::Close() {
    if (!file) return kNoErr;
    ResErr err = file->IsOpen() ? file->Close() : kNoErr;
    file.reset();
    return err;
}

ResErr ReopenObjectFile(ObjectFile& of) {
    of.Close();
    of.saveFailed = false;
    auto reopened = std::make_unique<ObjResFile>();
    ResErr err = reopened->Open(StripExtension(of.path));
    if (!err) of.file = std::move(reopened);
    LoadObjectFile(of, of.full);
    return err;
}

std::string SaveFailureText(const std::string& path, ResErr error) {
    return "Could not save the object file \"" + path + "\", error #" + std::to_string(error) + "!";
}

std::string DisplayNameOf(const std::string& path) {
    size_t slash = path.rfind('\\');
    if (slash == std::string::npos) slash = path.rfind('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

namespace {

// Fetches each resource of a type by index and hands its id and name (and data) to `use`.
template <class Fn>
void ForEachResource(iResFile& file, ResType type, Fn use) {
    int32_t count = file.CountResources(type);
    for (int32_t i = 1; i <= count; ++i) {
        DataHandle* h = file.GetIndexedResource(type, i, nullptr);
        if (!h) continue;
        ResID id = 0;
        std::string name;
        file.GetID(h, id);
        file.GetName(h, name);
        use(id, name, *h);
        file.ReleaseAndFree(h);
    }
}

}  // namespace

void LoadObjectFile(ObjectFile& of, bool full) {
    of.objects.clear();
    of.roots.clear();
    of.sprites.clear();
    of.palettes.clear();
    of.drawGroups.clear();
    of.full = full;
    if (!of.file) return;
    iResFile& file = *of.file;

    ForEachResource(file, kTypeOBJD, [&](ResID id, const std::string& name, const DataHandle& data) {
        auto entry = std::make_unique<ObjectEntry>();
        entry->owner = &of;
        entry->id = id;
        entry->name = name;
        ObjectDefinitionFromData(data, entry->definition);
        of.objects.push_back(std::move(entry));
    });

    for (auto& e : of.objects) {
        const ObjectDefinition& d = e->definition;
        if (d.masterid == 0 || d.subindex == -1) {
            e->rootIndex = static_cast<int>(of.roots.size());
            of.roots.push_back(e.get());
            continue;
        }
        for (auto& candidate : of.objects)
            if (IsMultiTileLead(candidate->definition) && candidate->definition.masterid == d.masterid) {
                e->lead = candidate.get();
                candidate->tiles.push_back(e.get());
                break;
            }
    }

    if (!full) return;
    // Draw groups and sprites are listed by id and name only, so their data is not read.
    file.ForEachResourceInfo(kTypeDGRP,
                             [&](ResID id, const std::string& name) { of.drawGroups.push_back({&of, id, name, false}); });
    for (ResType type : {kTypeSPRList, kTypeSPR2})
        file.ForEachResourceInfo(
            type, [&](ResID id, const std::string& name) { of.sprites.push_back({&of, type, id, name, false}); });
    ForEachResource(file, kTypePALT, [&](ResID id, const std::string& name, const DataHandle& data) {
        PaletteEntry p;
        p.owner = &of;
        p.id = id;
        p.name = name;
        p.palette = std::make_unique<PalWrap>();
        p.palette->LoadPALT(data.Data(), static_cast<size_t>(data.Size()));
        of.palettes.push_back(std::move(p));
    });
}
