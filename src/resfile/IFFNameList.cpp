// IFFNameList: lookups in the IFF 1.0 name list and its two stored forms.
#include "resfile/IFFNameList.h"

#include <algorithm>

#include "platform/ByteReader.h"

void IFFNameEntry::Reconstitute(ReconStream& s, int32_t) {
    s.Longs(&index, 1);
    s.String(name);
}

void IFFNameList::Reconstitute(ReconStream& s, int32_t version) {
    // Each stored entry takes at least 6 bytes: the index, the name's NUL and its pad byte.
    ReconStreamVector(s, entries, version, 6);
}

bool IFFNameList::ParseOldForm(const uint8_t* data, size_t size) {
    entries.clear();
    ByteReader r(data, size);
    std::vector<IFFNameEntry> read;
    while (!r.IsAtEnd()) {
        IFFNameEntry e;
        e.index = r.ReadInt32LE();
        uint8_t length = r.ReadUInt8();
        const uint8_t* text = r.ReadSpan(length);
        if (r.HasFailed()) return false;
        e.name.Assign(std::string_view(reinterpret_cast<const char*>(text), length));
        read.push_back(std::move(e));
    }
    entries = std::move(read);
    return true;
}

const IFFNameEntry* IFFNameList::Find(int32_t index) const {
    if (index == kNoNameIndex) return nullptr;
    for (const auto& e : entries)
        if (e.index == index) return &e;
    return nullptr;
}

std::string IFFNameList::GetName(int32_t index) const {
    const IFFNameEntry* e = Find(index);
    return e ? e->name.Str() : std::string();
}

int32_t IFFNameList::GetNextIndex() const {
    int32_t largest = 0;
    for (const auto& e : entries) largest = std::max(largest, e.index);
    return largest == INT32_MAX ? 0 : largest + 1;
}

int32_t IFFNameList::Add(std::string_view name) {
    int32_t index = GetNextIndex();
    if (index == 0) return 0;
    IFFNameEntry e;
    e.index = index;
    e.name.Assign(name);
    entries.push_back(std::move(e));
    return index;
}

bool IFFNameList::EmptyEntry(int32_t index) {
    bool found = false;
    if (index == kNoNameIndex) return false;
    for (auto& e : entries)
        if (e.index == index) {
            e.name.Clear();
            found = true;
        }
    return found;
}
