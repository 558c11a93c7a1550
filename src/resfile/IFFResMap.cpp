// IFFResMap: lookups in the in-memory resource map and its stored form.
#include "resfile/IFFResMap.h"

#include <algorithm>

void IFFResMapEntry::Reconstitute(ReconStream& s, int32_t) {
    s.Longs(&offset, 1);
    s.Shorts(&id, 1);
    uint16_t f = storedFlags;
    s.Shorts(&f, 1);
    s.String(name);
    if (s.IsReading()) flags = storedFlags = f;
}

void IFFResTypeGroup::Reconstitute(ReconStream& s, int32_t version) {
    s.Longs(&type, 1);
    // Each stored entry takes at least 10 bytes: offset, id, flags and the name's NUL.
    ReconStreamVector(s, entries, version, 10);
}

void IFFResMap::Reconstitute(ReconStream& s, int32_t version) {
    s.Longs(&freeSpace, 1);
    ReconStreamVector(s, groups, version, 8);
}

IFFResTypeGroup* IFFResMap::FindGroup(ResType type) {
    for (auto& g : groups)
        if (g.type == type) return &g;
    return nullptr;
}

IFFResTypeGroup& IFFResMap::GetOrAddGroup(ResType type) {
    if (IFFResTypeGroup* g = FindGroup(type)) return *g;
    groups.emplace_back();
    groups.back().type = type;
    return groups.back();
}

void IFFResMap::RemoveGroup(ResType type) {
    groups.erase(std::remove_if(groups.begin(), groups.end(), [&](const IFFResTypeGroup& g) { return g.type == type; }),
                 groups.end());
}

IFFResMapEntry* IFFResMap::FindHandle(const DataHandle* h, IFFResTypeGroup** group) {
    if (!h) return nullptr;
    for (auto& g : groups)
        for (auto& e : g.entries)
            if (e.data.get() == h) {
                if (group) *group = &g;
                return &e;
            }
    return nullptr;
}

IFFResMapEntry* IFFResMap::FindVariant(ResType type, int16_t id, uint8_t variant) {
    IFFResTypeGroup* g = FindGroup(type);
    if (!g) return nullptr;
    if (variant != 0)
        for (auto& e : g->entries)
            if (e.id == id && e.Variant() == variant) return &e;
    for (auto& e : g->entries)
        if (e.id == id && e.Variant() == 0) return &e;
    return nullptr;
}

void IFFResMap::RemoveEntry(IFFResTypeGroup* group, IFFResMapEntry* entry) {
    auto& v = group->entries;
    v.erase(v.begin() + (entry - v.data()));
    if (v.empty()) RemoveGroup(group->type);
}

void IFFResMap::AddFreeSpace(int64_t delta) {
    int64_t v = static_cast<int64_t>(freeSpace) + delta;
    freeSpace = static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}
