// IFFResFile: everything that touches chunks on disk: open, scan, the name list, allocation, freeing,
// writing and compaction.
#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "resfile/IFFResFile.h"
#include "resfile/ReconBlock.h"

ResErr IFFResFile::ReadHeaderAt(int32_t offset, ChunkHeader10& out) {
    uint8_t b[kChunkHeaderSize10];
    if (ResErr err = file_.Seek(offset)) return err;
    if (ResErr err = file_.Read(b, kChunkHeaderSize10)) return err;
    out = ParseChunkHeader10(b);
    return kNoErr;
}

ResErr IFFResFile::WriteHeaderAt(int32_t offset, const ChunkHeader10& h) {
    modified_ = true;
    auto bytes = SerializeChunkHeader10(h);
    if (ResErr err = file_.Seek(offset)) return err;
    return file_.Write(bytes.data(), kChunkHeaderSize10);
}

// The count is informational (it only decides when compaction runs); it saturates rather than wraps
// when a damaged file announces absurd free chunks.
void IFFResFile::AddFreeSpace(int64_t delta) {
    int64_t v = static_cast<int64_t>(freeSpace_) + delta;
    freeSpace_ = static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

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

// Every chunk header from offset 64 until one cannot be read, or until a size smaller than a header
// (which would loop or step backwards).
void IFFResFile::ScanChunks() {
    int64_t offset = kIFFHeaderSize;
    ChunkHeader10 h;
    while (offset <= INT32_MAX && ReadHeaderAt(static_cast<int32_t>(offset), h) == kNoErr) {
        if (h.size < kChunkHeaderSize10) break;
        if (h.IsFree()) {
            AddFreeSpace(h.size);
        } else {
            IFFChunkEntry& e = (h.IsInternal() ? internal_ : resources_).AddEntry(h.type);
            e.offset = static_cast<int32_t>(offset);
            e.id = h.id;
            e.flags = e.storedFlags = h.flags;
            e.nameIndex = h.nameIndex;
        }
        offset += h.size;
    }
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
    int64_t dataSize = static_cast<int64_t>(h.size) - kChunkHeaderSize10;
    if (h.type != type || dataSize < 0 || dataSize > kMaxChunkSize) return kErrBadChunk;
    // A size that the file cannot hold is a read error, found before anything is allocated.
    int32_t length = 0;
    file_.GetLength(length);
    if (static_cast<int64_t>(e.offset) + h.size > length) return kErrRead;
    HandleOwner data(NewHandle(static_cast<int32_t>(dataSize)));
    if (!data) return kErrNoMemory;
    if (ResErr err = file_.Read(data->Data(), data->Size())) return err;
    if (!(e.storedFlags & kResFlagConverted) && fixup) {
        fixup(data->Data(), data->Size());
        e.flags |= kResFlagConverted;
    }
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

// Next-fit walk from the cursor: an exact free chunk is taken whole, a larger one split when the rest
// can hold a chunk header, and the end of the sequence is appended to.
ResErr IFFResFile::AllocateChunk(int32_t dataSize, int32_t& outOffset) {
    if (dataSize < 0 || dataSize > kMaxChunkSize - kChunkHeaderSize10) return kErrBadChunk;
    const int32_t s = dataSize + kChunkHeaderSize10;
    modified_ = true;
    int64_t offset = cursor_ > 0 ? cursor_ : kIFFHeaderSize;
    ChunkHeader10 h;
    for (;;) {
        bool endOfSequence = offset > INT32_MAX - s || ReadHeaderAt(static_cast<int32_t>(offset), h) != kNoErr;
        int32_t length = 0;
        file_.GetLength(length);
        if (!endOfSequence && (h.size < kChunkHeaderSize10 || offset + h.size > length)) {
            // A chunk smaller than its header or running past the file's end ends the sound chunks: new data
            // goes behind the file's end, so that nothing behind the broken chunk is overwritten and later
            // allocations still find room.
            offset = length;
            endOfSequence = true;
        }
        if (endOfSequence) {
            if (offset > INT32_MAX - s) return kErrShortWrite;
            ChunkHeader10 fresh;
            fresh.type = kTypeFree;
            fresh.size = s;
            fresh.flags = kResFlagFree;
            if (ResErr err = WriteHeaderAt(static_cast<int32_t>(offset), fresh)) return err;
            cursor_ = static_cast<int32_t>(offset);
            outOffset = cursor_;
            return kNoErr;
        }
        cursor_ = static_cast<int32_t>(offset);
        if (h.IsFree()) {
            int64_t merged = h.size;
            ChunkHeader10 next;
            while (offset + merged <= INT32_MAX &&
                   ReadHeaderAt(static_cast<int32_t>(offset + merged), next) == kNoErr && next.IsFree() &&
                   next.size >= kChunkHeaderSize10 && merged + next.size <= INT32_MAX &&
                   offset + merged + next.size <= length)
                merged += next.size;
            if (merged != h.size) {
                h.size = static_cast<int32_t>(merged);
                if (ResErr err = WriteHeaderAt(static_cast<int32_t>(offset), h)) return err;
            }
            if (h.size == s) {
                AddFreeSpace(-s);
                outOffset = static_cast<int32_t>(offset);
                return kNoErr;
            }
            if (static_cast<int64_t>(h.size) >= static_cast<int64_t>(s) + kChunkHeaderSize10) {
                ChunkHeader10 rest;
                rest.type = kTypeFree;
                rest.flags = kResFlagFree;
                rest.size = h.size - s;
                if (ResErr err = WriteHeaderAt(static_cast<int32_t>(offset) + s, rest)) return err;
                h.size = s;
                if (ResErr err = WriteHeaderAt(static_cast<int32_t>(offset), h)) return err;
                AddFreeSpace(-s);
                outOffset = static_cast<int32_t>(offset);
                return kNoErr;
            }
        }
        offset += h.size;
    }
}

ResErr IFFResFile::FreeChunk(int32_t offset) {
    ChunkHeader10 h;
    if (ResErr err = ReadHeaderAt(offset, h)) return err;
    h.type = kTypeFree;
    h.flags |= kResFlagFree;
    if (ResErr err = WriteHeaderAt(offset, h)) return err;
    AddFreeSpace(h.size);
    return kNoErr;
}

ResErr IFFResFile::WriteEntry(ResType type, IFFChunkEntry& e) {
    const DataHandle* data = e.data.get();
    int32_t n = data ? data->Size() : 0;
    if (n > kMaxChunkSize - kChunkHeaderSize10) return kErrBadChunk;
    if (e.offset >= 0) {
        ChunkHeader10 old;
        if (ResErr err = ReadHeaderAt(e.offset, old)) return err;
        if (old.size != n + kChunkHeaderSize10) {
            if (ResErr err = FreeChunk(e.offset)) return err;
            e.offset = -1;
        }
    }
    if (e.offset < 0) {
        int32_t at = 0;
        if (ResErr err = AllocateChunk(n, at)) return err;
        e.offset = at;
    }
    ChunkHeader10 h;
    h.type = type;
    h.size = n + kChunkHeaderSize10;
    h.id = e.id;
    h.flags = e.flags;
    h.nameIndex = e.nameIndex;
    if (ResErr err = WriteHeaderAt(e.offset, h)) return err;
    if (n > 0) {
        if (ResErr err = file_.Seek(e.offset + kChunkHeaderSize10)) return err;
        if (ResErr err = file_.Write(data->Data(), n)) return err;
    }
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

// True when the walk from offset 64 meets only chunks that fit their header and the file, up to the
// file's end or a cut-off header at it.
bool IFFResFile::IsChunkSequenceSound() {
    int32_t length = 0;
    if (file_.GetLength(length)) return false;
    int64_t offset = kIFFHeaderSize;
    ChunkHeader10 h;
    while (offset + kChunkHeaderSize10 <= length) {
        if (ReadHeaderAt(static_cast<int32_t>(offset), h)) return false;
        if (h.size < kChunkHeaderSize10 || offset + h.size > length) return false;
        offset += h.size;
    }
    return true;
}

// Drops the free chunks, moving every other chunk down through one buffer. The lists are discarded
// before this runs, so no offsets need following.
ResErr IFFResFile::Compact() {
    std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[kCompactBufferSize]);
    if (!buffer) return kErrNoMemory;
    // Chunks are only moved over a sound sequence: a broken chunk header would make the moves and
    // the final cut destroy whatever lies behind it.
    if (!IsChunkSequenceSound()) return kNoErr;
    int32_t length = 0;
    file_.GetLength(length);
    int64_t offset = kIFFHeaderSize;
    int64_t dropped = 0;
    ChunkHeader10 h;
    while (offset + kChunkHeaderSize10 <= length) {
        if (ResErr err = ReadHeaderAt(static_cast<int32_t>(offset), h)) return err;
        if (h.size < kChunkHeaderSize10) break;
        int64_t size = std::min<int64_t>(h.size, length - offset);
        if (h.IsFree()) {
            dropped += size;
        } else if (dropped > 0) {
            for (int64_t done = 0; done < size;) {
                int32_t piece = static_cast<int32_t>(std::min<int64_t>(kCompactBufferSize, size - done));
                if (ResErr err = file_.Seek(static_cast<int32_t>(offset + done))) return err;
                if (ResErr err = file_.Read(buffer.get(), piece)) return err;
                if (ResErr err = file_.Seek(static_cast<int32_t>(offset + done - dropped))) return err;
                if (ResErr err = file_.Write(buffer.get(), piece)) return err;
                done += piece;
            }
        }
        offset += size;
    }
    if (dropped == 0) return kNoErr;
    modified_ = true;
    if (ResErr err = file_.SetLength(static_cast<int32_t>(offset - dropped))) return err;
    freeSpace_ = 0;
    cursor_ = -1;
    return kNoErr;
}
