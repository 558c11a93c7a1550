// DrawGroup: the DGRP stream walk (read, write, count), its older read-only layout, load and save.
#include "objects/drawing/DrawGroup.h"

#include <bit>
#include <climits>
#include <new>

#include "resfile/ReconStream.h"
#include "resfile/iResFile.h"

namespace {

// Smallest stored sizes, used to refuse counts the remaining bytes cannot hold before anything is allocated.
constexpr int32_t kListHeaderSize = 12;         // dirflags, zoom, item count
constexpr int32_t kItemSize20003 = 24;          // four int32, zoffset, flags
constexpr int32_t kItemSize20004 = 32;          // and xoffset, yoffset
constexpr int32_t kOlderListHeaderSize = 4;     // int16 item count, two signed bytes
constexpr int32_t kOlderItemSize = 12;          // six int16
constexpr int32_t kOlderZOffsetSize = 4;

void Long(ReconStream& s, int32_t& v) { s.Longs(&v, 1); }

void Float(ReconStream& s, float& v) {
    uint32_t bits = std::bit_cast<uint32_t>(v);
    s.Longs(&bits, 1);
    if (s.IsReading() && !s.HasFailed()) v = std::bit_cast<float>(bits);
}

int32_t Remaining(const ReconStream& s) { return s.GetSize() - s.GetPosition(); }

// Reads a 16-bit count of elements of at least `minSize` bytes; -1 (the stream failed) when it is negative or
// the remaining bytes cannot hold that many.
int32_t OlderCount(ReconStream& s, int32_t minSize) {
    int16_t count = 0;
    s.Shorts(&count, 1);
    if (s.HasFailed()) return -1;
    if (count < 0 || int64_t{count} * minSize > Remaining(s)) {
        s.Fail();
        return -1;
    }
    return count;
}

}  // namespace

void DrawGroup::Reconstitute(ReconStream& s, std::vector<DrawGroupItemList>& lists, int16_t& version) {
    s.Shorts(&version, 1);
    if (s.HasFailed()) return;
    if (s.IsReading() && version < kDrawGroupLongVersion) {
        ReadOlderLayout(s, lists, version);
        return;
    }
    const bool offsets = version > kDrawGroupLongVersion;
    const int32_t listCount = s.Count(static_cast<int32_t>(lists.size()), kListHeaderSize);
    if (s.HasFailed()) return;
    if (s.IsReading()) lists.assign(static_cast<size_t>(listCount), DrawGroupItemList{});
    for (DrawGroupItemList& list : lists) {
        Long(s, list.dirflags);
        Long(s, list.zoom);
        std::vector<DrawGroupItem>& items = list.Items();
        const int32_t itemCount = s.Count(static_cast<int32_t>(items.size()), offsets ? kItemSize20004 : kItemSize20003);
        if (s.HasFailed()) return;
        if (s.IsReading()) items.assign(static_cast<size_t>(itemCount), DrawGroupItem{});
        for (DrawGroupItem& item : items) {
            Long(s, item.spriteid);
            Long(s, item.spritenum);
            Long(s, item.pixelx);
            Long(s, item.pixely);
            Float(s, item.zoffset);
            Long(s, item.flags);
            if (offsets) {
                Float(s, item.xoffset);
                Float(s, item.yoffset);
            }
        }
        if (s.HasFailed()) return;
    }
}

void DrawGroup::ReadOlderLayout(ReconStream& s, std::vector<DrawGroupItemList>& lists, int16_t version) {
    const bool zoffsets = version >= kDrawGroupZOffsetVersion;
    const int32_t itemSize = kOlderItemSize + (zoffsets ? kOlderZOffsetSize : 0);
    const int32_t listCount = OlderCount(s, kOlderListHeaderSize);
    if (listCount < 0) return;
    lists.assign(static_cast<size_t>(listCount), DrawGroupItemList{});
    for (DrawGroupItemList& list : lists) {
        const int32_t itemCount = OlderCount(s, itemSize);
        int8_t view[2] = {0, 0};  // dirflags, zoom
        s.Bytes(view, 2);
        if (itemCount < 0 || s.HasFailed()) return;
        list.dirflags = view[0];
        list.zoom = view[1];
        for (int32_t i = 0; i < itemCount; ++i) {
            int16_t fields[6] = {};  // kind, spriteid, spritenum, flags, pixelx, pixely
            s.Shorts(fields, 6);
            DrawGroupItem item;
            if (zoffsets) Float(s, item.zoffset);
            if (s.HasFailed()) return;
            if (fields[0] != kDrawGroupSpriteItemKind) continue;
            item.spriteid = fields[1];
            item.spritenum = fields[2];
            item.flags = fields[3];
            item.pixelx = fields[4];
            item.pixely = fields[5];
            list.AddItem(item);
        }
    }
}

bool DrawGroup::Parse(const uint8_t* data, size_t size) {
    lists_.clear();
    loadedVersion_ = 0;
    if (!data || size > static_cast<size_t>(INT32_MAX)) return false;
    try {
        // A reading stream never writes into its buffer.
        ReconStream s(const_cast<uint8_t*>(data), static_cast<int32_t>(size), ReconStream::kRead, false);
        int16_t version = 0;
        Reconstitute(s, lists_, version);
        if (s.HasFailed()) {
            lists_.clear();
            return false;
        }
        loadedVersion_ = version;
        return true;
    } catch (const std::bad_alloc&) {
        lists_.clear();
        return false;
    }
}

std::vector<uint8_t> DrawGroup::Serialize() const {
    // Writing and counting streams only read the storage they are given.
    auto& lists = const_cast<std::vector<DrawGroupItemList>&>(lists_);
    int16_t version = kDrawGroupVersion;
    ReconStream counter;
    Reconstitute(counter, lists, version);
    std::vector<uint8_t> out;
    try {
        out.resize(static_cast<size_t>(counter.GetPosition()));
    } catch (const std::bad_alloc&) {
        return {};
    }
    ReconStream writer(out.data(), static_cast<int32_t>(out.size()), ReconStream::kWrite, false);
    Reconstitute(writer, lists, version);
    if (writer.HasFailed() || writer.GetPosition() != counter.GetPosition()) return {};
    return out;
}

ResErr DrawGroup::Load(iResFile& file, ResID id) {
    lists_.clear();
    loadedVersion_ = 0;
    DataHandle* h = file.GetResource(kTypeDGRP, id, nullptr);
    if (!h) return file.GetError() != kNoErr ? file.GetError() : kErrNotFound;
    std::string name;
    file.GetName(h, name);
    SetName(name);
    const bool ok = Parse(h->Data(), h->bytes.size());
    file.ReleaseAndFree(h);
    return ok ? kNoErr : kErrBadChunk;
}

ResErr DrawGroup::Save(iResFile& file, ResID id) const {
    const std::vector<uint8_t> bytes = Serialize();
    if (bytes.empty() || bytes.size() > static_cast<size_t>(INT32_MAX)) return kErrNoMemory;
    DataHandle* h = NewHandleFrom(bytes.data(), static_cast<int32_t>(bytes.size()));
    if (!h) return kErrNoMemory;
    file.Add(h, kTypeDGRP, id, name_, true);
    if (file.GetError() != kNoErr) {
        // A refused block stays ours.
        const ResErr err = file.GetError();
        FreeHandle(h);
        return err;
    }
    file.ReleaseAndFree(h);
    return file.GetError();
}

DrawGroupItemList* DrawGroup::GetItemList(int32_t index) {
    if (index < 0 || index >= CountItemLists()) return nullptr;
    return &lists_[static_cast<size_t>(index)];
}

const DrawGroupItemList* DrawGroup::GetItemList(int32_t index) const {
    if (index < 0 || index >= CountItemLists()) return nullptr;
    return &lists_[static_cast<size_t>(index)];
}

DrawGroupItem* DrawGroup::GetItem(int32_t list, int32_t index) {
    DrawGroupItemList* l = GetItemList(list);
    return l ? l->GetItem(index) : nullptr;
}

DrawGroupItemList& DrawGroup::AddItemList() {
    lists_.emplace_back();
    return lists_.back();
}

bool DrawGroup::AddItem(int32_t list, const DrawGroupItem& item, int32_t position) {
    DrawGroupItemList* l = GetItemList(list);
    return l && l->AddItem(item, position);
}

void DrawGroup::SetName(std::string_view name) {
    const size_t nul = name.find('\0');
    if (nul != std::string_view::npos) name = name.substr(0, nul);
    name_.assign(name.substr(0, kDrawGroupNameMaxLength));
}
