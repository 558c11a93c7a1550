// IFFResFile: the iResFile operations of IFF 1.0 files over their resource lists and name list.
#include "resfile/IFFResFile.h"

#include <algorithm>
#include <new>

#include "resfile/IFFFormat.h"

IFFResFile::~IFFResFile() {
    if (IsOpen()) Close();
}

ResErr IFFResFile::Create(const std::string& path) {
    if (ResErr err = CreateWithHeader(path, MakeIFFHeader10())) return err;
    // A new file holds its (empty) name list from the start.
    if (ResErr openErr = Open(path)) return SetError(openErr);
    namesChanged_ = true;
    return Close();
}

ResErr IFFResFile::Suspend() { return SetError(kErrOpenFailed); }

ResErr IFFResFile::Resume() { return SetError(kErrOpenFailed); }

ResErr IFFResFile::Close() {
    if (!OpenCheck()) return kErrNotOpen;
    ResErr first = kNoErr;
    bool writable = file_.IsWritable();
    try {
        // A resource that was only added, or a changed name, reaches the disk even when nothing else changed.
        if (writable && (namesChanged_ || resources_.HasUnwritten())) first = WriteUnwritten();
    } catch (const std::bad_alloc&) {
        first = kErrNoMemory;
    }
    DiscardDirectory();
    // Free space is given back whether or not this session changed anything; the unwritten resources and the
    // compaction reach the disk in one commit.
    if (!first && writable && freeSpace_ >= kCompactThreshold) first = Compact();
    if (!first && writable) first = file_.Commit();
    // A close that failed part-way leaves the file as its last commit left it.
    if (first && writable) file_.Discard();
    freeSpace_ = 0;
    ResErr closed = file_.Close();
    return SetError(first ? first : closed);
}

void IFFResFile::DiscardDirectory() {
    resources_.types.clear();
    internal_.types.clear();
    names_.entries.clear();
    namesChanged_ = false;
    modified_ = false;
    open_ = false;
}

ResErr IFFResFile::WriteUnwritten() {
    ResErr first = kNoErr;
    if (namesChanged_) {
        try {
            first = WriteNameList();
        } catch (const std::bad_alloc&) {
            first = kErrNoMemory;
        }
    }
    for (auto& t : resources_.types)
        for (auto& e : t.entries)
            if (e.offset < 0 && e.data) {
                Write(e.data.get());
                if (!first) first = GetError();
            }
    return first;
}

void IFFResFile::Update() {
    if (!OpenCheck()) return;
    ResErr first = kNoErr;
    if (file_.IsWritable()) {
        first = WriteUnwritten();
        if (!first) first = file_.Commit();
    }
    SetError(first);
}

bool IFFResFile::IsOpen() { return open_ && file_.IsOpen(); }

int32_t IFFResFile::CountTypes() {
    if (!OpenCheck()) return 0;
    return static_cast<int32_t>(resources_.types.size());
}

ResType IFFResFile::GetIndexedType(int32_t index) {
    if (!OpenCheck()) return 0;
    IFFChunkTypeNode* t = resources_.GetIndexedType(index);
    if (!t) {
        SetError(kErrTypeIndex);
        return 0;
    }
    return t->type;
}

int32_t IFFResFile::CountResources(ResType type) {
    if (!OpenCheck()) return 0;
    const IFFChunkTypeNode* t = resources_.FindType(type);
    return t ? static_cast<int32_t>(t->entries.size()) : 0;
}

DataHandle* IFFResFile::GetNamedResource(ResType type, std::string_view name, FixupProc fixup) {
    if (!OpenCheck()) return nullptr;
    IFFChunkTypeNode* t = resources_.FindType(type);
    const BoundedString asked(name, kResNameCapacity);  // the asked name as a stored name can hold it
    if (!name.empty() && t)
        for (auto& e : t->entries) {
            const IFFNameEntry* n = names_.Find(e.nameIndex);
            if (n && n->name.EqualsFolded(asked.View())) return LoadEntry(type, e, fixup);
        }
    SetError(kErrNameNotFound);
    return nullptr;
}

DataHandle* IFFResFile::GetIndexedResource(ResType type, int32_t index, FixupProc fixup) {
    if (!OpenCheck()) return nullptr;
    IFFChunkEntry* e = resources_.GetIndexedEntry(type, index);
    if (!e) {
        SetError(kErrNotFound);
        return nullptr;
    }
    return LoadEntry(type, *e, fixup);
}

bool IFFResFile::GetIndexedInfo(ResType type, int32_t index, ResID& id, std::string& name) {
    if (!OpenCheck()) return false;
    const IFFChunkEntry* e = resources_.GetIndexedEntry(type, index);
    if (!e) {
        SetError(kErrNotFound);
        return false;
    }
    id = e->id;
    name = NameOf(*e);
    return true;
}

DataHandle* IFFResFile::GetResourceVariant(ResType type, ResID id, uint8_t variant, FixupProc fixup) {
    if (!OpenCheck()) return nullptr;
    if (variant != 0) {
        SetError(kErrNoVariants);
        return nullptr;
    }
    IFFChunkEntry* e = resources_.FindID(type, id);
    if (!e) {
        SetError(kErrNotFound);
        return nullptr;
    }
    return LoadEntry(type, *e, fixup);
}

void IFFResFile::GetName(DataHandle* h, std::string& out) {
    out.clear();
    if (!OpenCheck()) return;
    IFFChunkEntry* e = resources_.FindHandle(h);
    if (!e) {
        SetError(kErrNotFound);
        return;
    }
    out = NameOf(*e);
}

ResType IFFResFile::GetType(DataHandle* h) {
    if (!OpenCheck()) return 0;
    IFFChunkTypeNode* t = nullptr;
    if (!resources_.FindHandle(h, &t)) {
        SetError(kErrNotFound);
        return 0;
    }
    return t->type;
}

void IFFResFile::GetID(DataHandle* h, ResID& out) {
    if (!OpenCheck()) return;
    IFFChunkEntry* e = resources_.FindHandle(h);
    if (!e) {
        SetError(kErrNotFound);
        return;
    }
    out = e->id;
}

uint8_t IFFResFile::GetVariant(DataHandle* h) {
    if (!OpenCheck()) return 0;
    if (!resources_.FindHandle(h)) SetError(kErrNotFound);
    return 0;
}

void IFFResFile::ForEachEntry(ResType type, const EntryVisit& visit) {
    if (const IFFChunkTypeNode* t = resources_.FindType(type))
        for (const auto& e : t->entries) {
            const IFFNameEntry* n = names_.Find(e.nameIndex);
            visit(e.id, 0, n ? &n->name : nullptr);
        }
}

void IFFResFile::Release(DataHandle* h) {
    if (!OpenCheck()) return;
    IFFChunkEntry* e = resources_.FindHandle(h);
    if (!e) {
        SetError(kErrNameNotFound);
        return;
    }
    if (e->offset < 0) Write(h);
    e->data.release();
    e->flags = e->storedFlags;
    SetError(kNoErr);
}

bool IFFResFile::IsConverted(DataHandle* h) {
    if (!OpenCheck()) return true;
    IFFChunkEntry* e = resources_.FindHandle(h);
    if (!e) {
        SetError(kErrNameNotFound);
        return true;
    }
    return (e->flags & kResFlagConverted) != 0;
}

void IFFResFile::SetID(DataHandle* h, ResID id) {
    std::string name;
    GetName(h, name);
    if (GetError()) return;
    SetInfo(h, id, name, 0);
}

void IFFResFile::ForgetName(int32_t nameIndex, const IFFChunkEntry* leaving) {
    if (nameIndex == kNoNameIndex) return;
    for (IFFChunkList* list : {&resources_, &internal_})
        for (const auto& t : list->types)
            for (const auto& e : t.entries)
                if (&e != leaving && e.nameIndex == nameIndex) return;
    if (names_.EmptyEntry(nameIndex)) namesChanged_ = true;
}

void IFFResFile::Add(DataHandle* h, ResType type, ResID id, std::string_view name, bool converted) {
    if (!WritableCheck()) return;
    try {
        int32_t nameIndex = kNoNameIndex;
        if (!BoundedString(name, kResNameCapacity).Empty()) {
            nameIndex = names_.Add(name);
            if (nameIndex == 0) {
                SetError(kErrNameNotRecorded);
                return;
            }
            namesChanged_ = true;
        }
        IFFChunkEntry* e = resources_.FindID(type, id);
        if (e) {
            if (e->data.get() == h) e->data.release();
            if (e->offset >= 0) {
                if (ResErr err = FreeChunk(e->offset)) {
                    names_.EmptyEntry(nameIndex);
                    SetError(err);
                    return;
                }
                e->offset = -1;
            }
            e->data.reset();
            ForgetName(e->nameIndex, e);
        } else {
            e = &resources_.AddEntry(type);
        }
        e->id = id;
        e->flags = converted ? kResFlagConverted : 0;
        e->storedFlags = 0;
        e->data.reset(h);
        e->nameIndex = nameIndex;
        e->offset = -1;
        SetError(kNoErr);
    } catch (const std::bad_alloc&) {
        SetError(kErrNoMemory);
    }
}

void IFFResFile::AddVariant(DataHandle* h, ResType type, ResID id, std::string_view name, uint8_t,
                            bool converted) {
    Add(h, type, id, name, converted);
}

IFFChunkEntry* IFFResFile::WritableEntry(DataHandle* h, IFFChunkTypeNode** group) {
    if (!WritableCheck()) return nullptr;
    IFFChunkEntry* e = resources_.FindHandle(h, group);
    if (!e) SetError(kErrNameNotFound);
    return e;
}

void IFFResFile::Write(DataHandle* h) {
    IFFChunkTypeNode* t = nullptr;
    IFFChunkEntry* e = WritableEntry(h, &t);
    if (!e) return;
    SetError(WriteEntry(t->type, *e));
}

void IFFResFile::Delete(DataHandle* h) {
    IFFChunkTypeNode* t = nullptr;
    IFFChunkEntry* e = WritableEntry(h, &t);
    if (!e) return;
    ResErr err = kNoErr;
    if (e->offset >= 0) err = FreeChunk(e->offset);
    ForgetName(e->nameIndex, e);
    resources_.RemoveEntry(t, e);
    SetError(err);
}

void IFFResFile::SetInfo(DataHandle* h, ResID id, std::string_view name, uint8_t variant) {
    if (!OpenCheck()) return;
    if (variant != 0) {
        SetError(kErrNoVariants);
        return;
    }
    IFFChunkEntry* e = resources_.FindHandle(h);
    if (!e) {
        SetError(kErrNameNotFound);
        return;
    }
    BoundedString newName(name, kResNameCapacity);
    bool changed = false;
    try {
        if (newName.Str() != NameOf(*e)) {
            int32_t newIndex = kNoNameIndex;
            if (!newName.Empty()) {
                newIndex = names_.Add(newName.Str());
                if (newIndex == 0) {
                    SetError(kErrNameNotRecorded);
                    return;
                }
            }
            ForgetName(e->nameIndex, e);
            e->nameIndex = newIndex;
            namesChanged_ = true;
            changed = true;
        }
    } catch (const std::bad_alloc&) {
        SetError(kErrNoMemory);
        return;
    }
    if (e->id != id) {
        e->id = id;
        changed = true;
    }
    ResErr err = kNoErr;
    if (changed && e->offset >= 0 && file_.IsWritable()) {
        ChunkHeader10 ch;
        err = ReadHeaderAt(e->offset, ch);
        if (!err) {
            ch.id = e->id;
            ch.nameIndex = e->nameIndex;
            err = WriteHeaderAt(e->offset, ch);
        }
    }
    SetError(err);
}
