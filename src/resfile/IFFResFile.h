// IFFResFile: the resource file of IFF version 1.0: 16-byte chunk headers and a separate name list.
#pragma once

#include <string>

#include "resfile/IFFChunkFile.h"
#include "resfile/IFFChunkList.h"
#include "resfile/IFFNameList.h"

// Opening checks the exact 1.0 header and reads every chunk header. Chunks flagged internal (0x0008)
// go to an internal list that enumeration and lookups never see; it holds the name list (type NAME),
// read at open from its older id 0 form or else its id 1 form. Resources refer to their names by
// index. Data is loaded on the first fetch and cached until released. A changed name list is written
// back as id 1 (and the id 0 form deleted) by Update and Close. Close writes unwritten resources and,
// whenever the file is writable and more than 10239 bytes are free, drops the free chunks; an
// unchanged file with less free space is left untouched. There are no variants and no map. Changes reach the
// disk only when Update or Close commits them, all at once (see FileSession).
class IFFResFile : public IFFChunkFile<IFFLayout10> {
public:
    IFFResFile() = default;
    ~IFFResFile() override;

public:  // iResFile
    // -47 when open, -43 when the file exists, -42 when it cannot be made; else the result of writing
    // the header and the empty name list. The object stays closed.
    ResErr Create(const std::string& path) override;
    // Not supported by this kind: -50.
    ResErr Suspend() override;
    ResErr Resume() override;
    // Returns the first error of the final update, compaction or commit, else the close result. A close that
    // fails leaves the file as the last commit left it.
    ResErr Close() override;
    void Update() override;
    bool IsOpen() override;
    int32_t CountTypes() override;
    ResType GetIndexedType(int32_t index) override;
    int32_t CountResources(ResType type) override;
    DataHandle* GetNamedResource(ResType type, std::string_view name, FixupProc fixup) override;
    DataHandle* GetIndexedResource(ResType type, int32_t index, FixupProc fixup) override;
    bool GetIndexedInfo(ResType type, int32_t index, ResID& id, std::string& name) override;
    // A non-zero variant fails with -91 (this kind has none).
    DataHandle* GetResourceVariant(ResType type, ResID id, uint8_t variant, FixupProc fixup) override;
    void GetName(DataHandle* h, std::string& out) override;
    ResType GetType(DataHandle* h) override;
    void GetID(DataHandle* h, ResID& out) override;
    // Always 0; -98 for an unknown handle.
    uint8_t GetVariant(DataHandle* h) override;
    void Release(DataHandle* h) override;
    bool IsConverted(DataHandle* h) override;
    void SetID(DataHandle* h, ResID id) override;
    // A non-empty name is recorded under a new index of the name list (-96 when no index is left).
    void Add(DataHandle* h, ResType type, ResID id, std::string_view name, bool converted) override;
    // Same as Add: the variant is dropped, the name kept.
    void AddVariant(DataHandle* h, ResType type, ResID id, std::string_view name, uint8_t variant,
                    bool converted) override;
    void Write(DataHandle* h) override;
    void Delete(DataHandle* h) override;
    // A non-zero variant fails with -91; a new name is recorded under a new index.
    void SetInfo(DataHandle* h, ResID id, std::string_view name, uint8_t variant) override;

public:  // inspection for tools and tests
    const IFFChunkList& GetResourceList() const { return resources_; }
    const IFFChunkList& GetInternalList() const { return internal_; }
    const IFFNameList& GetNameList() const { return names_; }
    bool HasNameListChanged() const { return namesChanged_; }
    int32_t GetFreeSpace() const { return freeSpace_; }
    bool IsModified() const { return modified_; }

private:  // IFFChunkFile
    // -48 when the file is shorter than its header, -93 on a header other than the 1.0 one; the error of
    // reading the name list when it is present but unreadable (-1 when its bytes cannot be decoded).
    ResErr ReadDirectory() override;
    void DiscardDirectory() override;
    int32_t& FreeSpaceCount() override { return freeSpace_; }
    void NoteScannedChunk(int32_t offset, const ChunkHeader10& h) override;
    void ForEachEntry(ResType type, const EntryVisit& visit) override;

private:
    // Writes the changed name list and every resource not yet written; the first error.
    ResErr WriteUnwritten();
    ResErr LoadNameList();
    ResErr LoadData(ResType type, IFFChunkEntry& e, FixupProc fixup);
    DataHandle* LoadEntry(ResType type, IFFChunkEntry& e, FixupProc fixup);
    ResErr WriteEntry(ResType type, IFFChunkEntry& e);
    // The resource of a handle that Write or Delete may change, with its type; null, with the error set, when
    // the file is not open and writable or the handle is not one of its resources.
    IFFChunkEntry* WritableEntry(DataHandle* h, IFFChunkTypeNode** group);
    ResErr WriteNameList();
    // Empties the name list entry of a resource that goes away, unless another chunk still uses it.
    void ForgetName(int32_t nameIndex, const IFFChunkEntry* leaving);
    std::string NameOf(const IFFChunkEntry& e) const { return names_.GetName(e.nameIndex); }

    bool open_ = false;
    IFFChunkList resources_;
    IFFChunkList internal_;
    IFFNameList names_;
    bool namesChanged_ = false;
    int32_t freeSpace_ = 0;
};
