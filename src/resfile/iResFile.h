// iResFile: the abstract resource file interface that every resource file kind implements.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "resfile/DataHandle.h"
#include "resfile/ResErrors.h"
#include "resfile/ResTypes.h"

// Every operation records a last-error code (0 success, negative failure) read with GetError();
// operations return neutral values (null, 0, false) on failure. Indices are 1-based. Handles
// returned by fetches belong to the file until released (see Release). No exception leaves any
// of these operations.
//
// Every object of any kind is entered at the head of one process-wide list when constructed and
// removed when destroyed (the resource browser walks it with GetFirstResFile/GetNextResFile).
class iResFile {
public:
    iResFile();
    virtual ~iResFile();
    iResFile(const iResFile&) = delete;
    iResFile& operator=(const iResFile&) = delete;

    virtual ResErr Create(const std::string& path) = 0;
    virtual ResErr Remove(const std::string& path) = 0;
    virtual ResErr Open(const std::string& path) = 0;
    virtual ResErr Suspend() = 0;
    virtual ResErr Resume() = 0;
    virtual ResErr Close() = 0;
    virtual void Update() = 0;
    virtual bool IsWritable() = 0;
    virtual ResErr GetPath(std::string& out) = 0;
    virtual bool IsOpen() = 0;
    virtual int32_t CountTypes() = 0;
    virtual ResType GetIndexedType(int32_t index) = 0;
    virtual int32_t CountResources(ResType type) = 0;
    virtual DataHandle* GetResource(ResType type, ResID id, FixupProc fixup) = 0;
    virtual DataHandle* GetNamedResource(ResType type, std::string_view name, FixupProc fixup) = 0;
    virtual DataHandle* GetIndexedResource(ResType type, int32_t index, FixupProc fixup) = 0;
    virtual DataHandle* GetResourceVariant(ResType type, ResID id, uint8_t variant, FixupProc fixup) = 0;
    virtual void GetName(DataHandle* h, std::string& out) = 0;
    virtual ResType GetType(DataHandle* h) = 0;
    virtual void GetID(DataHandle* h, ResID& out) = 0;
    virtual void ReservedQuery(DataHandle* h, int16_t& out) = 0;
    virtual uint8_t GetVariant(DataHandle* h) = 0;
    virtual void MakeUniqueName(ResType type, std::string& name) = 0;
    virtual ResID GetFreeID(ResType type) = 0;
    virtual void Release(DataHandle* h) = 0;
    virtual void ReservedCommand(int32_t command) = 0;
    virtual bool IsConverted(DataHandle* h) = 0;
    virtual void SetID(DataHandle* h, ResID id) = 0;
    virtual void Add(DataHandle* h, ResType type, ResID id, std::string_view name, bool converted) = 0;
    virtual void AddVariant(DataHandle* h, ResType type, ResID id, std::string_view name, uint8_t variant,
                            bool converted) = 0;
    virtual void Write(DataHandle* h) = 0;
    virtual void Delete(DataHandle* h) = 0;
    virtual void SetInfo(DataHandle* h, ResID id, std::string_view name, uint8_t variant) = 0;
    // Loads the string set resource `id` of this file and yields its index-th string (1-based) in the
    // current language; `out` is emptied first and stays empty when index <= 0 or past the set's count.
    virtual void GetIndexedString(std::string& out, ResID id, int32_t index);
    // The id and name of the index-th resource of a type (1-based, in the order of GetIndexedResource) without
    // reading its data; false, with the error GetIndexedResource records, when there is none. The base fetches
    // and releases the resource; the IFF files answer from their maps.
    virtual bool GetIndexedInfo(ResType type, int32_t index, ResID& id, std::string& name);

    ResErr GetError() const { return error_; }
    ResErr SetError(ResErr code) { return error_ = code; }
    // Release, and when that succeeded, free the handle.
    void ReleaseAndFree(DataHandle* h);

    // Calls `use` with the id and name of every resource of a type, in index order, without reading their data.
    void ForEachResourceInfo(ResType type, const std::function<void(ResID, const std::string&)>& use);

    // The process-wide list of resource file objects, newest first.
    static iResFile* GetFirstResFile();
    iResFile* GetNextResFile() const { return next_; }

private:
    iResFile* next_ = nullptr;
    iResFile* prev_ = nullptr;  // kept so that leaving the list takes constant time with thousands open
    ResErr error_ = kNoErr;
};
