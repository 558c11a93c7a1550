// ResolveResFile: a read-only resource file over a list of search directories.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "resfile/iResFile.h"

// Resources would be loose files named "#id#name" plus their type's extension. Nothing registers a
// type in the resolver, so such a file lists and finds nothing; the directory list is still checked
// and kept as described. Every writing operation answers -95.
class ResolveResFile : public iResFile {
public:
    ResolveResFile() = default;
    ~ResolveResFile() override;

    // The resolver's answer codes.
    static constexpr int kResolveOk = 0;
    static constexpr int kResolveNotFound = 5;
    static constexpr int kResolveNoMemory = 6;
    static ResErr ResolverCodeToError(int code);

    // The normalised directories of a search list ("a;b", leading "./" removed, ".\\" prefixed, final '\\').
    static std::vector<std::string> ParseDirectoryList(const std::string& path);

public:  // iResFile
    ResErr Create(const std::string& path) override;
    ResErr Remove(const std::string& path) override;
    // -47 when a directory of the list does not exist.
    ResErr Open(const std::string& path) override;
    ResErr Suspend() override;
    ResErr Resume() override;
    ResErr Close() override;
    void Update() override;
    bool IsWritable() override;
    ResErr GetPath(std::string& out) override;
    bool IsOpen() override;
    int32_t CountTypes() override;
    ResType GetIndexedType(int32_t index) override;
    int32_t CountResources(ResType type) override;
    DataHandle* GetResource(ResType type, ResID id, FixupProc fixup) override;
    DataHandle* GetNamedResource(ResType type, std::string_view name, FixupProc fixup) override;
    DataHandle* GetIndexedResource(ResType type, int32_t index, FixupProc fixup) override;
    DataHandle* GetResourceVariant(ResType type, ResID id, uint8_t variant, FixupProc fixup) override;
    void GetName(DataHandle* h, std::string& out) override;
    ResType GetType(DataHandle* h) override;
    void GetID(DataHandle* h, ResID& out) override;
    void ReservedQuery(DataHandle* h, int16_t& out) override;
    uint8_t GetVariant(DataHandle* h) override;
    void MakeUniqueName(ResType type, std::string& name) override;
    ResID GetFreeID(ResType type) override;
    void Release(DataHandle* h) override;
    void ReservedCommand(int32_t command) override;
    bool IsConverted(DataHandle* h) override;
    void SetID(DataHandle* h, ResID id) override;
    void Add(DataHandle* h, ResType type, ResID id, std::string_view name, bool converted) override;
    void AddVariant(DataHandle* h, ResType type, ResID id, std::string_view name, uint8_t variant,
                    bool converted) override;
    void Write(DataHandle* h) override;
    void Delete(DataHandle* h) override;
    void SetInfo(DataHandle* h, ResID id, std::string_view name, uint8_t variant) override;

    // True when this object loaded the handle.
    virtual bool HoldsHandle(const DataHandle* h) const;

private:
    struct Loaded {
        ResType type;
        ResID id;
        std::string name;
        HandleOwner data;
    };
    bool DirectoriesExist() const;
    Loaded* Find(const DataHandle* h);
    std::unique_ptr<std::vector<std::string>> directories_;
    std::vector<Loaded> loaded_;
};
