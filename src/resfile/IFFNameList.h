// IFFNameList: the name list of an IFF 1.0 file: resource names held apart from the chunks, by name index.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "resfile/BoundedString.h"
#include "resfile/ReconStream.h"

// A chunk refers to its name by index; -1 means "no name".
constexpr int32_t kNoNameIndex = -1;

struct IFFNameEntry {
    int32_t index = 0;
    BoundedString name{kResNameCapacity};

    // Stored form: int32 name index, string name.
    void Reconstitute(ReconStream& s, int32_t version);
};

// Entries keep the order in which they were read or recorded. An entry whose resource went away is
// emptied (its name cleared) rather than removed, so its index is never handed out again.
class IFFNameList {
public:
    std::vector<IFFNameEntry> entries;

    // Stored form (the id 1 resource): the entries as a vector.
    void Reconstitute(ReconStream& s, int32_t version);

    // Replaces the entries with the records of the older id 0 form: int32 little-endian index, one
    // length byte L, L characters, up to the end of the data. False (entries left empty) when a record
    // is cut short.
    bool ParseOldForm(const uint8_t* data, size_t size);

    // The first entry with this index, or null (always null for kNoNameIndex).
    const IFFNameEntry* Find(int32_t index) const;
    // The name recorded under the index; empty when there is none.
    std::string GetName(int32_t index) const;
    // The index a new name gets: 1 + the largest index in the list, 1 when it is empty; 0 when the
    // largest index leaves no room above it.
    int32_t GetNextIndex() const;
    // Records a name (cut to 63 characters) under a new index and returns the index; 0 when no index is
    // left. May throw std::bad_alloc.
    int32_t Add(std::string_view name);
    // Clears the name of every entry with this index; false when there is none.
    bool EmptyEntry(int32_t index);
};
