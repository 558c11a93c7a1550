// IFFResMap: lookups in the in-memory resource map and its stored form.
#include "resfile/IFFResMap.h"

#include <algorithm>

#include "resfile/ReconReader.h"

template <class Stream>
void IFFResMapEntry::Reconstitute(Stream& s, int32_t) {
    s.Longs(&offset, 1);
    s.Shorts(&id, 1);
    uint16_t f = storedFlags;
    s.Shorts(&f, 1);
    s.String(name);
    if (s.IsReading()) flags = storedFlags = f;
}

template <class Stream>
void IFFResTypeGroup::Reconstitute(Stream& s, int32_t version) {
    s.Longs(&type, 1);
    // Each stored entry takes at least 10 bytes: offset, id, flags and the name's NUL.
    ReconStreamVector(s, entries, version, 10);
}

template <class Stream>
void IFFResMap::Reconstitute(Stream& s, int32_t version) {
    s.Longs(&freeSpace, 1);
    ReconStreamVector(s, groups, version, 8);
}

template void IFFResMap::Reconstitute(ReconStream&, int32_t);
template void IFFResMap::Reconstitute(ReconReader&, int32_t);

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
    if (hintGroup_ < groups.size() && hintEntry_ < groups[hintGroup_].entries.size() &&
        groups[hintGroup_].entries[hintEntry_].data.get() == h) {
        if (group) *group = &groups[hintGroup_];
        return &groups[hintGroup_].entries[hintEntry_];
    }
    for (size_t gi = 0; gi < groups.size(); ++gi)
        for (size_t ei = 0; ei < groups[gi].entries.size(); ++ei)
            if (groups[gi].entries[ei].data.get() == h) {
                hintGroup_ = gi;
                hintEntry_ = ei;
                if (group) *group = &groups[gi];
                return &groups[gi].entries[ei];
            }
    return nullptr;
}

void IFFResMap::NoteEntry(const IFFResMapEntry* entry) {
    for (size_t gi = 0; gi < groups.size(); ++gi) {
        const auto& v = groups[gi].entries;
        if (!v.empty() && entry >= v.data() && entry < v.data() + v.size()) {
            hintGroup_ = gi;
            hintEntry_ = static_cast<size_t>(entry - v.data());
            return;
        }
    }
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

