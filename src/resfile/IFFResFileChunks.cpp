// IFFResFile: what the 1.0 layout adds to the shared chunk walk: the header check at open, the name
// list and the 16-byte headers of the resources it writes.
#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "resfile/IFFResFile.h"
#include "resfile/ReconBlock.h"

ResErr IFFResFile::ReadDirectory() {
    uint8_t header[kIFFHeaderSize];
    if (ResErr err = file_.Seek(0)) return err;
    if (ResErr err = file_.Read(header, kIFFHeaderSize)) return err;
    auto expected = MakeIFFHeader10();
    if (std::memcmp(header, expected.data(), kIFFHeaderSize) != 0) return kErrBadHeader;
    resources_.types.clear();
    internal_.types.clear();
    names_.entries.clear();
    freeSpace_ = 0;
    open_ = true;
    ScanChunks();
    if (ResErr err = LoadNameList()) return err;
    namesChanged_ = false;
    modified_ = false;
    return kNoErr;
}

void IFFResFile::NoteScannedChunk(int32_t offset, const ChunkHeader10& h) {
    IFFChunkEntry& e = (h.IsInternal() ? internal_ : resources_).AddEntry(h.type);
    e.offset = offset;
    e.id = h.id;
    e.flags = e.storedFlags = h.flags;
    e.nameIndex = h.nameIndex;
}

// The older id 0 form is tried first, then the id 1 block. A file with neither has no names; one whose
// list is present but unreadable fails the open rather than losing every name at the next write.
ResErr IFFResFile::LoadNameList() {
    names_.entries.clear();
    ResErr failure = kNoErr;
    if (IFFChunkEntry* old = internal_.FindID(kTypeNameList, 0)) {
        ResErr err = LoadData(kTypeNameList, *old, nullptr);
        bool ok = !err && names_.ParseOldForm(old->data->Data(), static_cast<size_t>(old->data->Size()));
        old->data.reset();
        old->flags = old->storedFlags;
        if (ok) return kNoErr;
        failure = err ? err : kErrBadChunk;
    }
    if (IFFChunkEntry* cur = internal_.FindID(kTypeNameList, 1)) {
        ResErr err = LoadData(kTypeNameList, *cur, ReconFixup);
        bool ok = false;
        if (!err) {
            SimpleReconObject<IFFNameList> obj(&names_, kTypeNameList);
            ok = ReconstituteFromHandle(obj, *cur->data, nullptr);
        }
        cur->data.reset();
        cur->flags = cur->storedFlags;
        if (ok) return kNoErr;
        names_.entries.clear();
        return err ? err : kErrBadChunk;
    }
    return failure;
}

ResErr IFFResFile::LoadData(ResType type, IFFChunkEntry& e, FixupProc fixup) {
    if (e.data) return kNoErr;
    if (e.offset < 0) return kErrBadChunk;
    ChunkHeader10 h;
    if (ResErr err = ReadHeaderAt(e.offset, h)) return err;
    if (ResErr err = CheckLoadable(h, type, e.offset)) return err;
    const int32_t dataSize = h.size - kChunkHeaderSize10;
    HandleOwner data(NewHandle(dataSize));
    if (!data) return kErrNoMemory;
    if (ResErr err = file_.Read(data->Data(), data->Size())) return err;
    ConvertOnLoad(*data, fixup, e.storedFlags, e.flags);
    e.data = std::move(data);
    return kNoErr;
}

DataHandle* IFFResFile::LoadEntry(ResType type, IFFChunkEntry& e, FixupProc fixup) {
    if (ResErr err = LoadData(type, e, fixup)) {
        SetError(err);
        return nullptr;
    }
    SetError(kNoErr);
    return e.data.get();
}

ResErr IFFResFile::WriteEntry(ResType type, IFFChunkEntry& e) {
    ChunkHeader10 h;
    h.type = type;
    h.id = e.id;
    h.flags = e.flags;
    h.nameIndex = e.nameIndex;
    if (ResErr err = WriteChunk(e.offset, h, e.data.get())) return err;
    e.storedFlags = e.flags;
    return kNoErr;
}

// The list goes back as the id 1 block (converted, internal); once that is on disk the older id 0
// form is deleted so that the next open does not prefer stale names.
ResErr IFFResFile::WriteNameList() {
    SimpleReconObject<IFFNameList> obj(&names_, kTypeNameList);
    HandleOwner block(SerializeToHandle(obj, 0));
    if (!block) return kErrBadChunk;
    IFFChunkEntry* e = internal_.FindID(kTypeNameList, 1);
    if (!e) {
        e = &internal_.AddEntry(kTypeNameList);
        e->id = 1;
    }
    e->data = std::move(block);
    e->flags = kResFlagConverted | kResFlagInternal;
    e->nameIndex = kNoNameIndex;
    ResErr err = WriteEntry(kTypeNameList, *e);
    e->data.reset();
    if (err) return err;
    while (IFFChunkEntry* old = internal_.FindID(kTypeNameList, 0)) {
        if (old->offset >= 0)
            if (ResErr freeErr = FreeChunk(old->offset)) return freeErr;
        internal_.RemoveEntry(internal_.FindType(kTypeNameList), old);
    }
    namesChanged_ = false;
    return kNoErr;
}
