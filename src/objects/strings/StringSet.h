// StringSet: numbered strings with optional comments for each of the 20 languages, read from every stored form.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "objects/strings/Languages.h"
#include "resfile/ResErrors.h"
#include "resfile/ResTypes.h"

class iResFile;

// Read and Write of a set without a file (or, for Read, with a closed file).
constexpr ResErr kErrStringSetNoFile = -1;

// The legacy text form's type code: the letters C, S, T in the three low bytes.
constexpr ResType kTypeTextStrings = 0x00435354;

// The first word of each binary layout (all numbers 16-bit little-endian, strings NUL-terminated):
//   >= 0  format 0:  count N, then N strings of one length byte and that many bytes (no NUL)
//   -1    format -1: count N, then N values
//   -2    format -2: count N, then N pairs of value and comment
//   -3    format -3: total count N, then N entries of language code (1 byte, 1..20), value, comment
// Only format -3 is written; it names the language of every entry, the others belong to the language
// the set is read for and to US English.
constexpr int16_t kStringFormatValues = -1;
constexpr int16_t kStringFormatComments = -2;
constexpr int16_t kStringFormatLanguages = -3;

struct StringSetEntry {
    std::string value;
    std::optional<std::string> comment;  // never an empty text: an empty comment is no comment
    int8_t source = 0;                   // index of the language whose text the value is
};

// A set is bound to a file and a resource, read, changed and written in one short scope; it never
// keeps a fetched resource. Entry numbers are 1-based. A language argument of -1 means the set's own
// language; operations given a language outside 0..19 (other than -1) do nothing or yield nothing.
// Texts are 8-bit and cut at their first NUL (the stored forms cannot hold one).
class StringSet {
public:
    StringSet();
    virtual ~StringSet();
    StringSet(const StringSet&) = default;
    StringSet& operator=(const StringSet&) = default;

    // Binds the set; a language outside 0..19 (negative, say) takes the current language.
    void Bind(iResFile* file, ResID id, ResType type = kTypeSTRList, bool textForm = false, int language = -1);

    // Replaces the contents with the bound resource. readAll: keep every language of a format -3
    // resource and show US English copies (source 0) in the languages that have none. fallBack: a
    // format -3 resource without entries in the set's language gives its US English entries instead,
    // marked as copies (source 0).
    // Returns 0; -1 without a file or with a closed one; the file's error code when the resource is
    // missing (the set then stays empty); kErrNoMemory when memory ran out.
    ResErr Read(bool readAll, bool fallBack);
    // Binds to (file, id, STR#, binary form, current language) and reads with fall-back; if that
    // fails, tries the legacy text form of that id. Returns the last read's result.
    ResErr ReadStringTable(iResFile* file, ResID id, bool readAll);
    // Merges this set's language into what the file already holds for the resource and stores the
    // result in format -3, marked converted, and writes it. A set of type 0 or of the legacy text
    // type is stored as STR#. Returns 0 or the first error met: the file's code, kErrNoMemory when no
    // block could be made, kErrBadChunk when the merged set has more than 32767 entries.
    ResErr Write();
    // Binds to (file, id, STR#, binary form) keeping the language, then writes.
    ResErr SaveAsStringTable(iResFile* file, ResID id);

    // Count of entries; 0 for a bad language.
    int Count(int language = -1) const;
    // The value of entry `index`; null when the index is outside 1..Count. Valid until the set changes.
    const std::string* Get(int index, int language = -1) const;
    // The comment of entry `index`; null when there is none or the index is out of range.
    const std::string* GetComment(int index, int language = -1) const;
    // The source language index of entry `index`; -1 when out of range.
    int GetSource(int index, int language = -1) const;
    // The value of entry `index` in the lowest language index that has it, with that index; null when
    // no language has it.
    const std::string* GetFirstAvailable(int index, int* languageOut = nullptr) const;

    // For index 1..Count+1 (Count+1 appends): the value becomes the text, the source that language.
    // Other indices are ignored.
    void Set(int index, std::string_view text, int language = -1);
    // Clamps index to 1..Count+1, moves later entries up, then as Set.
    void Insert(int index, std::string_view text, int language = -1) { InsertEntry(index, text, language); }
    // For an existing entry: replaces the comment; nothing or an empty text removes it.
    void SetComment(int index, std::optional<std::string_view> text, int language = -1);
    // Removes entry `index`; later entries move down. Out of range: nothing.
    void Remove(int index, int language = -1);
    // Removes every entry of the language.
    void ClearLanguage(int language = -1);
    // Takes the other set's entries of its language into this set's language (surplus entries here
    // are removed), clears file, id and type and takes the other's name.
    void CopyFrom(const StringSet& other);

    // Byte level, without a file. Parses stored data (already fixed up) in the bound form, replacing
    // the entries (not the name); steps as Read. False when memory ran out (the set is then empty).
    bool ParseData(const uint8_t* data, size_t size, bool readAll, bool fallBack);
    // Folds this set's language into `merged` (a set read with readAll and fallBack from the stored
    // resource) as Write does: copy the entries (an entry that is an untouched US English copy stays
    // marked as one), spread US English comments, pad shorter languages with US English, and drop
    // languages that hold only US English copies.
    void MergeInto(StringSet& merged) const;
    // The format -3 block of every entry of every language; exactly 4 + sum(value + comment + 3)
    // bytes. Returns 0, kErrBadChunk when there are more than 32767 entries or the block would not fit
    // a handle, kErrNoMemory when memory ran out.
    ResErr SerializeData(std::vector<uint8_t>& out) const;

    // The string set fix-up for unconverted data: swaps the bytes of the first word and, when that then
    // reads -1, also of the count word.
    static void Fixup(uint8_t* data, int32_t size);

    iResFile* GetFile() const { return file_; }
    ResID GetID() const { return id_; }
    ResType GetType() const { return type_; }
    bool IsTextForm() const { return textForm_; }
    int GetLanguage() const { return language_; }
    const std::string& GetName() const { return name_; }
    // Cut to 63 characters.
    void SetName(std::string_view name);

private:
    using EntryList = std::vector<StringSetEntry>;

    // The list of a language argument (-1 = own); null for a bad language.
    EntryList* List(int language);
    const EntryList* List(int language) const;
    const StringSetEntry* Entry(int index, int language) const;
    // Resolves a language argument (-1 = own) to an index; -1 for a bad one.
    int Resolve(int language) const;
    // Insert that yields the entry number used (0 when nothing was inserted).
    int InsertEntry(int index, std::string_view text, int language);
    void ClearAll();
    void ParseText(const uint8_t* data, size_t size);
    void ParseBinary(const uint8_t* data, size_t size, bool readAll, bool fallBack);
    void FillEmptyLanguagesFromUSEnglish();

    iResFile* file_ = nullptr;
    ResID id_ = 0;
    ResType type_ = kTypeSTRList;
    bool textForm_ = false;
    int language_ = 0;
    std::string name_;
    std::array<EntryList, kLanguageCount> lists_;
};
