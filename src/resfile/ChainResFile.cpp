// ChainResFile: member management and the forwarding of every resource file operation.
#include "resfile/ChainResFile.h"

#include <algorithm>

#include "resfile/CommitScope.h"

ChainResFile::~ChainResFile() { DestroyMembers(); }

void ChainResFile::AddMember(std::unique_ptr<iResFile> file) {
    for (auto& s : slots_)
        if (!s.member) {
            s.member = std::move(file);
            s.types.clear();
            s.mode = 1;
            return;
        }
}

std::unique_ptr<iResFile> ChainResFile::RemoveMember(iResFile* file) {
    int i = SlotOf(file);
    if (i < 0) return nullptr;
    std::unique_ptr<iResFile> out = std::move(slots_[i].member);
    for (int j = i; j + 1 < kMaxMembers; ++j) slots_[j] = std::move(slots_[j + 1]);
    slots_[kMaxMembers - 1] = Slot();
    return out;
}

int ChainResFile::CountMembers() const {
    int n = 0;
    while (n < kMaxMembers && slots_[n].member) ++n;
    return n;
}

iResFile* ChainResFile::GetMember(int index) const {
    return index >= 0 && index < kMaxMembers ? slots_[index].member.get() : nullptr;
}

int ChainResFile::SlotOf(const iResFile* file) const {
    for (int i = 0; i < kMaxMembers; ++i)
        if (file && slots_[i].member.get() == file) return i;
    return -1;
}

void ChainResFile::ExcludeType(iResFile* member, ResType type) {
    int i = SlotOf(member);
    if (i < 0) return;
    Slot& s = slots_[i];
    if (s.types.empty() || s.mode == 1) {
        s.mode = 1;
        s.types.push_back(type);
    }
}

void ChainResFile::IncludeOnlyType(iResFile* member, ResType type) {
    int i = SlotOf(member);
    if (i < 0) return;
    Slot& s = slots_[i];
    if (s.types.empty() || s.mode == 0) {
        s.mode = 0;
        s.types.push_back(type);
    }
}

bool ChainResFile::MemberTakesType(int index, ResType type) const {
    if (index < 0 || index >= kMaxMembers || !slots_[index].member) return false;
    const Slot& s = slots_[index];
    bool listed = std::find(s.types.begin(), s.types.end(), type) != s.types.end();
    return s.mode == 1 ? !listed : listed;
}

ResErr ChainResFile::Create(const std::string&) { return SetError(kErrNotSupported); }
ResErr ChainResFile::Remove(const std::string&) { return SetError(kErrNotSupported); }
ResErr ChainResFile::Open(const std::string&) { return SetError(kErrNotSupported); }

ResErr ChainResFile::Suspend() {
    ResErr result = kNoErr;
    for (int i = 0; i < CountMembers(); ++i)
        if (ResErr err = slots_[i].member->Suspend()) result = err;
    return SetError(result);
}

ResErr ChainResFile::Resume() {
    ResErr result = kNoErr;
    for (int i = 0; i < CountMembers(); ++i)
        if (ResErr err = slots_[i].member->Resume()) result = err;
    return SetError(result);
}

ResErr ChainResFile::CloseMembers() {
    if (CountMembers() == 0) return kNoErr;  // a chain never opened, or closed already
    // The members' last changes reach the disk together.
    CommitScope scope;
    ResErr result = kNoErr;
    for (int i = 0; i < CountMembers(); ++i)
        if (ResErr err = slots_[i].member->Close()) result = err;
    ResErr committed = scope.Finish();
    return result ? result : committed;
}

ResErr ChainResFile::Close() { return SetError(CloseMembers()); }

void ChainResFile::DestroyMembers() {
    for (int i = kMaxMembers - 1; i >= 0; --i) {
        Slot& s = slots_[i];
        if (!s.member && s.types.empty() && s.mode == 1) continue;  // never used, or emptied already
        s = Slot();
    }
}

void ChainResFile::Update() {
    SetError(kNoErr);
    // The members commit together, so no crash leaves one member's changes without the other's.
    CommitScope scope;
    ResErr first = kNoErr;
    for (int i = 0; i < CountMembers(); ++i) {
        iResFile& m = *slots_[i].member;
        if (!m.IsWritable()) continue;
        m.Update();
        if (!first) first = m.GetError();
    }
    ResErr committed = scope.Finish();
    SetError(first ? first : committed);
}

bool ChainResFile::IsWritable() {
    SetError(kNoErr);
    for (int i = 0; i < CountMembers(); ++i)
        if (slots_[i].member->IsWritable()) return true;
    return false;
}

ResErr ChainResFile::GetPath(std::string& out) {
    out.clear();
    if (!IsOpen()) return SetError(kErrNotOpen);
    return SetError(slots_[0].member->GetPath(out));
}

bool ChainResFile::IsOpen() {
    for (int i = 0; i < CountMembers(); ++i)
        if (slots_[i].member->IsOpen()) return true;
    return false;
}

const std::vector<ResType>& ChainResFile::UnionOfTypes() {
    // The members' own type lists, read afresh; the union is built again only when one of them changed, so that a
    // walk over every type by index does not rebuild it for each index.
    std::vector<ResType> listed;
    std::vector<size_t> counts;
    for (int i = 0; i < CountMembers(); ++i) {
        iResFile& m = *slots_[i].member;
        int32_t n = m.CountTypes();
        if (m.GetError()) {
            SetError(m.GetError());
            n = 0;
        }
        counts.push_back(static_cast<size_t>(n));
        for (int32_t t = n; t >= 1; --t) listed.push_back(m.GetIndexedType(t));
    }
    if (listed == unionSource_ && counts == unionCounts_) return union_;
    union_.clear();
    for (ResType type : listed)
        if (std::find(union_.begin(), union_.end(), type) == union_.end()) union_.push_back(type);
    unionSource_ = std::move(listed);
    unionCounts_ = std::move(counts);
    return union_;
}

int32_t ChainResFile::CountTypes() {
    SetError(kNoErr);
    return static_cast<int32_t>(UnionOfTypes().size());
}

ResType ChainResFile::GetIndexedType(int32_t index) {
    SetError(kNoErr);
    const std::vector<ResType>& all = UnionOfTypes();
    if (index < 1 || static_cast<size_t>(index) > all.size()) {
        SetError(kErrTypeIndex);
        return 0;
    }
    return all[static_cast<size_t>(index) - 1];
}

int32_t ChainResFile::CountResources(ResType type) {
    SetError(kNoErr);
    int32_t sum = 0;
    for (int i = 0; i < CountMembers(); ++i) {
        iResFile& m = *slots_[i].member;
        int32_t n = m.CountResources(type);
        if (m.GetError()) {
            SetError(m.GetError());
            return 0;
        }
        sum += n;
    }
    return sum;
}

DataHandle* ChainResFile::GetResource(ResType type, ResID id, FixupProc fixup) {
    return GetResourceVariant(type, id, 0, fixup);
}

DataHandle* ChainResFile::GetResourceVariant(ResType type, ResID id, uint8_t variant, FixupProc fixup) {
    SetError(kErrNotFound);
    for (int i = 0; i < CountMembers(); ++i) {
        iResFile& m = *slots_[i].member;
        if (DataHandle* h = m.GetResourceVariant(type, id, variant, fixup)) {
            SetError(kNoErr);
            return h;
        }
        SetError(m.GetError());
    }
    return nullptr;
}

DataHandle* ChainResFile::GetNamedResource(ResType type, std::string_view name, FixupProc fixup) {
    SetError(kErrNotFound);
    for (int i = 0; i < CountMembers(); ++i) {
        iResFile& m = *slots_[i].member;
        if (DataHandle* h = m.GetNamedResource(type, name, fixup)) {
            SetError(kNoErr);
            return h;
        }
        SetError(m.GetError());
    }
    return nullptr;
}

iResFile* ChainResFile::MemberAtIndex(ResType type, int32_t& index) {
    SetError(kNoErr);
    for (int i = 0; i < CountMembers(); ++i) {
        iResFile& m = *slots_[i].member;
        int32_t n = m.CountResources(type);
        if (m.GetError()) {
            SetError(m.GetError());
            return nullptr;
        }
        if (index <= n) return &m;
        index -= n;
    }
    SetError(kErrNotFound);
    return nullptr;
}

bool ChainResFile::GetIndexedInfo(ResType type, int32_t index, ResID& id, std::string& name) {
    iResFile* m = MemberAtIndex(type, index);
    if (!m) return false;
    bool found = m->GetIndexedInfo(type, index, id, name);
    SetError(m->GetError());
    return found;
}

DataHandle* ChainResFile::GetIndexedResource(ResType type, int32_t index, FixupProc fixup) {
    iResFile* m = MemberAtIndex(type, index);
    if (!m) return nullptr;
    DataHandle* h = m->GetIndexedResource(type, index, fixup);
    SetError(m->GetError());
    return h;
}

template <class Fn>
void ChainResFile::AskUntilSuccess(bool writableOnly, Fn fn) {
    SetError(kErrNameNotFound);
    for (int i = 0; i < CountMembers(); ++i) {
        iResFile& m = *slots_[i].member;
        if (writableOnly && !m.IsWritable()) continue;
        fn(m);
        SetError(m.GetError());
        if (!GetError()) return;
    }
}

void ChainResFile::GetName(DataHandle* h, std::string& out) {
    out.clear();
    AskUntilSuccess(false, [&](iResFile& m) { m.GetName(h, out); });
}

ResType ChainResFile::GetType(DataHandle* h) {
    ResType t = 0;
    AskUntilSuccess(false, [&](iResFile& m) { t = m.GetType(h); });
    return GetError() ? 0 : t;
}

void ChainResFile::GetID(DataHandle* h, ResID& out) {
    AskUntilSuccess(false, [&](iResFile& m) { m.GetID(h, out); });
}

void ChainResFile::ReservedQuery(DataHandle* h, int16_t& out) {
    AskUntilSuccess(false, [&](iResFile& m) { m.ReservedQuery(h, out); });
}

uint8_t ChainResFile::GetVariant(DataHandle* h) {
    uint8_t v = 0;
    AskUntilSuccess(false, [&](iResFile& m) { v = m.GetVariant(h); });
    return GetError() ? 0 : v;
}

void ChainResFile::MakeUniqueName(ResType type, std::string& name) {
    SetError(kNoErr);
    if (name.empty()) name = "anonymous 0";
    for (int i = 0; i < CountMembers(); ++i) slots_[i].member->MakeUniqueName(type, name);
}

ResID ChainResFile::GetFreeID(ResType type) {
    SetError(kNoErr);
    if (!slots_[0].member) return 0;
    ResID id = slots_[0].member->GetFreeID(type);
    SetError(slots_[0].member->GetError());
    return id;
}

void ChainResFile::Release(DataHandle* h) {
    AskUntilSuccess(false, [&](iResFile& m) { m.Release(h); });
}

void ChainResFile::ReservedCommand(int32_t) { SetError(kErrNotSupported); }

bool ChainResFile::IsConverted(DataHandle* h) {
    bool converted = true;
    AskUntilSuccess(false, [&](iResFile& m) { converted = m.IsConverted(h); });
    return GetError() ? true : converted;
}

void ChainResFile::SetID(DataHandle* h, ResID id) {
    AskUntilSuccess(false, [&](iResFile& m) { m.SetID(h, id); });
}

void ChainResFile::Add(DataHandle* h, ResType type, ResID id, std::string_view name, bool converted) {
    AddVariant(h, type, id, name, 0, converted);
}

// A resource of the same type, id and variant is deleted first wherever it lives; the new one goes to
// the first writable member that takes its type.
void ChainResFile::AddVariant(DataHandle* h, ResType type, ResID id, std::string_view name, uint8_t variant,
                              bool converted) {
    SetError(kNoErr);
    DataHandle* existing = GetResourceVariant(type, id, variant, nullptr);
    if (existing) {
        if (existing == h) {
            Release(h);
            existing = GetResourceVariant(type, id, variant, nullptr);
        }
        if (existing) {
            Delete(existing);
            if (GetError()) return;
        }
    }
    SetError(kErrNoMemberTakesType);
    for (int i = 0; i < CountMembers(); ++i) {
        iResFile& m = *slots_[i].member;
        if (!MemberTakesType(i, type)) {
            SetError(kErrTypeExcluded);
            continue;
        }
        if (!m.IsWritable()) continue;
        m.AddVariant(h, type, id, name, variant, converted);
        SetError(m.GetError());
        return;
    }
}

void ChainResFile::Write(DataHandle* h) {
    AskUntilSuccess(true, [&](iResFile& m) { m.Write(h); });
}

void ChainResFile::Delete(DataHandle* h) {
    AskUntilSuccess(true, [&](iResFile& m) { m.Delete(h); });
}

void ChainResFile::SetInfo(DataHandle* h, ResID id, std::string_view name, uint8_t variant) {
    AskUntilSuccess(true, [&](iResFile& m) { m.SetInfo(h, id, name, variant); });
}

bool ChainResFile::CanAddType(ResType type) {
    SetError(kNoErr);
    for (int i = 0; i < CountMembers(); ++i)
        if (MemberTakesType(i, type) && slots_[i].member->IsWritable()) return true;
    return false;
}
