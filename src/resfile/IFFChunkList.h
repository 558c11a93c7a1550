// IFFChunkList: one list of resources of an IFF 1.0 file (ordinary or internal), by type, newest first.
#pragma once

#include <cstdint>
#include <list>

#include "resfile/DataHandle.h"
#include "resfile/IFFNameList.h"
#include "resfile/ResTypes.h"

struct IFFChunkEntry {
    int32_t offset = -1;                // chunk offset; -1 while never written
    int16_t id = 0;
    uint16_t flags = 0;                 // current flags
    uint16_t storedFlags = 0;           // flags as they stand in the file; 0 until written
    int32_t nameIndex = kNoNameIndex;   // entry of the name list, -1 for none
    HandleOwner data;                   // loaded data, owned until released
};

struct IFFChunkTypeNode {
    ResType type = 0;
    std::list<IFFChunkEntry> entries;  // newest first
};

// A type met (or added) later goes to the head of the type list, and a new entry to the head of its
// type's list: this order is the enumeration order. Entries never move while they exist, so pointers
// to them stay valid until they are removed.
class IFFChunkList {
public:
    std::list<IFFChunkTypeNode> types;

    IFFChunkTypeNode* FindType(ResType type);
    // A new entry at the head of the type's list (the type node is put at the head first when new).
    // May throw std::bad_alloc.
    IFFChunkEntry& AddEntry(ResType type);
    // The index-th type (1-based), or null.
    IFFChunkTypeNode* GetIndexedType(int32_t index);
    // The index-th entry of the type (1-based), or null.
    IFFChunkEntry* GetIndexedEntry(ResType type, int32_t index);
    // The first entry of the type with this id, or null.
    IFFChunkEntry* FindID(ResType type, int16_t id);
    // The entry holding this handle (and its type node), or null.
    IFFChunkEntry* FindHandle(const DataHandle* h, IFFChunkTypeNode** node = nullptr);
    // Removes the entry (and its type node when that becomes empty); the entry's handle is freed.
    void RemoveEntry(IFFChunkTypeNode* node, const IFFChunkEntry* entry);
    // True when an entry holding data has never been written.
    bool HasUnwritten() const;
};
