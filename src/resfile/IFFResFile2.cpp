// IFFResFile2: the iResFile operations of IFF 2.x files over the in-memory map.
#include "resfile/IFFResFile2.h"

#include <algorithm>
#include <new>

IFFResFile2::~IFFResFile2() {
    if (IsOpen()) Close();
}

ResErr IFFResFile2::Create(const std::string& path) { return CreateWithHeader(path, MakeIFFHeader25(0)); }

ResErr IFFResFile2::Suspend() {
    if (!IsOpen()) return SetError(kErrNotOpen);
    std::string path;
    file_.GetPath(path);
    savedPath_ = std::make_unique<std::string>(path);
    return Close();
}

ResErr IFFResFile2::Resume() {
    if (!savedPath_) return SetError(kErrOpenFailed);
    std::string path = *savedPath_;
    savedPath_.reset();
    ResErr err = Open(path);
    cursor_ = 0;
    return SetError(err);
}

bool IFFResFile2::HasUnwritten() const {
    for (const auto& g : map_->groups)
        for (const auto& e : g.entries)
            if (e.offset < 0) return true;
    return false;
}

ResErr IFFResFile2::Close() {
    if (!OpenCheck()) return kErrNotOpen;
    ResErr first = kNoErr;
    bool writable = file_.IsWritable();
    try {
        // A resource that was only added reaches the disk even when nothing else changed. The unwritten
        // resources, the compaction and the map reach the disk in one commit.
        if (writable && (modified_ || HasUnwritten())) first = WriteUnwritten();
        if (!first && writable && modified_ && map_->freeSpace >= kCompactThreshold) first = CompactFollowingMap();
        if (!first && writable && modified_) first = WriteMap();
        if (!first && writable) first = file_.Commit();
    } catch (const std::bad_alloc&) {
        if (!first) first = kErrNoMemory;
    }
    // A close that failed part-way leaves the file as its last commit left it.
    if (first && writable) file_.Discard();
    DiscardDirectory();
    ResErr closed = file_.Close();
    return SetError(first ? first : closed);
}

void IFFResFile2::DiscardDirectory() {
    map_.reset();
    modified_ = false;
    headerMapOffset_ = 0;
    openedThroughMap_ = false;
}

ResErr IFFResFile2::WriteUnwritten() {
    ResErr first = kNoErr;
    for (auto g = map_->groups.rbegin(); g != map_->groups.rend(); ++g)
        for (auto e = g->entries.rbegin(); e != g->entries.rend(); ++e)
            if (e->offset < 0 && e->data) {
                Write(e->data.get());
                if (!first) first = GetError();
            }
    return first;
}

void IFFResFile2::Update() {
    if (!OpenCheck()) return;
    ResErr first = WriteUnwritten();
    if (!first && file_.IsWritable()) first = file_.Commit();
    SetError(first);
}

bool IFFResFile2::IsOpen() { return map_ != nullptr && file_.IsOpen(); }

int32_t IFFResFile2::CountTypes() {
    if (!OpenCheck()) return 0;
    return static_cast<int32_t>(map_->groups.size());
}

ResType IFFResFile2::GetIndexedType(int32_t index) {
    if (!OpenCheck()) return 0;
    if (index < 1 || static_cast<size_t>(index) > map_->groups.size()) {
        SetError(kErrTypeIndex);
        return 0;
    }
    return map_->groups[static_cast<size_t>(index) - 1].type;
}

int32_t IFFResFile2::CountResources(ResType type) {
    if (!OpenCheck()) return 0;
    const IFFResTypeGroup* g = map_->FindGroup(type);
    return g ? static_cast<int32_t>(g->entries.size()) : 0;
}

DataHandle* IFFResFile2::GetNamedResource(ResType type, std::string_view name, FixupProc fixup) {
    if (!OpenCheck()) return nullptr;
    IFFResTypeGroup* g = map_->FindGroup(type);
    const BoundedString asked(name, kResNameCapacity);  // the asked name as a stored name can hold it
    if (!name.empty() && g)
        for (auto& e : g->entries)
            if (e.Variant() == 0 && e.name.EqualsFolded(asked.View())) return LoadEntry(type, e, fixup);
    SetError(kErrNameNotFound);
    return nullptr;
}

DataHandle* IFFResFile2::GetIndexedResource(ResType type, int32_t index, FixupProc fixup) {
    if (!OpenCheck()) return nullptr;
    IFFResTypeGroup* g = map_->FindGroup(type);
    if (!g || index < 1 || static_cast<size_t>(index) > g->entries.size()) {
        SetError(kErrNotFound);
        return nullptr;
    }
    return LoadEntry(type, g->entries[static_cast<size_t>(index) - 1], fixup);
}

bool IFFResFile2::GetIndexedInfo(ResType type, int32_t index, ResID& id, std::string& name) {
    if (!OpenCheck()) return false;
    const IFFResTypeGroup* g = map_->FindGroup(type);
    if (!g || index < 1 || static_cast<size_t>(index) > g->entries.size()) {
        SetError(kErrNotFound);
        return false;
    }
    const IFFResMapEntry& e = g->entries[static_cast<size_t>(index) - 1];
    id = e.id;
    name.assign(e.name.View());
    return true;
}

DataHandle* IFFResFile2::GetResourceVariant(ResType type, ResID id, uint8_t variant, FixupProc fixup) {
    if (!OpenCheck()) return nullptr;
    IFFResMapEntry* e = map_->FindVariant(type, id, variant);
    if (!e) {
        SetError(kErrNotFound);
        return nullptr;
    }
    return LoadEntry(type, *e, fixup);
}

void IFFResFile2::GetName(DataHandle* h, std::string& out) {
    out.clear();
    if (!OpenCheck()) return;
    IFFResMapEntry* e = map_->FindHandle(h);
    if (!e) {
        SetError(kErrNotFound);
        return;
    }
    out.assign(e->name.View());
}

ResType IFFResFile2::GetType(DataHandle* h) {
    if (!OpenCheck()) return 0;
    IFFResTypeGroup* g = nullptr;
    if (!map_->FindHandle(h, &g)) {
        SetError(kErrNotFound);
        return 0;
    }
    return g->type;
}

void IFFResFile2::GetID(DataHandle* h, ResID& out) {
    if (!OpenCheck()) return;
    IFFResMapEntry* e = map_->FindHandle(h);
    if (!e) {
        SetError(kErrNotFound);
        return;
    }
    out = e->id;
}

uint8_t IFFResFile2::GetVariant(DataHandle* h) {
    if (!OpenCheck()) return 0;
    IFFResMapEntry* e = map_->FindHandle(h);
    if (!e) {
        SetError(kErrNotFound);
        return 0;
    }
    return e->Variant();
}

void IFFResFile2::ForEachEntry(ResType type, const EntryVisit& visit) {
    if (const IFFResTypeGroup* g = map_->FindGroup(type))
        for (const auto& e : g->entries) visit(e.id, e.Variant(), &e.name);
}

void IFFResFile2::Release(DataHandle* h) {
    if (!OpenCheck()) return;
    IFFResMapEntry* e = map_->FindHandle(h);
    if (!e) {
        SetError(kErrNameNotFound);
        return;
    }
    if (e->offset < 0) {
        Write(h);
        e = map_->FindHandle(h);
        if (!e) return;
    }
    e->data.release();
    e->flags = e->storedFlags;
    SetError(kNoErr);
}

bool IFFResFile2::IsConverted(DataHandle* h) {
    if (!OpenCheck()) return true;
    IFFResMapEntry* e = map_->FindHandle(h);
    if (!e) {
        SetError(kErrNameNotFound);
        return true;
    }
    return (e->flags & kResFlagConverted) != 0;
}

void IFFResFile2::SetID(DataHandle* h, ResID id) {
    std::string name;
    GetName(h, name);
    if (GetError()) return;
    uint8_t variant = GetVariant(h);
    if (GetError()) return;
    SetInfo(h, id, name, variant);
}

void IFFResFile2::Add(DataHandle* h, ResType type, ResID id, std::string_view name, bool converted) {
    AddVariant(h, type, id, name, 0, converted);
}

void IFFResFile2::AddVariant(DataHandle* h, ResType type, ResID id, std::string_view name, uint8_t variant,
                             bool converted) {
    if (!WritableCheck()) return;
    try {
        IFFResMapEntry* e = map_->FindVariant(type, id, variant);
        if (e) {
            if (e->data.get() == h) e->data.release();
            if (e->offset >= 0) {
                if (ResErr err = FreeChunk(e->offset)) {
                    SetError(err);
                    return;
                }
                e->offset = -1;
            }
            e->data.reset();
        } else {
            IFFResTypeGroup& g = map_->GetOrAddGroup(type);
            g.entries.emplace_back();
            e = &g.entries.back();
        }
        e->id = id;
        e->flags = static_cast<uint16_t>((converted ? kResFlagConverted : 0) | (variant << 8));
        e->storedFlags = 0;
        e->data.reset(h);
        e->name.Assign(name);
        e->offset = -1;
        SetError(kNoErr);
    } catch (const std::bad_alloc&) {
        SetError(kErrNoMemory);
    }
}

IFFResMapEntry* IFFResFile2::WritableEntry(DataHandle* h, IFFResTypeGroup** group) {
    if (!WritableCheck()) return nullptr;
    IFFResMapEntry* e = map_->FindHandle(h, group);
    if (!e) SetError(kErrNameNotFound);
    return e;
}

void IFFResFile2::Write(DataHandle* h) {
    IFFResTypeGroup* g = nullptr;
    IFFResMapEntry* e = WritableEntry(h, &g);
    if (!e) return;
    SetError(WriteEntry(g->type, *e));
}

void IFFResFile2::Delete(DataHandle* h) {
    IFFResTypeGroup* g = nullptr;
    IFFResMapEntry* e = WritableEntry(h, &g);
    if (!e) return;
    ResErr err = kNoErr;
    if (e->offset >= 0) err = FreeChunk(e->offset);
    map_->RemoveEntry(g, e);
    SetError(err);
}

void IFFResFile2::SetInfo(DataHandle* h, ResID id, std::string_view name, uint8_t) {
    if (!OpenCheck()) return;
    IFFResMapEntry* e = map_->FindHandle(h);
    if (!e) {
        SetError(kErrNameNotFound);
        return;
    }
    BoundedString newName(name, kResNameCapacity);
    bool changed = false;
    if (e->id != id) {
        e->id = id;
        changed = true;
    }
    if (!(e->name == newName)) {
        e->name = newName;
        changed = true;
    }
    ResErr err = kNoErr;
    if (changed && e->offset >= 0 && file_.IsWritable()) {
        ChunkHeader ch;
        err = ReadHeaderAt(e->offset, ch);
        if (!err) {
            ch.id = e->id;
            ch.SetName(e->name.Str());
            err = WriteHeaderAt(e->offset, ch);
        }
    }
    SetError(err);
}
