// IFFResMap: the in-memory resource map of an IFF 2.x file: type groups of entries and the free-space count.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "resfile/BoundedString.h"
#include "resfile/DataHandle.h"
#include "resfile/ReconStream.h"
#include "resfile/ResTypes.h"

struct IFFResMapEntry {
    // Provided, so that a map's vector of entries made for decoding runs only the initialisers below instead of
    // clearing each whole entry first.
    IFFResMapEntry() {}

    int32_t offset = -1;          // chunk offset; -1 while never written
    int16_t id = 0;
    uint16_t flags = 0;           // current flags; bits 8..15 are the variant
    uint16_t storedFlags = 0;     // flags as they stand in the file; 0 until written
    HandleOwner data;             // loaded data, owned until released
    BoundedString name{kResNameCapacity};

    uint8_t Variant() const { return VariantOfFlags(flags); }
    // Stored form: int32 offset, int16 id, uint16 flags (as in the chunk header), string name.
    template <class Stream>
    void Reconstitute(Stream& s, int32_t version);
};

struct IFFResTypeGroup {
    ResType type = 0;
    std::vector<IFFResMapEntry> entries;

    // Stored form: int32 type code, then the entries as a vector.
    template <class Stream>
    void Reconstitute(Stream& s, int32_t version);
};

// Group order is the order types were first met; entry order is file or map order, with added
// resources at the end of their group. This order is the enumeration order and the stored order.
class IFFResMap {
public:
    int32_t freeSpace = 0;
    std::vector<IFFResTypeGroup> groups;

    // Stored form: int32 free-space count, then the groups as a vector. Stream is ReconStream, or
    // ReconReader for the map read on every open.
    template <class Stream>
    void Reconstitute(Stream& s, int32_t version);

    IFFResTypeGroup* FindGroup(ResType type);
    // The group of the type, appended at the end when new.
    IFFResTypeGroup& GetOrAddGroup(ResType type);
    void RemoveGroup(ResType type);
    // The entry holding this handle (and its group), or null. The entry last noted or found is tried first, so
    // the queries that follow a fetch (id, name, release) do not walk the map.
    IFFResMapEntry* FindHandle(const DataHandle* h, IFFResTypeGroup** group = nullptr);
    // Remembers an entry of the map (one that has just been handed out) for FindHandle.
    void NoteEntry(const IFFResMapEntry* entry);
    // Lookup by id: with variant != 0 the first entry of that id and variant, else (or when there
    // is none) the first entry of that id and variant 0.
    IFFResMapEntry* FindVariant(ResType type, int16_t id, uint8_t variant);
    // Removes the entry (and its group when that becomes empty); the entry's handle is freed.
    void RemoveEntry(IFFResTypeGroup* group, IFFResMapEntry* entry);

private:
    size_t hintGroup_ = 0;
    size_t hintEntry_ = 0;
};
