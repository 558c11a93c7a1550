// FakeResFile: an in-memory iResFile for the object model tests (fetch, fix-up, add, write, delete).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "resfile/iResFile.h"

namespace objects_test {

// Resources live in a list in insertion order. A fetch loads a copy of the stored bytes into a handle
// that the fake owns until released, applying the fix-up once when the stored flags lack "converted".
// Write copies the handle's bytes back into the stored bytes. Only what the object model uses is real;
// the rest records kErrNotSupported.
class FakeResFile : public iResFile {
public:
    struct Resource {
        ResType type = 0;
        ResID id = 0;
        std::string name;
        std::vector<uint8_t> stored;
        bool storedConverted = false;
        bool written = false;  // false for an Add not yet written
        bool converted = false;
        std::unique_ptr<DataHandle> data;
    };

    bool open = true;
    bool writable = true;
    int fixupCalls = 0;
    int writeCalls = 0;

    // Puts a stored resource straight into the file.
    void Put(ResType type, ResID id, std::vector<uint8_t> bytes, std::string name = "", bool converted = true) {
        auto r = std::make_unique<Resource>();
        r->type = type;
        r->id = id;
        r->name = std::move(name);
        r->stored = std::move(bytes);
        r->storedConverted = r->converted = converted;
        r->written = true;
        resources_.push_back(std::move(r));
    }
    // The resource (type, id); null when absent.
    const Resource* Find(ResType type, ResID id) const {
        for (const auto& r : resources_)
            if (r->type == type && r->id == id) return r.get();
        return nullptr;
    }
    size_t Size() const { return resources_.size(); }

public:  // iResFile
    ResErr Create(const std::string&) override { return SetError(kErrNotSupported); }
    ResErr Remove(const std::string&) override { return SetError(kErrNotSupported); }
    ResErr Open(const std::string&) override { return SetError(kErrNotSupported); }
    ResErr Suspend() override { return SetError(kErrNotSupported); }
    ResErr Resume() override { return SetError(kErrNotSupported); }
    ResErr Close() override {
        open = false;
        return SetError(kNoErr);
    }
    void Update() override { SetError(kNoErr); }
    bool IsWritable() override { return open && writable; }
    ResErr GetPath(std::string& out) override {
        out = "fake";
        return SetError(kNoErr);
    }
    bool IsOpen() override { return open; }
    int16_t CountTypes() override { return 0; }
    ResType GetIndexedType(int32_t) override { return 0; }
    int16_t CountResources(ResType type) override {
        int16_t n = 0;
        for (const auto& r : resources_) n = static_cast<int16_t>(n + (r->type == type));
        SetError(open ? kNoErr : kErrNotOpen);
        return n;
    }
    DataHandle* GetResource(ResType type, ResID id, FixupProc fixup) override {
        if (!OpenCheck()) return nullptr;
        for (auto& r : resources_)
            if (r->type == type && r->id == id) return Load(*r, fixup);
        SetError(kErrNotFound);
        return nullptr;
    }
    DataHandle* GetNamedResource(ResType, std::string_view, FixupProc) override {
        SetError(kErrNotSupported);
        return nullptr;
    }
    DataHandle* GetIndexedResource(ResType type, int32_t index, FixupProc fixup) override {
        if (!OpenCheck()) return nullptr;
        int32_t i = 0;
        for (auto& r : resources_)
            if (r->type == type && ++i == index) return Load(*r, fixup);
        SetError(kErrNotFound);
        return nullptr;
    }
    DataHandle* GetResourceVariant(ResType type, ResID id, uint8_t, FixupProc fixup) override {
        return GetResource(type, id, fixup);
    }
    void GetName(DataHandle* h, std::string& out) override {
        Resource* r = Holder(h);
        if (!r) {
            out.clear();
            SetError(kErrNotFound);
            return;
        }
        out = r->name;
        SetError(kNoErr);
    }
    ResType GetType(DataHandle* h) override {
        Resource* r = Holder(h);
        SetError(r ? kNoErr : kErrNotFound);
        return r ? r->type : 0;
    }
    void GetID(DataHandle* h, ResID& out) override {
        Resource* r = Holder(h);
        SetError(r ? kNoErr : kErrNotFound);
        if (r) out = r->id;
    }
    void ReservedQuery(DataHandle*, int16_t& out) override {
        out = 0;
        SetError(kErrNotSupported);
    }
    uint8_t GetVariant(DataHandle*) override { return 0; }
    void MakeUniqueName(ResType, std::string&) override { SetError(kErrNotSupported); }
    ResID GetFreeID(ResType) override { return 129; }
    void Release(DataHandle* h) override {
        if (!OpenCheck()) return;
        Resource* r = Holder(h);
        if (!r) {
            SetError(kErrNameNotFound);
            return;
        }
        if (!r->written) Write(h);
        r->data.release();
        r->converted = r->storedConverted;
        SetError(kNoErr);
    }
    void ReservedCommand(int32_t) override { SetError(kErrNotSupported); }
    bool IsConverted(DataHandle* h) override {
        Resource* r = Holder(h);
        return r ? r->converted : true;
    }
    void SetID(DataHandle*, ResID) override { SetError(kErrNotSupported); }
    void Add(DataHandle* h, ResType type, ResID id, std::string_view name, bool converted) override {
        if (!OpenCheck()) return;
        if (!writable) {
            SetError(kErrNotWritable);
            return;
        }
        Resource* r = nullptr;
        for (auto& e : resources_)
            if (e->type == type && e->id == id) r = e.get();
        if (!r) {
            resources_.push_back(std::make_unique<Resource>());
            r = resources_.back().get();
        } else if (r->data.get() == h) {
            r->data.release();
        }
        r->type = type;
        r->id = id;
        r->name = std::string(name.substr(0, 63));
        r->data.reset(h);
        r->converted = converted;
        r->storedConverted = false;
        r->written = false;
    }
    void AddVariant(DataHandle* h, ResType type, ResID id, std::string_view name, uint8_t, bool converted) override {
        Add(h, type, id, name, converted);
    }
    void Write(DataHandle* h) override {
        if (!OpenCheck()) return;
        if (!writable) {
            SetError(kErrNotWritable);
            return;
        }
        Resource* r = Holder(h);
        if (!r) {
            SetError(kErrNameNotFound);
            return;
        }
        r->stored = h->bytes;
        r->storedConverted = r->converted;
        r->written = true;
        ++writeCalls;
    }
    void Delete(DataHandle* h) override {
        if (!OpenCheck()) return;
        if (!writable) {
            SetError(kErrNotWritable);
            return;
        }
        for (auto it = resources_.begin(); it != resources_.end(); ++it)
            if ((*it)->data.get() == h) {
                resources_.erase(it);
                return;
            }
        SetError(kErrNameNotFound);
    }
    void SetInfo(DataHandle*, ResID, std::string_view, uint8_t) override { SetError(kErrNotSupported); }

private:
    bool OpenCheck() { return SetError(open ? kNoErr : kErrNotOpen) == kNoErr; }
    Resource* Holder(DataHandle* h) {
        for (auto& r : resources_)
            if (h && r->data.get() == h) return r.get();
        return nullptr;
    }
    DataHandle* Load(Resource& r, FixupProc fixup) {
        if (!r.data) {
            r.data.reset(NewHandleFrom(r.stored.data(), static_cast<int32_t>(r.stored.size())));
            if (!r.storedConverted && fixup) {
                fixup(r.data->Data(), r.data->Size());
                r.converted = true;
                ++fixupCalls;
            }
        }
        return r.data.get();
    }

    std::vector<std::unique_ptr<Resource>> resources_;
};

}  // namespace objects_test
