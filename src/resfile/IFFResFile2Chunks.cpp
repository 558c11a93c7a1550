// IFFResFile2: what the 2.x layout adds to the shared chunk walk: the header and map read at open, the
// read-ahead loads, the 76-byte headers of the resources it writes, compaction under the map and the map
// written at close.
#include <algorithm>
#include <cstring>
#include <new>
#include <span>
#include <unordered_map>
#include <vector>

#include "resfile/IFFResFile2.h"
#include "resfile/IFFMapCheck.h"
#include "resfile/ReconBlock.h"

// The first header write after an open finds the header still naming the map it was opened with:
// the header is reset to "no map" first, and the old map chunk is freed only when it really is one.
ResErr IFFResFile2::BeforeHeaderWrite() {
    if (headerMapOffset_ == 0) return kNoErr;
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
    int32_t length = 0;
    file_.GetLength(length);
    const int64_t rest = static_cast<int64_t>(length) - offset;
    if (rest < kChunkHeaderSize) return false;
    // The map a close wrote is the file's last chunk: one read of what follows the offset, up to
    // kMapReadAhead bytes, brings its header and data together, and the block is decoded where it lies.
    int32_t got = static_cast<int32_t>(std::min<int64_t>(rest, kMapReadAhead));
    std::unique_ptr<uint8_t[]> bytes(new (std::nothrow) uint8_t[static_cast<size_t>(got)]);
    if (!bytes || file_.Seek(static_cast<int32_t>(offset)) || file_.ReadUpTo(bytes.get(), got, got) ||
        got < kChunkHeaderSize)
        return false;
    const ChunkHeader h = ParseChunkHeader(bytes.get());
    if (h.IsFree() || h.type != kTypeResMap) return false;
    const int64_t dataSize = static_cast<int64_t>(h.size) - kChunkHeaderSize;
    if (dataSize < 0 || dataSize > kMaxChunkSize || static_cast<int64_t>(offset) + h.size > length) return false;
    if (h.size > got) {
        // A larger map: the rest follows into a buffer of the chunk's size.
        std::unique_ptr<uint8_t[]> whole(new (std::nothrow) uint8_t[static_cast<size_t>(h.size)]);
        if (!whole) return false;
        std::span<uint8_t> chunk(whole.get(), static_cast<size_t>(h.size));
        std::memcpy(chunk.data(), bytes.get(), static_cast<size_t>(got));
        if (file_.Read(chunk.subspan(static_cast<size_t>(got)).data(), h.size - got)) return false;
        bytes = std::move(whole);
    }
    // The map block is ours only when it decodes completely; anything else means scan.
    std::span<uint8_t> block =
        std::span<uint8_t>(bytes.get(), static_cast<size_t>(h.size)).subspan(kChunkHeaderSize);
    const int32_t blockSize = static_cast<int32_t>(dataSize);
    if (!(h.flags & kResFlagConverted)) ReconFixup(block.data(), blockSize);
    if (!ReadReconPayload(*map_, block.data(), blockSize, nullptr)) return false;
    // A map that lists a map, or entries the file cannot hold, is not trusted.
    if (map_->FindVariant(kTypeResMap, 0, 0)) return false;
    return IsMapPlausible(*map_, length);
}

void IFFResFile2::NoteScannedChunk(int32_t offset, const ChunkHeader& h) {
    IFFResTypeGroup& g = map_->GetOrAddGroup(h.type);
    g.entries.emplace_back();
    IFFResMapEntry& e = g.entries.back();
    e.offset = offset;
    e.id = h.id;
    e.flags = e.storedFlags = h.flags;
    e.name.Assign(h.NameText());
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
    if (ResErr err = CheckLoadable(h, type, e.offset)) {
        SetError(err);
        return nullptr;
    }
    const int32_t dataSize = h.size - kChunkHeaderSize;
    HandleOwner data(NewHandle(dataSize));
    if (!data) {
        SetError(kErrNoMemory);
        return nullptr;
    }
    if (ResErr err = ReadChunkData(e.offset, ahead, data->Data(), data->Size())) {
        SetError(err);
        return nullptr;
    }
    ConvertOnLoad(*data, fixup, e.storedFlags, e.flags);
    e.data = std::move(data);
    SetError(kNoErr);
    return e.data.get();
}

ResErr IFFResFile2::WriteEntry(ResType type, IFFResMapEntry& e) {
    ChunkHeader h;
    h.type = type;
    h.id = e.id;
    h.flags = e.flags;
    h.SetName(e.name.Str());
    if (ResErr err = WriteChunk(e.offset, h, e.data.get())) return err;
    e.storedFlags = e.flags;
    return kNoErr;
}

ResErr IFFResFile2::CompactFollowingMap() {
    // Where each listed chunk stands, so that moving a chunk finds its entry at once.
    std::unordered_map<int32_t, IFFResMapEntry*> byOffset;
    for (auto& g : map_->groups)
        for (auto& e : g.entries)
            if (e.offset >= 0) byOffset.emplace(e.offset, &e);
    return Compact([&](int32_t from, int32_t to) {
        auto moved = byOffset.find(from);
        if (moved != byOffset.end()) moved->second->offset = to;
    });
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
