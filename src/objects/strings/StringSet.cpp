// StringSet: reading every stored form, the list operations, and merging and writing format -3.
#include "objects/strings/StringSet.h"

#include <algorithm>
#include <limits>
#include <new>

#include "platform/ByteReader.h"
#include "platform/ByteWriter.h"
#include "resfile/BoundedString.h"
#include "resfile/DataHandle.h"
#include "resfile/iResFile.h"

namespace {

// Format 0 came from a system whose code page put these at the places of 'o' and the apostrophe.
constexpr uint8_t kLegacyLetterO = 0xA1;
constexpr uint8_t kLegacyApostrophe = 0xD5;
constexpr uint8_t kTextMark = '^';
constexpr size_t kMaxStoredEntries = 32767;

// The text up to the first NUL.
std::string_view CutAtNul(std::string_view text) {
    size_t nul = text.find('\0');
    return nul == std::string_view::npos ? text : text.substr(0, nul);
}

// Reads one NUL-terminated string; false (nothing taken) when no NUL is left in the data.
bool ReadCString(ByteReader& r, std::string& out) {
    ptrdiff_t len = r.PeekCStringLength();
    if (len < 0) {
        r.Fail();
        return false;
    }
    const uint8_t* p = r.ReadSpan(static_cast<size_t>(len) + 1);
    if (!p) return false;
    out.assign(reinterpret_cast<const char*>(p), static_cast<size_t>(len));
    return true;
}

void AppendCString(std::vector<uint8_t>& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
}

}  // namespace

StringSet::StringSet() : language_(LanguageIndex()) {}

StringSet::~StringSet() = default;

void StringSet::Bind(iResFile* file, ResID id, ResType type, bool textForm, int language) {
    file_ = file;
    id_ = id;
    type_ = type;
    textForm_ = textForm;
    language_ = IsLanguageIndex(language) ? language : LanguageIndex();
}

void StringSet::SetName(std::string_view name) { name_ = BoundedString(name, kResNameCapacity).Str(); }

// ---- list operations ----

int StringSet::Resolve(int language) const {
    if (language == -1) return language_;
    return IsLanguageIndex(language) ? language : -1;
}

StringSet::EntryList* StringSet::List(int language) {
    int l = Resolve(language);
    return l < 0 ? nullptr : &lists_[static_cast<size_t>(l)];
}

const StringSet::EntryList* StringSet::List(int language) const {
    int l = Resolve(language);
    return l < 0 ? nullptr : &lists_[static_cast<size_t>(l)];
}

const StringSetEntry* StringSet::Entry(int index, int language) const {
    const EntryList* list = List(language);
    if (!list || index < 1 || static_cast<size_t>(index) > list->size()) return nullptr;
    return &(*list)[static_cast<size_t>(index) - 1];
}

int StringSet::Count(int language) const {
    const EntryList* list = List(language);
    return list ? static_cast<int>(list->size()) : 0;
}

const std::string* StringSet::Get(int index, int language) const {
    const StringSetEntry* e = Entry(index, language);
    return e ? &e->value : nullptr;
}

const std::string* StringSet::GetComment(int index, int language) const {
    const StringSetEntry* e = Entry(index, language);
    return e && e->comment ? &*e->comment : nullptr;
}

int StringSet::GetSource(int index, int language) const {
    const StringSetEntry* e = Entry(index, language);
    return e ? e->source : -1;
}

const std::string* StringSet::GetFirstAvailable(int index, int* languageOut) const {
    for (int l = 0; l < kLanguageCount; ++l) {
        if (const std::string* v = Get(index, l)) {
            if (languageOut) *languageOut = l;
            return v;
        }
    }
    return nullptr;
}

void StringSet::Set(int index, std::string_view text, int language) {
    int l = Resolve(language);
    if (l < 0) return;
    EntryList& list = lists_[static_cast<size_t>(l)];
    if (index < 1 || static_cast<size_t>(index) > list.size() + 1) return;
    std::string value(CutAtNul(text));
    if (static_cast<size_t>(index) == list.size() + 1) {
        list.push_back(StringSetEntry{std::move(value), std::nullopt, static_cast<int8_t>(l)});
    } else {
        StringSetEntry& e = list[static_cast<size_t>(index) - 1];
        e.value = std::move(value);
        e.source = static_cast<int8_t>(l);
    }
}

int StringSet::InsertEntry(int index, std::string_view text, int language) {
    int l = Resolve(language);
    if (l < 0) return 0;
    EntryList& list = lists_[static_cast<size_t>(l)];
    size_t at = static_cast<size_t>(std::clamp<int64_t>(index, 1, static_cast<int64_t>(list.size()) + 1)) - 1;
    list.insert(list.begin() + static_cast<ptrdiff_t>(at),
                StringSetEntry{std::string(CutAtNul(text)), std::nullopt, static_cast<int8_t>(l)});
    return static_cast<int>(at) + 1;
}

void StringSet::SetComment(int index, std::optional<std::string_view> text, int language) {
    EntryList* list = List(language);
    if (!list || index < 1 || static_cast<size_t>(index) > list->size()) return;
    StringSetEntry& entry = (*list)[static_cast<size_t>(index) - 1];
    std::string_view comment = text ? CutAtNul(*text) : std::string_view();
    if (comment.empty())
        entry.comment.reset();
    else
        entry.comment = std::string(comment);
}

void StringSet::Remove(int index, int language) {
    EntryList* list = List(language);
    if (!list || index < 1 || static_cast<size_t>(index) > list->size()) return;
    list->erase(list->begin() + (index - 1));
}

void StringSet::ClearLanguage(int language) {
    if (EntryList* list = List(language)) list->clear();
}

void StringSet::ClearAll() {
    for (EntryList& list : lists_) list.clear();
}

void StringSet::CopyFrom(const StringSet& other) {
    if (&other != this) {
        int from = other.language_;
        int n = other.Count(from);
        for (int i = 1; i <= n; ++i) {
            Set(i, *other.Get(i, from));
            const std::string* c = other.GetComment(i, from);
            SetComment(i, c ? std::optional<std::string_view>(*c) : std::nullopt);
        }
        EntryList& mine = lists_[static_cast<size_t>(language_)];
        if (mine.size() > static_cast<size_t>(n)) mine.resize(static_cast<size_t>(n));
        name_ = other.name_;
    }
    file_ = nullptr;
    id_ = 0;
    type_ = 0;
}

// ---- reading ----

void StringSet::Fixup(uint8_t* data, int32_t size) {
    if (!data || size < 2) return;
    ByteReader r(data, static_cast<size_t>(size));
    // Unconverted data holds its first word, and for format -1 its count, in big-endian order.
    uint16_t first = r.ReadUInt16BE();
    PutUInt16LE(data, first);
    if (first != 0xFFFF) return;
    uint16_t count = r.ReadUInt16BE();
    if (r.HasFailed()) return;
    PutUInt16LE(data + 2, count);
}

bool StringSet::ParseData(const uint8_t* data, size_t size, bool readAll, bool fallBack) {
    ClearAll();
    try {
        if (textForm_)
            ParseText(data, size);
        else
            ParseBinary(data, size, readAll, fallBack);
        if (readAll) FillEmptyLanguagesFromUSEnglish();
    } catch (const std::bad_alloc&) {
        ClearAll();
        return false;
    }
    return true;
}

// Each string stands between a pair of '^' marks; whatever lies outside the pairs, and an unclosed
// last string, is ignored.
void StringSet::ParseText(const uint8_t* data, size_t size) {
    ByteReader r(data, size);
    bool open = false;
    std::string text;
    while (!r.IsAtEnd()) {
        uint8_t c = r.ReadUInt8();
        if (c == kTextMark) {
            if (open) {
                Set(Count() + 1, text);
                if (language_ != kUSEnglishIndex) Set(Count(kUSEnglishIndex) + 1, text, kUSEnglishIndex);
                text.clear();
            }
            open = !open;
        } else if (open) {
            text.push_back(static_cast<char>(c));
        }
    }
}

// A count that promises more strings than the data holds yields the complete entries that are there.
void StringSet::ParseBinary(const uint8_t* data, size_t size, bool readAll, bool fallBack) {
    ByteReader r(data, size);
    int16_t format = r.ReadInt16LE();
    if (r.HasFailed()) return;  // no data: no strings
    const bool alsoUSEnglish = language_ != kUSEnglishIndex;

    if (format == kStringFormatValues || format == kStringFormatComments) {
        int count = r.ReadInt16LE();
        std::string value, comment;
        for (int i = 1; i <= count; ++i) {
            if (!ReadCString(r, value)) break;
            if (format == kStringFormatComments && !ReadCString(r, comment)) break;
            int at = InsertEntry(i, value, -1);
            if (format == kStringFormatComments) SetComment(at, comment);
            if (alsoUSEnglish) {
                at = InsertEntry(i, value, kUSEnglishIndex);
                if (format == kStringFormatComments) SetComment(at, comment, kUSEnglishIndex);
            }
        }
        return;
    }

    if (format == kStringFormatLanguages) {
        int count = r.ReadInt16LE();
        std::vector<std::pair<std::string, std::string>> usEnglish;  // kept for the fall-back
        std::string value, comment;
        int previousCode = -1;
        int running = 0;
        for (int i = 1; i <= count; ++i) {
            int code = r.ReadUInt8();
            if (!ReadCString(r, value) || !ReadCString(r, comment)) break;
            running = code == previousCode ? running + 1 : 1;
            previousCode = code;
            int index = code - 1;
            if (IsLanguageIndex(index) && (index == language_ || readAll)) {
                int at = InsertEntry(running, value, index);
                SetComment(at, comment, index);  // a stored empty comment is no comment
            }
            if (fallBack && index == kUSEnglishIndex) usEnglish.emplace_back(value, comment);
        }
        if (fallBack && lists_[static_cast<size_t>(language_)].empty()) {
            // US English copies standing in for the missing translation.
            for (const auto& [v, c] : usEnglish) {
                int at = Count() + 1;
                Set(at, v);
                SetComment(at, c);
                lists_[static_cast<size_t>(language_)].back().source = kUSEnglishIndex;
            }
        }
        return;
    }

    // Format 0: the first word is the count.
    for (int i = 1; i <= format; ++i) {
        uint8_t length = r.ReadUInt8();
        const uint8_t* p = r.ReadSpan(length);
        if (!p) break;
        std::string value(reinterpret_cast<const char*>(p), length);
        for (char& c : value) {
            if (static_cast<uint8_t>(c) == kLegacyLetterO) c = 'o';
            if (static_cast<uint8_t>(c) == kLegacyApostrophe) c = '\'';
        }
        InsertEntry(i, value, -1);
        if (alsoUSEnglish) InsertEntry(i, value, kUSEnglishIndex);
    }
}

void StringSet::FillEmptyLanguagesFromUSEnglish() {
    const EntryList& us = lists_[kUSEnglishIndex];
    for (int l = 1; l < kLanguageCount; ++l) {
        EntryList& list = lists_[static_cast<size_t>(l)];
        if (!list.empty()) continue;
        list = us;
        for (StringSetEntry& e : list) e.source = kUSEnglishIndex;
    }
}

ResErr StringSet::Read(bool readAll, bool fallBack) {
    if (!file_ || !file_->IsOpen()) return kErrStringSetNoFile;
    ClearAll();
    name_.clear();
    DataHandle* h = file_->GetResource(type_, id_, textForm_ ? nullptr : &StringSet::Fixup);
    if (!h) return file_->GetError() != kNoErr ? file_->GetError() : kErrNoMemory;
    std::string name;
    file_->GetName(h, name);
    SetName(name);
    bool ok = ParseData(h->Data(), static_cast<size_t>(h->Size()), readAll, fallBack);
    file_->ReleaseAndFree(h);
    return ok ? kNoErr : kErrNoMemory;
}

ResErr StringSet::ReadStringTable(iResFile* file, ResID id, bool readAll) {
    Bind(file, id, kTypeSTRList, false, -1);
    ResErr err = Read(readAll, true);
    if (err == kNoErr) return err;
    Bind(file, id, kTypeTextStrings, true, -1);
    return Read(readAll, true);
}

// ---- writing ----

void StringSet::MergeInto(StringSet& merged) const {
    const int own = language_;
    const EntryList& mine = lists_[static_cast<size_t>(own)];
    EntryList& theirs = merged.lists_[static_cast<size_t>(own)];
    // This set's language replaces the stored one entry by entry; an entry that is still an untouched
    // US English copy stays marked as one, so that it is not stored as a translation.
    for (size_t i = 0; i < mine.size(); ++i) {
        int index = static_cast<int>(i) + 1;
        merged.Set(index, mine[i].value, own);
        theirs[i].source = mine[i].source;
        if (mine[i].comment) merged.SetComment(index, *mine[i].comment, own);
    }
    // Comments spread from US English to the same entry of every other language.
    const EntryList& us = merged.lists_[kUSEnglishIndex];
    int n = merged.Count(own);
    for (int i = 1; i <= n; ++i) {
        if (static_cast<size_t>(i) > us.size() || !us[static_cast<size_t>(i) - 1].comment) continue;
        const std::string comment = *us[static_cast<size_t>(i) - 1].comment;
        for (int l = 1; l < kLanguageCount; ++l) merged.SetComment(i, comment, l);
    }
    // Shorter languages are padded with US English copies.
    for (int l = 1; l < kLanguageCount; ++l) {
        EntryList& list = merged.lists_[static_cast<size_t>(l)];
        for (size_t i = list.size(); i < us.size(); ++i) {
            list.push_back(us[i]);
            list.back().source = kUSEnglishIndex;
        }
    }
    // Languages that hold nothing of their own are dropped; US English always stays.
    for (int l = 1; l < kLanguageCount; ++l) {
        EntryList& list = merged.lists_[static_cast<size_t>(l)];
        bool translated =
            std::any_of(list.begin(), list.end(), [](const StringSetEntry& e) { return e.source != kUSEnglishIndex; });
        if (!translated) list.clear();
    }
}

ResErr StringSet::SerializeData(std::vector<uint8_t>& out) const {
    size_t total = 0;
    size_t bytes = 4;
    for (const EntryList& list : lists_) {
        total += list.size();
        for (const StringSetEntry& e : list) bytes += e.value.size() + (e.comment ? e.comment->size() : 0) + 3;
    }
    // The count is one signed 16-bit word and a handle holds at most 2^31 - 1 bytes.
    if (total > kMaxStoredEntries || bytes > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        return kErrBadChunk;
    try {
        out.clear();
        out.reserve(bytes);
        ByteWriter(out).WriteUInt16LE(static_cast<uint16_t>(kStringFormatLanguages));
        ByteWriter(out).WriteUInt16LE(static_cast<uint16_t>(total));
        for (int l = 0; l < kLanguageCount; ++l) {
            for (const StringSetEntry& e : lists_[static_cast<size_t>(l)]) {
                out.push_back(static_cast<uint8_t>(l + 1));
                AppendCString(out, e.value);
                AppendCString(out, e.comment ? *e.comment : std::string());
            }
        }
    } catch (const std::bad_alloc&) {
        out.clear();
        return kErrNoMemory;
    }
    return kNoErr;
}

ResErr StringSet::Write() {
    if (!file_) return kErrStringSetNoFile;
    // Legacy text sets (and sets without a type) are stored as STR#; the merge reads the resource that
    // the write replaces, so that its other languages are kept.
    if (type_ == 0 || type_ == kTypeTextStrings) {
        type_ = kTypeSTRList;
        textForm_ = false;
    }
    std::vector<uint8_t> block;
    try {
        StringSet merged;
        merged.Bind(file_, id_, type_, false, language_);
        merged.Read(true, true);  // a missing resource leaves it empty
        MergeInto(merged);
        ResErr err = merged.SerializeData(block);
        if (err != kNoErr) return err;
    } catch (const std::bad_alloc&) {
        return kErrNoMemory;
    }
    DataHandle* h = NewHandleFrom(block.data(), static_cast<int32_t>(block.size()));
    if (!h) return kErrNoMemory;
    file_->Add(h, type_, id_, name_, true);
    if (ResErr err = file_->GetError(); err != kNoErr) {
        FreeHandle(h);  // a refused handle stays ours
        return err;
    }
    file_->Write(h);
    if (ResErr err = file_->GetError(); err != kNoErr) return err;
    file_->ReleaseAndFree(h);
    return file_->GetError();
}

ResErr StringSet::SaveAsStringTable(iResFile* file, ResID id) {
    Bind(file, id, kTypeSTRList, false, language_);
    return Write();
}
