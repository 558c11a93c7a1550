// ChainResFile: up to eight member resource files searched in order, each with a type filter.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "resfile/iResFile.h"

// Lookups ask the members in slot order; new resources go to the first writable member whose filter
// takes their type. Members are owned by the chain.
class ChainResFile : public iResFile {
public:
    static constexpr int kMaxMembers = 8;

    ChainResFile() = default;
    ~ChainResFile() override;

    // Puts the file into the first unused slot (taking every type); does nothing when all eight are used
    // (the file is then destroyed).
    void AddMember(std::unique_ptr<iResFile> file);
    // Empties the slot holding the file and moves the later slots up; returns the file (null if unknown).
    std::unique_ptr<iResFile> RemoveMember(iResFile* file);
    int CountMembers() const;
    // Member at a 0-based index, or null.
    iResFile* GetMember(int index) const;
    // The member stops taking `type`; applies when its list is empty or already excludes.
    void ExcludeType(iResFile* member, ResType type);
    // The member takes only the listed types; applies when its list is empty or already includes only.
    void IncludeOnlyType(iResFile* member, ResType type);
    bool MemberTakesType(int index, ResType type) const;

public:  // iResFile
    // A bare chain is filled by AddMember; these three answer -95.
    ResErr Create(const std::string& path) override;
    ResErr Remove(const std::string& path) override;
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
    bool GetIndexedInfo(ResType type, int32_t index, ResID& id, std::string& name) override;
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

public:  // chain
    // True when a writable member whose filter takes the type exists.
    virtual bool CanAddType(ResType type);

protected:
    // Closes every member, their last changes committed together; the last non-zero member result, else the
    // result of the commit.
    ResErr CloseMembers();
    // Removes and destroys every member, last first.
    void DestroyMembers();

private:
    // The member holding the index-th resource of the type over the chain, with `index` made its own index in
    // that member; null with the error set when no member holds it.
    iResFile* MemberAtIndex(ResType type, int32_t& index);
    struct Slot {
        std::unique_ptr<iResFile> member;
        std::vector<ResType> types;
        int16_t mode = 1;  // 1: the list names excluded types; 0: the only types taken
    };
    int SlotOf(const iResFile* file) const;
    const std::vector<ResType>& UnionOfTypes();
    // Asks members in order until one reports no error; `writableOnly` skips read-only members.
    template <class Fn>
    void AskUntilSuccess(bool writableOnly, Fn fn);

    std::array<Slot, kMaxMembers> slots_;
    std::vector<ResType> union_;        // the last union of the members' types built
    std::vector<ResType> unionSource_;  // the members' types it was built from, each member's last type first
    std::vector<size_t> unionCounts_;   // and how many types each member had
};
