// IFFChunkFile: the chunk walk shared by both IFF layouts: scan, next-fit allocation with merging and
// splitting, freeing, writing, the sequence check and compaction, and the rules for new names and ids.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "resfile/BoundedString.h"
#include "resfile/FlatFile.h"
#include "resfile/IFFChunkLayouts.h"
#include "resfile/iResFile.h"

// A layout class keeps its own file header, directory (name list or map) and free-space count; this walk
// works on the chunk sequence behind offset 64 only. Chunk sizes outside header size..Layout::kSizeCap end
// the sound sequence. Every header write marks the session modified and first runs BeforeHeaderWrite.
template <class Layout>
class IFFChunkFile : public iResFile {
public:
    using Header = typename Layout::Header;

public:  // iResFile: the operations that read the same in both layouts
    ResErr Remove(const std::string& path) override;
    // -47 when open, the file's error when it cannot be opened, else the result of ReadDirectory
    // (-200 when memory runs out). The object stays closed on failure.
    ResErr Open(const std::string& path) override;
    bool IsWritable() override;
    ResErr GetPath(std::string& out) override;
    DataHandle* GetResource(ResType type, ResID id, FixupProc fixup) override;
    void ReservedQuery(DataHandle* h, int16_t& out) override;
    void ReservedCommand(int32_t command) override;
    // The name cut to what a stored name holds; while a resource of the type (variant 0) has it, the
    // smallest number that makes it free replaces as much of its tail as the number needs.
    void MakeUniqueName(ResType type, std::string& name) override;
    // One more than the largest id of the type, at least 129 (wrapping within 16 bits).
    ResID GetFreeID(ResType type) override;

protected:  // the layout's own parts
    // Reads the file header and the directory after the file has been opened.
    virtual ResErr ReadDirectory() = 0;
    // Forgets the directory; the object is closed afterwards.
    virtual void DiscardDirectory() = 0;
    // The free-space count that allocation, freeing and compaction keep up to date.
    virtual int32_t& FreeSpaceCount() = 0;
    // A chunk that the scan met and that is not free.
    virtual void NoteScannedChunk(int32_t offset, const Header& h) = 0;
    // Calls visit for every resource of the type with its id, variant and name (null for none).
    using EntryVisit = std::function<void(int16_t id, uint8_t variant, const BoundedString* name)>;
    virtual void ForEachEntry(ResType type, const EntryVisit& visit) = 0;
    // Runs before every chunk-header write; an error stops the write.
    virtual ResErr BeforeHeaderWrite() { return kNoErr; }

protected:  // the shared walk
    // True (and the error reset) when open, else false with -49.
    bool OpenCheck();
    // True when open and writable, else false with -49 (closed) or -45 (read-only).
    bool WritableCheck();
    // Runs the fixup over freshly loaded data unless the file stores it converted, and marks it converted.
    static void ConvertOnLoad(DataHandle& data, FixupProc fixup, uint16_t storedFlags, uint16_t& flags);
    // Makes the file, writes its 64-byte header and commits; the object stays closed.
    ResErr CreateWithHeader(const std::string& path, const IFFHeaderBytes& header);
    ResErr ReadHeaderAt(int32_t offset, Header& out);
    ResErr WriteHeaderAt(int32_t offset, const Header& h);
    // Moves the free-space count, held inside the signed 32-bit range it is stored in (the count only
    // decides when compaction runs, so a damaged file announcing absurd free chunks saturates it).
    void AddFreeSpace(int64_t delta);
    // Every chunk header from offset 64 until one cannot be read or has a size out of range.
    void ScanChunks();
    // Whether the chunk at offset with this header can be loaded as the type: -1 for a wrong type or
    // size, -48 when the chunk runs past the file's end.
    ResErr CheckLoadable(const Header& h, ResType type, int32_t offset);
    // Room for a chunk of dataSize data bytes; its offset in outOffset (a free header stands there).
    ResErr AllocateChunk(int32_t dataSize, int32_t& outOffset);
    ResErr FreeChunk(int32_t offset);
    // Writes h (its size set here) and the data at offset, moving the chunk when its size changed;
    // offset is -1 while the resource has no chunk.
    ResErr WriteChunk(int32_t& offset, Header h, const DataHandle* data);
    // True when the walk from offset 64 meets only chunks that fit their header and the file, up to the
    // file's end or a cut-off header at it.
    bool IsChunkSequenceSound();
    // Drops the chunks the layout drops at compaction, moving every other chunk down through one buffer;
    // moved(from, to) follows each move. Nothing moves over an unsound sequence.
    ResErr Compact(const std::function<void(int32_t from, int32_t to)>& moved = {});

    FlatFile file_;
    int32_t cursor_ = -1;  // where the next allocation starts looking; -1 for the first chunk
    bool modified_ = false;
};

extern template class IFFChunkFile<IFFLayout10>;
extern template class IFFChunkFile<IFFLayout2>;
