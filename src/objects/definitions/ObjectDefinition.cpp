// ObjectDefinition: version upgrade, byte form, and load and store through a resource file.
#include "objects/definitions/ObjectDefinition.h"

#include <algorithm>
#include <new>

#include "objects/definitions/ObjectDefinitionFields.h"
#include "platform/ByteReader.h"
#include "platform/ByteWriter.h"
#include "resfile/iResFile.h"

namespace {

constexpr int32_t kOldVersion136 = 136;
constexpr int32_t kOldVersion137 = 137;
constexpr size_t kRecordWords = kObjectDefinitionSize / 2;

// Grows or cuts to `size`, zero-filling what is added; false when memory runs out.
bool ResizeZeroed(std::vector<uint8_t>& bytes, size_t size) {
    try {
        bytes.resize(size, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

// True for a record of version 136 or 137, which the upgrade widens; a block shorter than the version reads as 0.
bool IsOldRecord(const std::vector<uint8_t>& bytes) {
    const int32_t version = ByteReader(bytes.data(), bytes.size()).ReadInt32LE();
    return version == kOldVersion136 || version == kOldVersion137;
}

}  // namespace

void FixupObjectDefinition(uint8_t*, int32_t) {}

bool NormalizeObjectDefinition(std::vector<uint8_t>& bytes) {
    bool upgraded = false;
    if (IsOldRecord(bytes)) {
        size_t oldSize = bytes.size();
        if (!ResizeZeroed(bytes, kObjectDefinitionSize)) return false;
        PutUInt32LE(bytes.data(), static_cast<uint32_t>(kObjectDefinitionVersion));
        // The old record ends inside the word that holds its last byte: that whole word is cleared too.
        for (size_t word = oldSize / 2; word < kRecordWords; ++word) bytes[2 * word] = bytes[2 * word + 1] = 0;
        upgraded = true;
    }
    if (bytes.size() != kObjectDefinitionSize && !ResizeZeroed(bytes, kObjectDefinitionSize)) return false;
    return upgraded;
}

bool NormalizeObjectDefinition(DataHandle* data) {
    if (!data) return false;
    return NormalizeObjectDefinition(data->bytes);
}

bool ParseObjectDefinition(const uint8_t* data, size_t size, ObjectDefinition& out) {
    ByteReader r(data, size);
    if (!r.Has(kObjectDefinitionSize)) return false;
    ObjectDefinition def;
    for (const ObjectDefinitionField& f : GetObjectDefinitionFields()) {
        r.Seek(f.offset);
        SetFieldValue(def, f, f.width == 2 ? r.ReadInt16LE() : r.ReadInt32LE());
    }
    r.Seek(kObjectDefinitionReservedOffset);
    r.ReadBytes(def.reserved.data(), def.reserved.size());
    if (r.HasFailed()) return false;
    out = def;
    return true;
}

ObjectDefinitionBytes SerializeObjectDefinition(const ObjectDefinition& def) {
    ObjectDefinitionBytes out{};
    for (const ObjectDefinitionField& f : GetObjectDefinitionFields()) {
        const auto value = static_cast<uint32_t>(GetFieldValue(def, f));
        if (f.width == 4)
            PutUInt32LE(out.data() + f.offset, value);
        else
            PutUInt16LE(out.data() + f.offset, static_cast<uint16_t>(value));
    }
    std::copy(def.reserved.begin(), def.reserved.end(), out.begin() + kObjectDefinitionReservedOffset);
    return out;
}

bool ObjectDefinitionFromData(const DataHandle& data, ObjectDefinition& out) {
    // A current record of full length is already in the normalised form within its first kObjectDefinitionSize
    // bytes, the only ones read: it is parsed where it lies. Any other is brought to that form in a copy.
    const std::vector<uint8_t>& stored = data.bytes;
    if (stored.size() >= kObjectDefinitionSize && !IsOldRecord(stored))
        return ParseObjectDefinition(stored.data(), stored.size(), out);
    std::vector<uint8_t> copy;
    try {
        copy = data.bytes;
    } catch (const std::bad_alloc&) {
        return false;
    }
    NormalizeObjectDefinition(copy);
    return ParseObjectDefinition(copy.data(), copy.size(), out);
}

ResErr LoadObjectDefinition(iResFile& file, ResID id, ObjectDefinition& out, std::string* name) {
    DataHandle* h = file.GetResource(kTypeOBJD, id, FixupObjectDefinition);
    if (!h) return file.GetError() != kNoErr ? file.GetError() : kErrNoMemory;
    std::string resName;
    file.GetName(h, resName);
    // The file's own block is left as stored: only the copy is brought to the current form.
    bool ok = ObjectDefinitionFromData(*h, out);
    file.ReleaseAndFree(h);
    if (!ok) return kErrNoMemory;
    if (name) *name = resName;
    return kNoErr;
}

ResErr StoreObjectDefinition(iResFile& file, ResID id, const ObjectDefinition& def) {
    if (!file.IsWritable()) return kNoErr;
    std::string name = kUnnamedObjectName;
    if (DataHandle* old = file.GetResource(kTypeOBJD, id, FixupObjectDefinition)) {
        file.GetName(old, name);
        file.ReleaseAndFree(old);
    }
    ObjectDefinitionBytes bytes = SerializeObjectDefinition(def);
    DataHandle* h = NewHandleFrom(bytes.data(), static_cast<int32_t>(bytes.size()));
    if (!h) return kErrNoMemory;
    file.Add(h, kTypeOBJD, id, name, true);
    if (file.GetError() != kNoErr) {
        // A refused handle stays ours.
        ResErr err = file.GetError();
        FreeHandle(h);
        return err;
    }
    return kNoErr;
}
