// IFFResFile2: everything that touches chunks on disk: open, scan, allocation, freeing, writing,
// compaction and the map written at close.
#include <algorithm>
#include <cstring>
#include <new>
#include <unordered_map>
#include <vector>

#include "resfile/IFFResFile2.h"
#include "resfile/IFFMapCheck.h"
#include "resfile/ReconBlock.h"

ResErr IFFResFile2::ReadHeaderAt(int32_t offset, ChunkHeader& out) {
    uint8_t b[kChunkHeaderSize];
    if (ResErr err = file_.Seek(offset)) return err;
    if (ResErr err = file_.Read(b, kChunkHeaderSize)) return err;
    out = ParseChunkHeader(b);
    return kNoErr;
}

// The first header write after an open finds the header still naming the map it was opened with:
// the header is reset to "no map" first, and the old map chunk is freed only when it really is one.
ResErr IFFResFile2::ResetFileHeaderForChange() {
    uint32_t oldMap = static_cast<uint32_t>(headerMapOffset_);
    auto header = MakeIFFHeader25(0);
    if (ResErr err = file_.Seek(0)) return err;
    // Until the header is rewritten every change must retry, or a stale map would be trusted.
    if (ResErr err = file_.Write(header.data(), kIFFHeaderSize)) return err;
    headerMapOffset_ = 0;
    ChunkHeader h;
    if (oldMap >= static_cast<uint32_t>(kIFFHeaderSize) && oldMap <= INT32_MAX &&
        ReadHeaderAt(static_cast<int32_t>(oldMap), h) == kNoErr && h.type == kTypeResMap && !h.IsFree() &&
        h.SizeInRange())
        return FreeChunk(static_cast<int32_t>(oldMap));
    return kNoErr;
}

ResErr IFFResFile2::WriteHeaderAt(int32_t offset, const ChunkHeader& h) {
    modified_ = true;
    if (headerMapOffset_ != 0)
        if (ResErr err = ResetFileHeaderForChange()) return err;
    auto bytes = SerializeChunkHeader(h);
    if (ResErr err = file_.Seek(offset)) return err;
    return file_.Write(bytes.data(), kChunkHeaderSize);
}

ResErr IFFResFile2::ReadDirectory() {
    uint8_t header[kIFFHeaderSize];
    if (ResErr err = file_.Seek(0)) return err;
    if (ResErr err = file_.Read(header, kIFFHeaderSize)) return err;
    uint32_t mapOffset = 0;
    if (!MatchIFFHeader2(header, version_, mapOffset)) return kErrBadHeader;
    map_ = std::make_unique<IFFResMap>();
    headerMapOffset_ = 0;
    openedThroughMap_ = false;
    if (version_ == kIFFVersion25 && mapOffset != 0) {
        headerMapOffset_ = mapOffset <= INT32_MAX ? static_cast<int32_t>(mapOffset) : 0;
        openedThroughMap_ = LoadMapAt(mapOffset);
    }
    if (!openedThroughMap_) {
        map_ = std::make_unique<IFFResMap>();
        ScanChunks();
    }
    map_->RemoveGroup(kTypeResMap);
    modified_ = false;
    return kNoErr;
}

ResErr IFFResFile2::ReadChunkAhead(int32_t offset, ChunkHeader& h, ChunkAhead& ahead) {
    if (ResErr err = file_.Seek(offset)) return err;
    int32_t got = 0;
    if (ResErr err = file_.ReadUpTo(ahead.bytes, kChunkReadAhead, got)) return err;
    if (got < kChunkHeaderSize) return kErrRead;
    h = ParseChunkHeader(ahead.bytes);
    ahead.dataBytes = got - kChunkHeaderSize;
    return kNoErr;
}

ResErr IFFResFile2::ReadChunkData(int32_t offset, const ChunkAhead& ahead, uint8_t* out, int32_t dataSize) {
    const int32_t fromAhead = std::min(dataSize, ahead.dataBytes);
    if (fromAhead > 0) std::memcpy(out, ahead.bytes + kChunkHeaderSize, static_cast<size_t>(fromAhead));
    if (fromAhead == dataSize) return kNoErr;
    if (ResErr err = file_.Seek(offset + kChunkHeaderSize + fromAhead)) return err;
    return file_.Read(out + fromAhead, dataSize - fromAhead);
}

bool IFFResFile2::LoadMapAt(uint32_t offset) {
    if (offset > INT32_MAX) return false;
    ChunkHeader h;
    auto ahead = std::make_unique<ChunkAhead>();
    if (ReadChunkAhead(static_cast<int32_t>(offset), h, *ahead) != kNoErr || h.IsFree() || h.type != kTypeResMap)
        return false;
    int32_t length = 0;
    file_.GetLength(length);
    int64_t dataSize = static_cast<int64_t>(h.size) - kChunkHeaderSize;
    if (dataSize < 0 || dataSize > kMaxChunkSize || static_cast<int64_t>(offset) + h.size > length) return false;
    std::vector<uint8_t> data;
    try {
        data.resize(static_cast<size_t>(dataSize));
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (ReadChunkData(static_cast<int32_t>(offset), *ahead, data.data(), static_cast<int32_t>(dataSize)) != kNoErr)
        return false;
    // The map block is ours only when it decodes completely; anything else means scan.
    DataHandle block;
    block.bytes = std::move(data);
    if (!(h.flags & kResFlagConverted)) ReconFixup(block.Data(), block.Size());
    SimpleReconObject<IFFResMap> obj(map_.get(), kTypeResMap);
    if (!ReconstituteFromHandle(obj, block, nullptr)) return false;
    // A map that lists a map, or entries the file cannot hold, is not trusted.
    if (map_->FindVariant(kTypeResMap, 0, 0)) return false;
    return IsMapPlausible(*map_, length);
}

void IFFResFile2::ScanChunks() {
    int64_t offset = kIFFHeaderSize;
    ChunkHeader h;
    while (offset <= INT32_MAX && ReadHeaderAt(static_cast<int32_t>(offset), h) == kNoErr) {
        if (!h.SizeInRange()) break;
        if (h.IsFree()) {
            map_->AddFreeSpace(h.size);
        } else {
            IFFResTypeGroup& g = map_->GetOrAddGroup(h.type);
            g.entries.emplace_back();
            IFFResMapEntry& e = g.entries.back();
            e.offset = static_cast<int32_t>(offset);
            e.id = h.id;
            e.flags = e.storedFlags = h.flags;
            e.name.Assign(h.NameText());
        }
        offset += h.size;
    }
}

DataHandle* IFFResFile2::LoadEntry(ResType type, IFFResMapEntry& e, FixupProc fixup) {
    map_->NoteEntry(&e);
    if (e.data) return e.data.get();
    if (e.offset < 0) {
        SetError(kErrBadChunk);
        return nullptr;
    }
    ChunkHeader h;
    ChunkAhead ahead;
    if (ResErr err = ReadChunkAhead(e.offset, h, ahead)) {
        SetError(err);
        return nullptr;
    }
    int64_t dataSize = static_cast<int64_t>(h.size) - kChunkHeaderSize;
    if (h.type != type || dataSize < 0 || dataSize > kMaxChunkSize) {
        SetError(kErrBadChunk);
        return nullptr;
    }
    // A size that the file cannot hold is a read error, found before anything is allocated.
    int32_t length = 0;
    file_.GetLength(length);
    if (static_cast<int64_t>(e.offset) + h.size > length) {
        SetError(kErrRead);
        return nullptr;
    }
    HandleOwner data(NewHandle(static_cast<int32_t>(dataSize)));
    if (!data) {
        SetError(kErrNoMemory);
        return nullptr;
    }
    if (ResErr err = ReadChunkData(e.offset, ahead, data->Data(), data->Size())) {
        SetError(err);
        return nullptr;
    }
    if (!(e.storedFlags & kResFlagConverted) && fixup) {
        fixup(data->Data(), data->Size());
        e.flags |= kResFlagConverted;
    }
    e.data = std::move(data);
    SetError(kNoErr);
    return e.data.get();
}

// Next-fit walk from the cursor: an exact free chunk is taken whole, a larger one split when the
// rest can hold a chunk header, and the end of the sequence is appended to.
ResErr IFFResFile2::AllocateChunk(int32_t dataSize, int32_t& outOffset) {
    if (dataSize < 0 || dataSize > kMaxChunkSize - kChunkHeaderSize) return kErrBadChunk;
    const int32_t s = dataSize + kChunkHeaderSize;
    modified_ = true;
    int64_t offset = cursor_ > 0 ? cursor_ : kIFFHeaderSize;
    ChunkHeader h;
    for (;;) {
        bool endOfSequence = offset > INT32_MAX - s || ReadHeaderAt(static_cast<int32_t>(offset), h) != kNoErr;
        int32_t length = 0;
        file_.GetLength(length);
        if (!endOfSequence && (!h.SizeInRange() || offset + h.size > length)) {
            // A chunk smaller than its header, larger than a chunk can be or running past the file's end ends
            // the sound chunks: new data goes behind the file's end, so that nothing listed before the broken
            // chunk (nor the broken chunk itself) is overwritten and later allocations still find room.
            offset = length;
            endOfSequence = true;
        }
        if (endOfSequence) {
            if (offset > INT32_MAX - s) return kErrShortWrite;
            ChunkHeader fresh;
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
            ChunkHeader next;
            while (offset + merged <= INT32_MAX &&
                   ReadHeaderAt(static_cast<int32_t>(offset + merged), next) == kNoErr && next.IsFree() &&
                   next.size >= kChunkHeaderSize && merged + next.size <= kMaxChunkSize &&
                   offset + merged + next.size <= length)
                merged += next.size;
            if (merged != h.size) {
                h.size = static_cast<int32_t>(merged);
                if (ResErr err = WriteHeaderAt(static_cast<int32_t>(offset), h)) return err;
            }
            if (h.size == s) {
                map_->AddFreeSpace(-s);
                outOffset = static_cast<int32_t>(offset);
                return kNoErr;
            }
            if (h.size >= s + kChunkHeaderSize) {
                ChunkHeader rest;
                rest.type = kTypeFree;
                rest.flags = kResFlagFree;
                rest.size = h.size - s;
                if (ResErr err = WriteHeaderAt(static_cast<int32_t>(offset) + s, rest)) return err;
                h.size = s;
                if (ResErr err = WriteHeaderAt(static_cast<int32_t>(offset), h)) return err;
                map_->AddFreeSpace(-s);
                outOffset = static_cast<int32_t>(offset);
                return kNoErr;
            }
        }
        offset += h.size;
    }
}

ResErr IFFResFile2::FreeChunk(int32_t offset) {
    ChunkHeader h;
    if (ResErr err = ReadHeaderAt(offset, h)) return err;
    h.type = kTypeFree;
    h.flags |= kResFlagFree;
    if (ResErr err = WriteHeaderAt(offset, h)) return err;
    map_->AddFreeSpace(h.size);
    return kNoErr;
}

ResErr IFFResFile2::WriteEntry(ResType type, IFFResMapEntry& e) {
    const DataHandle* data = e.data.get();
    int32_t n = data ? data->Size() : 0;
    if (n > kMaxChunkSize - kChunkHeaderSize) return kErrBadChunk;
    if (e.offset >= 0) {
        ChunkHeader old;
        if (ResErr err = ReadHeaderAt(e.offset, old)) return err;
        if (old.size != n + kChunkHeaderSize) {
            if (ResErr err = FreeChunk(e.offset)) return err;
            e.offset = -1;
        }
    }
    if (e.offset < 0) {
        int32_t at = 0;
        if (ResErr err = AllocateChunk(n, at)) return err;
        e.offset = at;
    }
    ChunkHeader h;
    h.type = type;
    h.size = n + kChunkHeaderSize;
    h.id = e.id;
    h.flags = e.flags;
    h.SetName(e.name.Str());
    if (ResErr err = WriteHeaderAt(e.offset, h)) return err;
    if (n > 0) {
        if (ResErr err = file_.Seek(e.offset + kChunkHeaderSize)) return err;
        if (ResErr err = file_.Write(data->Data(), n)) return err;
    }
    e.storedFlags = e.flags;
    return kNoErr;
}

// Drops free chunks and stale map chunks, moving every other chunk down through one buffer.
ResErr IFFResFile2::Compact() {
    std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[kCompactBufferSize]);
    if (!buffer) return kErrNoMemory;
    int32_t length = 0;
    file_.GetLength(length);
    // Chunks are only moved over a sound sequence: a broken chunk header would make the moves
    // and the final cut destroy whatever lies behind it.
    if (!IsChunkSequenceSound(file_, length)) return kNoErr;
    // Where each listed chunk stands, so that moving a chunk finds its entry at once.
    std::unordered_map<int32_t, IFFResMapEntry*> byOffset;
    for (auto& g : map_->groups)
        for (auto& e : g.entries)
            if (e.offset >= 0) byOffset.emplace(e.offset, &e);
    int64_t offset = kIFFHeaderSize;
    int64_t dropped = 0;
    ChunkHeader h;
    while (offset <= INT32_MAX - kChunkHeaderSize && offset + kChunkHeaderSize <= length) {
        if (ResErr err = ReadHeaderAt(static_cast<int32_t>(offset), h)) return err;
        if (h.size < kChunkHeaderSize) break;
        int64_t size = std::min<int64_t>(h.size, length - offset);
        if (h.IsFree() || h.type == kTypeResMap) {
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
            auto moved = byOffset.find(static_cast<int32_t>(offset));
            if (moved != byOffset.end()) moved->second->offset = static_cast<int32_t>(offset - dropped);
        }
        offset += size;
    }
    if (ResErr err = file_.SetLength(static_cast<int32_t>(offset - dropped))) return err;
    map_->freeSpace = 0;
    cursor_ = -1;
    return kNoErr;
}

ResErr IFFResFile2::WriteMap() {
    map_->RemoveGroup(kTypeResMap);
    // An entry that never reached the disk and holds no data (its write failed on release) has no
    // chunk to list.
    for (size_t gi = map_->groups.size(); gi-- > 0;) {
        auto& entries = map_->groups[gi].entries;
        entries.erase(std::remove_if(entries.begin(), entries.end(),
                                     [](const IFFResMapEntry& e) { return e.offset < 0 && !e.data; }),
                      entries.end());
        if (entries.empty()) map_->groups.erase(map_->groups.begin() + static_cast<ptrdiff_t>(gi));
    }
    SimpleReconObject<IFFResMap> obj(map_.get(), kTypeResMap);
    DataHandle* block = SerializeToHandle(obj, 0);
    if (!block) return kErrBadChunk;
    IFFResTypeGroup& g = map_->GetOrAddGroup(kTypeResMap);
    g.entries.emplace_back();
    IFFResMapEntry& e = g.entries.back();
    e.data.reset(block);
    e.flags = kResFlagConverted;
    if (ResErr err = WriteEntry(kTypeResMap, e)) return err;
    auto header = MakeIFFHeader25(static_cast<uint32_t>(e.offset));
    if (ResErr err = file_.Seek(0)) return err;
    if (ResErr err = file_.Write(header.data(), kIFFHeaderSize)) return err;
    headerMapOffset_ = e.offset;
    return kNoErr;
}
