// IFFResFile2: the resource file of IFF versions 2.0 and 2.5, opened through its map or by a scan.
#pragma once

#include <memory>
#include <string>

#include "resfile/IFFChunkFile.h"
#include "resfile/IFFResMap.h"

// Opening reads the header, then the resource map when the header names a usable one, otherwise
// every chunk header. Data is loaded on the first fetch and cached until released. The first
// chunk-header write after an open resets the file header to "no map" (freeing the old map chunk
// when it really is one). Close writes unwritten resources, compacts at 10240 free bytes and writes a
// new map. Changes reach the disk only when Update or Close commits them, all at once (see FileSession):
// a crash leaves the file as the last commit left it.
class IFFResFile2 : public IFFChunkFile<IFFLayout2> {
public:
    IFFResFile2() = default;
    ~IFFResFile2() override;

public:  // iResFile
    ResErr Create(const std::string& path) override;
    ResErr Suspend() override;
    ResErr Resume() override;
    // Returns the first error of the final update, compaction, map or commit step, else the close result. A
    // close that fails leaves the file as the last commit left it.
    ResErr Close() override;
    // Writes the unwritten resources and commits every change of the session; the first error (-46, -48 or
    // -50 when the commit failed, and the file is then as the last commit left it).
    void Update() override;
    bool IsOpen() override;
    int32_t CountTypes() override;
    ResType GetIndexedType(int32_t index) override;
    int32_t CountResources(ResType type) override;
    DataHandle* GetNamedResource(ResType type, std::string_view name, FixupProc fixup) override;
    DataHandle* GetIndexedResource(ResType type, int32_t index, FixupProc fixup) override;
    bool GetIndexedInfo(ResType type, int32_t index, ResID& id, std::string& name) override;
    DataHandle* GetResourceVariant(ResType type, ResID id, uint8_t variant, FixupProc fixup) override;
    void GetName(DataHandle* h, std::string& out) override;
    ResType GetType(DataHandle* h) override;
    void GetID(DataHandle* h, ResID& out) override;
    uint8_t GetVariant(DataHandle* h) override;
    void Release(DataHandle* h) override;
    bool IsConverted(DataHandle* h) override;
    void SetID(DataHandle* h, ResID id) override;
    void Add(DataHandle* h, ResType type, ResID id, std::string_view name, bool converted) override;
    void AddVariant(DataHandle* h, ResType type, ResID id, std::string_view name, uint8_t variant,
                    bool converted) override;
    void Write(DataHandle* h) override;
    void Delete(DataHandle* h) override;
    void SetInfo(DataHandle* h, ResID id, std::string_view name, uint8_t variant) override;

public:  // inspection for tools and tests
    // The in-memory map (null when closed).
    const IFFResMap* GetMap() const { return map_.get(); }
    int32_t GetFreeSpace() const { return map_ ? map_->freeSpace : 0; }
    bool IsModified() const { return modified_; }
    // True when the open used the stored map rather than a scan.
    bool WasOpenedThroughMap() const { return openedThroughMap_; }
    uint16_t GetVersion() const { return version_; }

private:  // IFFChunkFile
    ResErr ReadDirectory() override;
    void DiscardDirectory() override;
    int32_t& FreeSpaceCount() override { return map_->freeSpace; }
    void NoteScannedChunk(int32_t offset, const ChunkHeader& h) override;
    void ForEachEntry(ResType type, const EntryVisit& visit) override;
    // The first chunk-header write after an open resets the file header to "no map".
    ResErr BeforeHeaderWrite() override;

private:
    // A chunk's header and the start of its data, fetched with one read so that a small chunk costs one.
    static constexpr int32_t kChunkReadAhead = 4096;
    struct ChunkAhead {
        uint8_t bytes[kChunkReadAhead];
        int32_t dataBytes = 0;  // data bytes behind the header that the read brought
    };
    // At most this many bytes are read at once from where the map chunk starts.
    static constexpr int32_t kMapReadAhead = 16384;
    ResErr ReadChunkAhead(int32_t offset, ChunkHeader& h, ChunkAhead& ahead);
    // The chunk's data: what the read ahead brought, then the rest read from the file.
    ResErr ReadChunkData(int32_t offset, const ChunkAhead& ahead, uint8_t* out, int32_t dataSize);
    bool LoadMapAt(uint32_t offset);
    DataHandle* LoadEntry(ResType type, IFFResMapEntry& e, FixupProc fixup);
    ResErr WriteEntry(ResType type, IFFResMapEntry& e);
    // The resource of a handle that Write or Delete may change, with its type; null, with the error set, when
    // the file is not open and writable or the handle is not one of its resources.
    IFFResMapEntry* WritableEntry(DataHandle* h, IFFResTypeGroup** group);
    // Compaction that keeps the map's offsets following the chunks it moves.
    ResErr CompactFollowingMap();
    ResErr WriteMap();
    bool HasUnwritten() const;
    // Writes every resource that was added but not yet written; the first error.
    ResErr WriteUnwritten();

    std::unique_ptr<IFFResMap> map_;
    int32_t headerMapOffset_ = 0;
    std::unique_ptr<std::string> savedPath_;
    bool openedThroughMap_ = false;
    uint16_t version_ = 0;
};
