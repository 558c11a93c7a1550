// IFFChunkFile: the chunk walk shared by both IFF layouts, instantiated for each of them.
#include "resfile/IFFChunkFile.h"

#include <algorithm>
#include <memory>
#include <new>

template <class Layout>
bool IFFChunkFile<Layout>::OpenCheck() {
    if (!IsOpen()) {
        SetError(kErrNotOpen);
        return false;
    }
    SetError(kNoErr);
    return true;
}

template <class Layout>
bool IFFChunkFile<Layout>::WritableCheck() {
    if (!OpenCheck()) return false;
    if (file_.IsWritable()) return true;
    SetError(kErrNotWritable);
    return false;
}

template <class Layout>
void IFFChunkFile<Layout>::ConvertOnLoad(DataHandle& data, FixupProc fixup, uint16_t storedFlags, uint16_t& flags) {
    if ((storedFlags & kResFlagConverted) || !fixup) return;
    fixup(data.Data(), data.Size());
    flags |= kResFlagConverted;
}

template <class Layout>
ResErr IFFChunkFile<Layout>::CreateWithHeader(const std::string& path, const IFFHeaderBytes& header) {
    if (IsOpen()) return SetError(kErrAlreadyOpen);
    if (ResErr err = file_.Create(path)) return SetError(err);
    ResErr err = file_.Open(path);
    if (!err) {
        err = file_.Write(header.data(), kIFFHeaderSize);
        if (!err) err = file_.Commit();
        ResErr closeErr = file_.Close();
        if (!err) err = closeErr;
    }
    return SetError(err);
}

template <class Layout>
ResErr IFFChunkFile<Layout>::Remove(const std::string& path) {
    if (IsOpen()) return SetError(kErrAlreadyOpen);
    return SetError(file_.Remove(path));
}

template <class Layout>
ResErr IFFChunkFile<Layout>::Open(const std::string& path) {
    if (IsOpen()) return SetError(kErrAlreadyOpen);
    if (ResErr err = file_.Open(path)) return SetError(err);
    // A fresh open starts its allocations at the first chunk, whatever this object did before.
    cursor_ = -1;
    ResErr err;
    try {
        err = ReadDirectory();
    } catch (const std::bad_alloc&) {
        err = kErrNoMemory;
    }
    if (err) {
        DiscardDirectory();
        file_.Close();
    }
    return SetError(err);
}

template <class Layout>
bool IFFChunkFile<Layout>::IsWritable() {
    return IsOpen() && file_.IsWritable();
}

template <class Layout>
ResErr IFFChunkFile<Layout>::GetPath(std::string& out) {
    if (!IsOpen()) return SetError(kErrNotOpen);
    return SetError(file_.GetPath(out));
}

template <class Layout>
DataHandle* IFFChunkFile<Layout>::GetResource(ResType type, ResID id, FixupProc fixup) {
    return GetResourceVariant(type, id, 0, fixup);
}

template <class Layout>
void IFFChunkFile<Layout>::ReservedQuery(DataHandle*, int16_t& out) {
    if (!OpenCheck()) return;
    SetError(kErrNotSupported);
    out = 0;
}

template <class Layout>
void IFFChunkFile<Layout>::ReservedCommand(int32_t) {
    if (!OpenCheck()) return;
    SetError(kErrNotSupported);
}

template <class Layout>
void IFFChunkFile<Layout>::MakeUniqueName(ResType type, std::string& name) {
    if (!OpenCheck()) return;
    BoundedString base(name, kResNameCapacity);
    auto taken = [&](const std::string& candidate) {
        bool found = false;
        ForEachEntry(type, [&](int16_t, uint8_t variant, const BoundedString* entryName) {
            if (!found && variant == 0 && entryName && entryName->EqualsFolded(candidate)) found = true;
        });
        return found;
    };
    std::string candidate = base.Str();
    for (long n = 0; taken(candidate); ++n) {
        // The number always fits: a long name gives up its tail to it rather than being cut back to a
        // name that is already taken.
        std::string digits = std::to_string(n);
        std::string stem = base.Str().substr(0, std::min(base.Length(), base.MaxLength() - digits.size()));
        candidate = stem + digits;
    }
    name = candidate;
}

template <class Layout>
ResID IFFChunkFile<Layout>::GetFreeID(ResType type) {
    if (!OpenCheck()) return 0;
    int32_t largest = 128;
    ForEachEntry(type, [&](int16_t id, uint8_t, const BoundedString*) { largest = std::max<int32_t>(largest, id); });
    return static_cast<ResID>(static_cast<uint16_t>(largest + 1));
}

template <class Layout>
ResErr IFFChunkFile<Layout>::ReadHeaderAt(int32_t offset, Header& out) {
    uint8_t b[Layout::kHeaderSize];
    if (ResErr err = file_.Seek(offset)) return err;
    if (ResErr err = file_.Read(b, Layout::kHeaderSize)) return err;
    out = Layout::Parse(b);
    return kNoErr;
}

template <class Layout>
ResErr IFFChunkFile<Layout>::WriteHeaderAt(int32_t offset, const Header& h) {
    modified_ = true;
    if (ResErr err = BeforeHeaderWrite()) return err;
    auto bytes = Layout::Serialize(h);
    if (ResErr err = file_.Seek(offset)) return err;
    return file_.Write(bytes.data(), Layout::kHeaderSize);
}

template <class Layout>
void IFFChunkFile<Layout>::AddFreeSpace(int64_t delta) {
    int32_t& count = FreeSpaceCount();
    int64_t v = static_cast<int64_t>(count) + delta;
    count = static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

namespace {

template <class Layout>
bool SizeInRange(int64_t size) {
    return size >= Layout::kHeaderSize && size <= Layout::kSizeCap;
}

}  // namespace

template <class Layout>
void IFFChunkFile<Layout>::ScanChunks() {
    int64_t offset = kIFFHeaderSize;
    Header h;
    // A size out of range would loop, step backwards or stand for no chunk at all.
    while (offset <= INT32_MAX && ReadHeaderAt(static_cast<int32_t>(offset), h) == kNoErr) {
        if (!SizeInRange<Layout>(h.size)) break;
        if (h.IsFree())
            AddFreeSpace(h.size);
        else
            NoteScannedChunk(static_cast<int32_t>(offset), h);
        offset += h.size;
    }
}

template <class Layout>
ResErr IFFChunkFile<Layout>::CheckLoadable(const Header& h, ResType type, int32_t offset) {
    int64_t dataSize = static_cast<int64_t>(h.size) - Layout::kHeaderSize;
    if (h.type != type || dataSize < 0 || dataSize > kMaxChunkSize) return kErrBadChunk;
    // A size that the file cannot hold is a read error, found before anything is allocated.
    int32_t length = 0;
    file_.GetLength(length);
    if (static_cast<int64_t>(offset) + h.size > length) return kErrRead;
    return kNoErr;
}

// Next-fit walk from the cursor: an exact free chunk is taken whole, a larger one split when the rest
// can hold a chunk header, and the end of the sequence is appended to.
template <class Layout>
ResErr IFFChunkFile<Layout>::AllocateChunk(int32_t dataSize, int32_t& outOffset) {
    constexpr int32_t kHead = Layout::kHeaderSize;
    if (dataSize < 0 || dataSize > kMaxChunkSize - kHead) return kErrBadChunk;
    const int32_t s = dataSize + kHead;
    modified_ = true;
    int64_t offset = cursor_ > 0 ? cursor_ : kIFFHeaderSize;
    Header h;
    for (;;) {
        bool endOfSequence = offset > INT32_MAX - s || ReadHeaderAt(static_cast<int32_t>(offset), h) != kNoErr;
        int32_t length = 0;
        file_.GetLength(length);
        if (!endOfSequence && (!SizeInRange<Layout>(h.size) || offset + h.size > length)) {
            // A chunk smaller than its header, larger than a chunk can be or running past the file's end ends
            // the sound chunks: new data goes behind the file's end, so that nothing listed before the broken
            // chunk (nor the broken chunk itself) is overwritten and later allocations still find room.
            offset = length;
            endOfSequence = true;
        }
        if (endOfSequence) {
            if (offset > INT32_MAX - s) return kErrShortWrite;
            Header fresh;
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
            // Free chunks that follow are merged into this one, up to the largest size a chunk may have.
            int64_t merged = h.size;
            Header next;
            while (offset + merged <= INT32_MAX &&
                   ReadHeaderAt(static_cast<int32_t>(offset + merged), next) == kNoErr && next.IsFree() &&
                   next.size >= kHead && merged + next.size <= Layout::kSizeCap &&
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
            if (static_cast<int64_t>(h.size) >= static_cast<int64_t>(s) + kHead) {
                Header rest;
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

template <class Layout>
ResErr IFFChunkFile<Layout>::FreeChunk(int32_t offset) {
    Header h;
    if (ResErr err = ReadHeaderAt(offset, h)) return err;
    h.type = kTypeFree;
    h.flags |= kResFlagFree;
    if (ResErr err = WriteHeaderAt(offset, h)) return err;
    AddFreeSpace(h.size);
    return kNoErr;
}

template <class Layout>
ResErr IFFChunkFile<Layout>::WriteChunk(int32_t& offset, Header h, const DataHandle* data) {
    constexpr int32_t kHead = Layout::kHeaderSize;
    int32_t n = data ? data->Size() : 0;
    if (n > kMaxChunkSize - kHead) return kErrBadChunk;
    if (offset >= 0) {
        Header old;
        if (ResErr err = ReadHeaderAt(offset, old)) return err;
        if (old.size != n + kHead) {
            if (ResErr err = FreeChunk(offset)) return err;
            offset = -1;
        }
    }
    if (offset < 0) {
        int32_t at = 0;
        if (ResErr err = AllocateChunk(n, at)) return err;
        offset = at;
    }
    h.size = n + kHead;
    if (ResErr err = WriteHeaderAt(offset, h)) return err;
    if (n > 0) {
        if (ResErr err = file_.Seek(offset + kHead)) return err;
        if (ResErr err = file_.Write(data->Data(), n)) return err;
    }
    return kNoErr;
}

template <class Layout>
bool IFFChunkFile<Layout>::IsChunkSequenceSound() {
    int32_t length = 0;
    if (file_.GetLength(length)) return false;
    int64_t offset = kIFFHeaderSize;
    Header h;
    while (offset + Layout::kHeaderSize <= length) {
        // A header that cannot be read inside the file is no proof of a sound sequence.
        if (ReadHeaderAt(static_cast<int32_t>(offset), h)) return false;
        if (!SizeInRange<Layout>(h.size) || offset + h.size > length) return false;
        offset += h.size;
    }
    return true;
}

template <class Layout>
ResErr IFFChunkFile<Layout>::Compact(const std::function<void(int32_t from, int32_t to)>& moved) {
    constexpr int32_t kHead = Layout::kHeaderSize;
    std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[kCompactBufferSize]);
    if (!buffer) return kErrNoMemory;
    // Chunks are only moved over a sound sequence: a broken chunk header would make the moves and the
    // final cut destroy whatever lies behind it.
    if (!IsChunkSequenceSound()) return kNoErr;
    int32_t length = 0;
    file_.GetLength(length);
    int64_t offset = kIFFHeaderSize;
    int64_t dropped = 0;
    Header h;
    while (offset <= INT32_MAX - kHead && offset + kHead <= length) {
        if (ResErr err = ReadHeaderAt(static_cast<int32_t>(offset), h)) return err;
        if (h.size < kHead) break;
        int64_t size = std::min<int64_t>(h.size, length - offset);
        if (Layout::IsDroppedAtCompaction(h)) {
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
            if (moved) moved(static_cast<int32_t>(offset), static_cast<int32_t>(offset - dropped));
        }
        offset += size;
    }
    // Once the walk is through, no free chunk is left to count, whether or not any was dropped.
    if (dropped > 0) {
        modified_ = true;
        if (ResErr err = file_.SetLength(static_cast<int32_t>(offset - dropped))) return err;
    }
    FreeSpaceCount() = 0;
    cursor_ = -1;
    return kNoErr;
}

template class IFFChunkFile<IFFLayout10>;
template class IFFChunkFile<IFFLayout2>;
