// CatalogStrings: loading and saving an object's catalogue name and description.
#include "objects/strings/CatalogStrings.h"

#include "objects/strings/StringSet.h"
#include "platform/ByteReader.h"
#include "resfile/iResFile.h"

namespace {

// The NUL-terminated text at the reader's position, or the rest of the data when no NUL follows.
std::string ReadTextOrRest(ByteReader& r) {
    ptrdiff_t len = r.PeekCStringLength();
    size_t n = len < 0 ? r.GetRemaining() : static_cast<size_t>(len);
    const uint8_t* p = r.ReadSpan(n);
    std::string text = p ? std::string(reinterpret_cast<const char*>(p), n) : std::string();
    if (len >= 0) r.Skip(1);
    return text;
}

std::string EntryOrEmpty(const std::string* s) { return s ? *s : std::string(); }

}  // namespace

ResErr CatalogStrings::Load(iResFile& file, ResID catalogId, bool fallBack) {
    name.clear();
    description.clear();
    if (DataHandle* h = file.GetResource(kTypeCATS, catalogId, nullptr)) {
        ByteReader r(h->Data(), static_cast<size_t>(h->Size()));
        description = ReadTextOrRest(r);
        if (!r.IsAtEnd()) name = ReadTextOrRest(r);
        file.ReleaseAndFree(h);
        return kNoErr;
    }
    StringSet set;
    set.Bind(&file, catalogId, kTypeCTSS, false, -1);
    ResErr err = set.Read(false, false);
    if (err == kNoErr) {
        name = EntryOrEmpty(set.Get(1));
        description = EntryOrEmpty(set.Get(2));
    }
    if (fallBack && name.empty()) {
        err = set.Read(true, false);
        name = EntryOrEmpty(set.GetFirstAvailable(1));
        description = EntryOrEmpty(set.GetFirstAvailable(2));
    }
    return err;
}

ResErr CatalogStrings::Save(iResFile& file, ResID catalogId) {
    StringSet set;
    set.Bind(&file, catalogId, kTypeCTSS, false, -1);
    set.Set(1, name);
    set.Set(2, description);
    ResErr err = set.Write();
    if (err == kNoErr)
        if (DataHandle* legacy = file.GetResource(kTypeCATS, catalogId, nullptr)) file.Delete(legacy);
    return err;
}

ResErr EnsureCatalogStringEntries(iResFile& file, ResID catalogId) {
    StringSet set;
    set.Bind(&file, catalogId, kTypeCTSS, false, -1);
    if (ResErr err = set.Read(false, false); err != kNoErr) return err;
    bool inserted = false;
    for (int index = 1; index <= 2; ++index) {
        if (set.Get(index)) continue;
        set.Insert(index, "", kUSEnglishIndex);
        set.Insert(index, "", kUKEnglishIndex);
        inserted = true;
    }
    return inserted ? set.Write() : kNoErr;
}
