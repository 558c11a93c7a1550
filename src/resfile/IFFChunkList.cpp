// IFFChunkList: lookups in the resource lists of an IFF 1.0 file.
#include "resfile/IFFChunkList.h"

IFFChunkTypeNode* IFFChunkList::FindType(ResType type) {
    for (auto& t : types)
        if (t.type == type) return &t;
    return nullptr;
}

IFFChunkEntry& IFFChunkList::AddEntry(ResType type) {
    IFFChunkTypeNode* node = FindType(type);
    if (!node) {
        types.emplace_front();
        node = &types.front();
        node->type = type;
    }
    node->entries.emplace_front();
    return node->entries.front();
}

IFFChunkTypeNode* IFFChunkList::GetIndexedType(int32_t index) {
    if (index < 1) return nullptr;
    for (auto& t : types)
        if (--index == 0) return &t;
    return nullptr;
}

IFFChunkEntry* IFFChunkList::GetIndexedEntry(ResType type, int32_t index) {
    IFFChunkTypeNode* node = FindType(type);
    if (!node || index < 1) return nullptr;
    for (auto& e : node->entries)
        if (--index == 0) return &e;
    return nullptr;
}

IFFChunkEntry* IFFChunkList::FindID(ResType type, int16_t id) {
    IFFChunkTypeNode* node = FindType(type);
    if (!node) return nullptr;
    for (auto& e : node->entries)
        if (e.id == id) return &e;
    return nullptr;
}

IFFChunkEntry* IFFChunkList::FindHandle(const DataHandle* h, IFFChunkTypeNode** node) {
    if (!h) return nullptr;
    for (auto& t : types)
        for (auto& e : t.entries)
            if (e.data.get() == h) {
                if (node) *node = &t;
                return &e;
            }
    return nullptr;
}

void IFFChunkList::RemoveEntry(IFFChunkTypeNode* node, const IFFChunkEntry* entry) {
    node->entries.remove_if([&](const IFFChunkEntry& e) { return &e == entry; });
    if (node->entries.empty()) types.remove_if([&](const IFFChunkTypeNode& t) { return &t == node; });
}

bool IFFChunkList::HasUnwritten() const {
    for (const auto& t : types)
        for (const auto& e : t.entries)
            if (e.offset < 0 && e.data) return true;
    return false;
}
