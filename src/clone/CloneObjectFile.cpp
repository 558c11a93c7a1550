// CloneObjectFile: the id sets of the chosen objects, the count pass, the copy pass with its log, GUIDs and reopen.
#include "clone/CloneObjectFile.h"

#include <cstdio>
#include <set>
#include <vector>

#include "app/ObjectCatalog.h"
#include "app/ObjectFile.h"
#include "app/Progress.h"
#include "clone/GuidMap.h"
#include "clone/RemapBehaviorGuids.h"
#include "objects/definitions/ObjectDefinition.h"
#include "objects/definitions/ObjectDefinitionFields.h"
#include "objects/definitions/ObjectReach.h"
#include "objects/strings/StringSet.h"
#include "platform/ByteReader.h"
#include "platform/ByteWriter.h"
#include "resfile/CTGFileManager.h"
#include "resfile/StdResFile.h"

namespace {

constexpr ResType kTypeOBJf = MakeResType("OBJf");
constexpr size_t kMaxNameLength = 63;

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }
std::string ErrorNumber(ResErr e) { return "error #" + std::to_string(e) + "!"; }

std::string CreateMessage(const std::string& path, ResErr e) {
    return "Could not create the new object object file named " + Quoted(path) + ", " + ErrorNumber(e);
}
std::string OpenNewMessage(const std::string& name, const std::string& path, ResErr e) {
    return "Could not clone the object file " + Quoted(name) + " to " + Quoted(path) + ": " + ErrorNumber(e);
}
std::string ReadMessage(ResErr e) { return "Encountered an error reading from object file, " + ErrorNumber(e); }
std::string ReopenMessage(const std::string& name, ResErr e) {
    return "Could not open the object " + Quoted(name) + " after cloning, " + ErrorNumber(e);
}

// The error code of a failed operation: the file's, or "not found" when the file recorded none.
ResErr FailureOf(iResFile& file) { return file.GetError() != kNoErr ? file.GetError() : kErrNotFound; }

struct CloneSets {
    std::set<ResID> objects;
    std::set<ResID> catalogStrings;
    std::set<ResID> drawGroups;
    std::set<ResID> sprites;

    // Whether a resource of this type and id goes into the clone; types without a set always do.
    bool Copies(ResType type, ResID id) const {
        if (type == kTypeCTSS) return catalogStrings.count(id) != 0;
        if (type == kTypeDGRP) return drawGroups.count(id) != 0;
        if (type == kTypeOBJD || type == kTypeOBJf) return objects.count(id) != 0;
        if (type == kTypeSPRList || type == kTypeSPR2) return sprites.count(id) != 0;
        return true;
    }
};

// Adds one object's ids: its own, the lead's catalogue strings, custom wall style sprites, draw groups with their
// sprites. Returns 0 or the error of the failed fetch of its definition.
ResErr CollectObject(iResFile& source, ResID id, bool isRoot, CloneSets& sets) {
    sets.objects.insert(id);
    ObjectDefinition def;
    if (ResErr err = LoadObjectDefinition(source, id, def)) return err;
    if (isRoot) sets.catalogStrings.insert(def.catalogid);
    const bool hasGraphics = def.basegraphic > 0;
    VisitObjectReach(
        source, def,
        [&](int32_t group) {
            return hasGraphics && group <= INT16_MAX && sets.drawGroups.insert(static_cast<ResID>(group)).second;
        },
        [&](int32_t sprite) {
            if (sprite >= INT16_MIN && sprite <= INT16_MAX) sets.sprites.insert(static_cast<ResID>(sprite));
        });
    return kNoErr;
}

// The offset of a 32-bit field of the record as the field table gives it.
size_t FieldOffset(const char* name) { return FindObjectDefinitionField(name)->offset; }

// Gives a stored record its new GUID and keeps the old one as originalguid. A record too short to hold
// originalguid is first brought to the current 216-byte form, so that every copied object carries its new GUID
// and nothing is written past the stored bytes. Returns the old GUID; false when the record cannot be grown.
bool RewriteGuids(std::vector<uint8_t>& bytes, uint32_t newGuid, uint32_t& oldGuid) {
    const size_t guidAt = FieldOffset("guid");
    const size_t originalAt = FieldOffset("originalguid");
    if (bytes.size() < originalAt + 4) {
        if (!NormalizeObjectDefinition(bytes) && bytes.size() < kObjectDefinitionSize) return false;
    }
    ByteReader r(bytes.data(), bytes.size());
    r.Seek(guidAt);
    oldGuid = r.ReadUInt32LE();
    PutUInt32LE(&bytes[originalAt], oldGuid);
    PutUInt32LE(&bytes[guidAt], newGuid);
    return true;
}

struct CopyContext {
    iResFile& source;
    iResFile& target;
    const CloneSets& sets;
    GuidMap map;
    std::set<uint32_t> allocated;
    std::function<bool(uint32_t)> inUse;
    int32_t cookie;
    const std::function<uint32_t()>& mix;
};

void LogCopy(const std::string& line) { ProgressLog(1, line.c_str(), kProgressStylePlain, 0, 0, 0); }

std::string CopyLine(ResType type, int32_t index, ResID id, const std::string& name) {
    char text[256];
    auto c = [type](int shift) {
        char ch = static_cast<char>((type >> shift) & 0xFF);
        return ch == '\0' ? ' ' : ch;
    };
    std::snprintf(text, sizeof text, "<%c%c%c%c index=\"%d\" id=\"%d\" name=\"%s\" />\r\n", c(24), c(16), c(8), c(0),
                  index, id, name.c_str());
    return text;
}

// Copies one resource of the source (by type and index) as its type's rule says. Returns 0 or the error code.
ResErr CopyResource(CopyContext& ctx, ResType type, int32_t index) {
    DataHandle* h = ctx.source.GetIndexedResource(type, index, nullptr);
    if (!h) return FailureOf(ctx.source);
    bool converted = ctx.source.IsConverted(h);
    uint8_t variant = ctx.source.GetVariant(h);
    ResID id = 0;
    ctx.source.GetID(h, id);
    std::string name;
    ctx.source.GetName(h, name);
    if (name.size() > kMaxNameLength) name.resize(kMaxNameLength);
    bool copies = ctx.sets.Copies(type, id);
    std::vector<uint8_t> bytes;
    if (copies && type != kTypeCloneStringTable) {
        try {
            bytes = h->bytes;
        } catch (const std::bad_alloc&) {
            ctx.source.ReleaseAndFree(h);
            return kErrNoMemory;
        }
    }
    ctx.source.ReleaseAndFree(h);
    if (!copies) return kNoErr;
    std::string line = CopyLine(type, index, id, name);
    if (type == kTypeCloneStringTable) {
        StringSet loaded;
        if (ResErr err = loaded.ReadStringTable(&ctx.source, id, false)) return err;
        StringSet copy;
        copy.Bind(nullptr, id, kTypeSTRList, false, -1);
        copy.CopyFrom(loaded);
        if (ResErr err = copy.SaveAsStringTable(&ctx.target, id)) return err;
        LogCopy(line);
        return kNoErr;
    }
    if (type == kTypeOBJD) {
        uint32_t g = AllocateGuid(ctx.cookie, ctx.inUse, ctx.mix);
        uint32_t old = 0;
        if (!RewriteGuids(bytes, g, old)) return kErrNoMemory;
        ctx.allocated.insert(g);
        ctx.map[old] = g;
    }
    LogCopy(line);
    DataHandle* copy = NewHandleFrom(bytes.data(), static_cast<int32_t>(bytes.size()));
    if (!copy) return kErrNoMemory;
    ctx.target.AddVariant(copy, type, id, name, variant, converted);
    if (ResErr err = ctx.target.GetError()) {
        FreeHandle(copy);  // refused, so still ours
        return err;
    }
    ctx.target.Write(copy);
    if (ResErr err = ctx.target.GetError()) return err;
    ctx.target.ReleaseAndFree(copy);
    return kNoErr;
}

}  // namespace

CloneResult CloneObjectFile(ObjectFile& sourceRecord, const std::string& name, const std::string& path,
                            const ObjectCatalog& catalog, int32_t cookie, const std::function<uint32_t()>& mix) {
    CloneResult result;
    if (!sourceRecord.file) {
        result.error = ReadMessage(kErrNotOpen);
        return result;
    }
    iResFile& source = *sourceRecord.file;
    CTGFileManager& manager = CTGFileManager::Instance();

    auto target = std::make_unique<ObjResFile>();
    if (ResErr err = target->Create(path)) {
        result.error = CreateMessage(path, err);
        return result;
    }
    if (ResErr err = target->Open(path)) {
        manager.Delete(path);
        result.error = OpenNewMessage(name, path, err);
        return result;
    }
    auto fail = [&](ResErr err) {
        target->Close();
        manager.Delete(path);
        result.error = ReadMessage(err);
        return std::move(result);
    };

    CloneSets sets;
    for (ObjectEntry* root : sourceRecord.roots) {
        if (!root->selectedForClone) continue;
        if (ResErr err = CollectObject(source, root->id, true, sets)) return fail(err);
        for (ObjectEntry* tile : root->tiles)
            if (ResErr err = CollectObject(source, tile->id, false, sets)) return fail(err);
    }

    // Count pass.
    int32_t total = 0;
    int32_t types = source.CountTypes();
    for (int32_t t = 1; t <= types; ++t) {
        ResType type = source.GetIndexedType(t);
        if (source.GetError()) return fail(source.GetError());
        int32_t count = source.CountResources(type);
        if (source.GetError()) return fail(source.GetError());
        for (int32_t i = 1; i <= count; ++i) {
            DataHandle* h = source.GetIndexedResource(type, i, nullptr);
            if (!h) return fail(FailureOf(source));
            ResID id = 0;
            source.GetID(h, id);
            source.ReleaseAndFree(h);
            if (sets.Copies(type, id)) ++total;
        }
    }

    ProgressBegin(kCloneProgressTitle, total, 0);

    // Copy pass, in the same order. GUIDs are allocated in the order the definitions stand in the source.
    CopyContext ctx{source, *target, sets, {}, {}, {}, cookie, mix};
    ctx.inUse = [&](uint32_t g) {
        if (IsGuidInUse(catalog, g) || ctx.allocated.count(g)) return true;
        for (const auto& o : sourceRecord.objects)
            if (static_cast<uint32_t>(o->definition.guid) == g) return true;
        return false;
    };
    for (int32_t t = 1; t <= types; ++t) {
        ResType type = source.GetIndexedType(t);
        if (source.GetError()) return fail(source.GetError());
        int32_t count = source.CountResources(type);
        if (source.GetError()) return fail(source.GetError());
        for (int32_t i = 1; i <= count; ++i)
            if (ResErr err = CopyResource(ctx, type, i)) return fail(err);
    }

    RemapBehaviorGuids(*target, ctx.map);
    target->Update();
    if (ResErr err = target->Close()) return fail(err);
    target.reset();

    auto reopened = std::make_unique<ObjResFile>();
    if (ResErr err = reopened->Open(path)) {
        result.error = ReopenMessage(name, err);
        return result;
    }
    result.ok = true;
    result.file = std::move(reopened);
    result.path = path;
    result.error = "No error.";
    return result;
}
