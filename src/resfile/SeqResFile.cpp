// SeqResFile: opening, creating and removing the member files of each registered kind.
#include "resfile/SeqResFile.h"

#include <string_view>
#include <vector>

#include "platform/AsciiFold.h"
#include "resfile/IFFResFile.h"
#include "resfile/IFFResFile2.h"
#include "resfile/ResFileExtension.h"
#include "resfile/ResolveResFile.h"

std::unique_ptr<iResFile> MakeResFileOfKind(int32_t kind) {
    switch (kind) {
        case kKindIFF10: return std::make_unique<IFFResFile>();
        case kKindIFF2: return std::make_unique<IFFResFile2>();
        case kKindResolve: return std::make_unique<ResolveResFile>();
        default: return nullptr;
    }
}

SeqResFile::~SeqResFile() {
    CloseMembers();
    DestroyMembers();
}

void SeqResFile::RegisterKind(int32_t kind, std::string_view extension) {
    if (kind < 0 || kind > 3 || kindCount_ >= kMaxKinds || extension.size() > sizeof(Kind::extension)) return;
    Kind& k = kinds_[kindCount_++];
    k.kind = kind;
    k.length = static_cast<uint8_t>(extension.size());
    extension.copy(k.extension, extension.size());
}

void SeqResFile::ClearKinds() { kindCount_ = 0; }

ResErr SeqResFile::Open(const std::string& path) {
    Close();
    ResErr last = kErrNoKindMatches;
    bool opened = false;
    for (const Kind& k : Kinds()) {
        std::unique_ptr<iResFile> file = MakeResFileOfKind(k.kind);
        std::string resolved;
        if (!file || !MatchKindExtension(k.Extension(), path, resolved)) {
            last = kErrNoKindMatches;
            continue;
        }
        ResErr err = file->Open(resolved);
        if (err) {
            last = err;
            continue;
        }
        AddMember(std::move(file));
        opened = true;
    }
    return SetError(opened ? kNoErr : last);
}

ResErr SeqResFile::Create(const std::string& path) {
    ResErr last = kErrNoKindMatches;
    bool created = false;
    std::vector<std::string_view> done;
    for (const Kind& k : Kinds()) {
        std::string resolved;
        if (!MatchKindExtension(k.Extension(), path, resolved)) continue;
        bool already = false;
        for (const auto& e : done) already = already || EqualsFoldedAscii(e, k.Extension());
        if (already) continue;
        std::unique_ptr<iResFile> file = MakeResFileOfKind(k.kind);
        if (!file) continue;
        ResErr err = file->Create(resolved);
        if (err == kErrFileExists) return SetError(kErrFileExists);
        if (err) {
            last = err;
            continue;
        }
        created = true;
        done.push_back(k.Extension());
    }
    return SetError(created ? kNoErr : last);
}

ResErr SeqResFile::Remove(const std::string& path) {
    ResErr last = kErrNoKindMatches;
    bool removed = false;
    for (const Kind& k : Kinds()) {
        std::string resolved;
        if (!MatchKindExtension(k.Extension(), path, resolved)) continue;
        std::unique_ptr<iResFile> file = MakeResFileOfKind(k.kind);
        if (!file) continue;
        ResErr err = file->Remove(resolved);
        if (err == kErrNoMemberTakesType || err == kErrNotWritable) return SetError(err);
        if (err)
            last = err;
        else
            removed = true;
    }
    return SetError(removed ? kNoErr : last);
}

ResErr SeqResFile::Close() {
    ResErr err = CloseMembers();
    DestroyMembers();
    return SetError(err);
}

ResErr SeqResFile::GetPath(std::string& out) {
    out.clear();
    if (!IsOpen()) return SetError(kErrNotOpen);
    ResErr err = GetMember(0)->GetPath(out);
    out = StripExtension(out);
    return SetError(err);
}
