// ResolveResFile: the search directory list and the answers of an empty resolver.
#include "resfile/ResolveResFile.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "platform/HostDirectory.h"
#include "platform/HostPath.h"
#include "resfile/CTGFileManager.h"

ResolveResFile::~ResolveResFile() { Close(); }

ResErr ResolveResFile::ResolverCodeToError(int code) {
    switch (code) {
        case kResolveOk: return kNoErr;
        case kResolveNotFound: return kErrNotFound;
        case kResolveNoMemory: return kErrNoMemory;
        default: return kErrBadChunk;
    }
}

std::vector<std::string> ResolveResFile::ParseDirectoryList(const std::string& path) {
    // '/' and '\\' separate alike; every one is stored as '\\'.
    auto separator = [](char c) { return c == '/' || c == '\\'; };
    auto letter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
    std::string_view s(path);
    while (s.size() >= 2 && s[0] == '.' && separator(s[1])) s.remove_prefix(2);
    std::vector<std::string> out;
    for (;;) {
        const size_t end = s.find(';');
        const std::string_view piece = s.substr(0, end);
        const bool drive = piece.size() >= 3 && letter(piece[0]) && piece[1] == ':' && separator(piece[2]);
        const bool unc = piece.size() >= 3 && separator(piece[0]) && separator(piece[1]) && letter(piece[2]);
        const bool relative = (piece.size() >= 2 && piece[0] == '.' && separator(piece[1])) || piece == ".";
        std::string dir;
        dir.reserve(piece.size() + 3);
        if (!drive && !unc && !relative) dir = ".\\";
        dir.append(piece);
        std::replace(dir.begin(), dir.end(), '/', '\\');
        if (dir.back() != '\\') dir += '\\';
        out.push_back(std::move(dir));
        if (end == std::string_view::npos) break;
        s.remove_prefix(end + 1);
        while (!s.empty() && (s[0] == ' ' || s[0] == '\t')) s.remove_prefix(1);
    }
    return out;
}

bool ResolveResFile::DirectoriesExist() const {
    if (!directories_) return false;
    CTGFileManager& manager = CTGFileManager::Instance();
    for (const auto& d : *directories_)
        if (manager.IsKnownMissing(d) || (!manager.Exists(d) && !IsHostDirectory(ResolveHostPath(d)))) return false;
    return true;
}

ResErr ResolveResFile::Create(const std::string&) { return SetError(kErrNotSupported); }
ResErr ResolveResFile::Remove(const std::string&) { return SetError(kErrNotSupported); }

ResErr ResolveResFile::Open(const std::string& path) {
    directories_ = std::make_unique<std::vector<std::string>>(ParseDirectoryList(path));
    if (!DirectoriesExist()) {
        directories_.reset();
        return SetError(kErrAlreadyOpen);
    }
    return SetError(kNoErr);
}

ResErr ResolveResFile::Suspend() { return SetError(kNoErr); }
ResErr ResolveResFile::Resume() { return SetError(kNoErr); }
ResErr ResolveResFile::Close() {
    directories_.reset();
    loaded_.clear();
    return SetError(kNoErr);
}
void ResolveResFile::Update() { SetError(kErrNotSupported); }
bool ResolveResFile::IsWritable() { return false; }

ResErr ResolveResFile::GetPath(std::string& out) {
    out.clear();
    if (!directories_ || directories_->empty()) return SetError(kErrNotOpen);
    out = directories_->front();
    return SetError(kNoErr);
}

bool ResolveResFile::IsOpen() { return DirectoriesExist(); }

// The resolver knows no types, so there is nothing to list.
int32_t ResolveResFile::CountTypes() {
    SetError(kNoErr);
    return 0;
}
ResType ResolveResFile::GetIndexedType(int32_t) {
    SetError(kErrBadChunk);
    return 0;
}
int32_t ResolveResFile::CountResources(ResType) {
    SetError(kNoErr);
    return 0;
}
DataHandle* ResolveResFile::GetResource(ResType, ResID, FixupProc) {
    SetError(ResolverCodeToError(kResolveNotFound));
    return nullptr;
}
DataHandle* ResolveResFile::GetNamedResource(ResType, std::string_view, FixupProc) {
    SetError(ResolverCodeToError(kResolveNotFound));
    return nullptr;
}
DataHandle* ResolveResFile::GetIndexedResource(ResType, int32_t, FixupProc) {
    SetError(kErrBadChunk);
    return nullptr;
}
DataHandle* ResolveResFile::GetResourceVariant(ResType type, ResID id, uint8_t, FixupProc fixup) {
    return GetResource(type, id, fixup);
}

ResolveResFile::Loaded* ResolveResFile::Find(const DataHandle* h) {
    for (auto& l : loaded_)
        if (h && l.data.get() == h) return &l;
    return nullptr;
}

bool ResolveResFile::HoldsHandle(const DataHandle* h) const {
    for (const auto& l : loaded_)
        if (h && l.data.get() == h) return true;
    return false;
}

void ResolveResFile::GetName(DataHandle* h, std::string& out) {
    out.clear();
    Loaded* l = Find(h);
    if (!l) {
        SetError(kErrNameNotFound);
        return;
    }
    out = l->name;
    SetError(kNoErr);
}
ResType ResolveResFile::GetType(DataHandle* h) {
    Loaded* l = Find(h);
    SetError(l ? kNoErr : kErrNameNotFound);
    return l ? l->type : 0;
}
void ResolveResFile::GetID(DataHandle* h, ResID& out) {
    Loaded* l = Find(h);
    SetError(l ? kNoErr : kErrNameNotFound);
    if (l) out = l->id;
}
void ResolveResFile::ReservedQuery(DataHandle*, int16_t&) { SetError(kErrNotSupported); }
uint8_t ResolveResFile::GetVariant(DataHandle*) {
    SetError(kNoErr);
    return 0;
}
void ResolveResFile::MakeUniqueName(ResType, std::string&) { SetError(kErrNotSupported); }
ResID ResolveResFile::GetFreeID(ResType) {
    SetError(kErrNotSupported);
    return 0;
}
void ResolveResFile::Release(DataHandle* h) {
    for (auto it = loaded_.begin(); it != loaded_.end(); ++it)
        if (it->data.get() == h) {
            it->data.release();
            loaded_.erase(it);
            SetError(kNoErr);
            return;
        }
    SetError(kErrNameNotFound);
}
void ResolveResFile::ReservedCommand(int32_t) { SetError(kErrNotSupported); }
bool ResolveResFile::IsConverted(DataHandle*) {
    SetError(kNoErr);
    return true;
}
void ResolveResFile::SetID(DataHandle*, ResID) { SetError(kErrNotSupported); }
void ResolveResFile::Add(DataHandle*, ResType, ResID, std::string_view, bool) { SetError(kErrNotSupported); }
void ResolveResFile::AddVariant(DataHandle*, ResType, ResID, std::string_view, uint8_t, bool) {
    SetError(kErrNotSupported);
}
void ResolveResFile::Write(DataHandle*) { SetError(kErrNotSupported); }
void ResolveResFile::Delete(DataHandle*) { SetError(kErrNotSupported); }
void ResolveResFile::SetInfo(DataHandle*, ResID, std::string_view, uint8_t) { SetError(kErrNotSupported); }
