// DrawGroup: one graphic state of an object (DGRP resource): per view a list of placed sprite frames.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "objects/drawing/DrawGroupItemList.h"
#include "resfile/ResErrors.h"
#include "resfile/ResTypes.h"

class iResFile;
class ReconStream;

// The version this system writes: 32-bit counts and all eight item fields.
constexpr int16_t kDrawGroupVersion = 20004;
// From this version on counts and fields are 32-bit; xoffset and yoffset are stored only after it.
constexpr int16_t kDrawGroupLongVersion = 20003;
// In the older layout items carry a zoffset from this version on.
constexpr int16_t kDrawGroupZOffsetVersion = 20001;
// In the older layout only items of this kind belong to the group.
constexpr int16_t kDrawGroupSpriteItemKind = -3;
constexpr size_t kDrawGroupNameMaxLength = 63;

// The stored form is one serialisation stream in little-endian order without a block header:
//
//   version 20003 and later: int16 version; int32 list count; per list int32 dirflags, zoom and item count;
//     per item int32 spriteid, spritenum, pixelx, pixely, float zoffset, int32 flags and, only after 20003,
//     float xoffset, yoffset.
//   older versions (read only): int16 version; int16 list count; per list int16 item count, int8 dirflags,
//     int8 zoom; per item int16 kind, spriteid, spritenum, flags, pixelx, pixely and, from 20001, float zoffset.
//     Items of any kind but -3 are read and dropped.
class DrawGroup {
public:
    // Fetches (DGRP, id) without fix-up, takes its name, reads the stream and gives the resource back. Returns 0;
    // the file's error code (kErrNotFound when it recorded none) when the resource is missing; kErrBadChunk when
    // the data ends before the group does or holds a count it cannot hold. On failure the lists are empty.
    ResErr Load(iResFile& file, ResID id);
    // Writes the group as version 20004 and adds it as (DGRP, id) under the group's name, marked converted,
    // replacing any resource of that id; the block is written and released. Returns 0, kErrNoMemory when no
    // block could be made, or the file's error code (a refused block is freed).
    ResErr Save(iResFile& file, ResID id) const;

    // Reads the group from stored bytes, replacing the lists (the name is kept). Returns false, the lists then
    // empty, when the data ends early, a count is negative or larger than the remaining bytes could hold.
    bool Parse(const uint8_t* data, size_t size);
    // The stored form at version 20004; empty when memory runs out.
    std::vector<uint8_t> Serialize() const;
    // The version the last Parse or Load read (0 before any, or after a failure).
    int16_t GetLoadedVersion() const { return loadedVersion_; }

    int32_t CountItemLists() const { return static_cast<int32_t>(lists_.size()); }
    // The list at a 0-based index; null when out of range.
    DrawGroupItemList* GetItemList(int32_t index);
    const DrawGroupItemList* GetItemList(int32_t index) const;
    // The item at a 0-based index of a list; null when either index is out of range.
    DrawGroupItem* GetItem(int32_t list, int32_t index);
    // Appends an empty list (dirflags 0, zoom 0) and yields it for the caller to fill; the reference stays valid
    // until the next list is added.
    DrawGroupItemList& AddItemList();
    // Adds the item to a list at a position (see DrawGroupItemList::AddItem); false when the list index or the
    // position is out of range.
    bool AddItem(int32_t list, const DrawGroupItem& item, int32_t position = -1);
    // Empties the lists (the name stays).
    void ClearItemLists() { lists_.clear(); }

    // The name Save gives the resource, cut to 63 characters and at a NUL.
    void SetName(std::string_view name);
    const std::string& GetName() const { return name_; }

private:
    static void Reconstitute(ReconStream& s, std::vector<DrawGroupItemList>& lists, int16_t& version);
    static void ReadOlderLayout(ReconStream& s, std::vector<DrawGroupItemList>& lists, int16_t version);

    std::string name_;
    std::vector<DrawGroupItemList> lists_;
    int16_t loadedVersion_ = 0;
};
