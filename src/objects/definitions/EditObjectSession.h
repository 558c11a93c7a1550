// EditObjectSession: the operations behind the object editors: load, show and store every property of one object.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "objects/definitions/EditObjectProperties.h"
#include "objects/definitions/ObjectDefinition.h"
#include "objects/strings/CatalogStrings.h"
#include "resfile/ResErrors.h"
#include "resfile/ResTypes.h"

class iResFile;
struct ObjectEntry;
struct Windows1252Fault;

// Texts of the editors.
constexpr const char* kNameNotDefined = "[Name not defined.]";
constexpr const char* kDescriptionNotDefined = "[Description not defined.]";
constexpr const char* kObjectEditableLine = "Object is Editable, so you may change it.";
constexpr const char* kObjectReadOnlyLine = "Object file is Read-Only, and can't be changed. Please clone it first.";
constexpr const char* kPropertyEditableLine = "Resource file is writable. Editing property.";
constexpr const char* kPropertyReadOnlyLine = "Resource file is read-only. Viewing property.";
constexpr const char* kSetAllTitle = "Set All Languages?";
constexpr const char* kSetAllQuestion = "Are you sure you want to set all languages to the current text?";
// The title of the message that refuses a typed text the game's texts cannot hold.
constexpr const char* kUnstorableTextTitle = "Text Not Stored";
// Prices of this value and above are stored as this value.
constexpr int32_t kMaxPrice = 32767;

// What a property's editor shows.
struct PropertyView {
    PropertyKind kind = PropertyKind::Decimal;
    std::string text;                     // single- and multi-line edits
    bool checked = false;                 // check box
    std::vector<PropertyChoice> choices;  // lists: the lines
    std::vector<bool> selected;           // lists: the selected lines
    bool readOnly = true;                 // edits do not take input
    bool checkEnabled = false;            // the check box takes clicks
};

// What a property's editor holds when it is stored; only the member of the row's kind is read.
struct PropertyInput {
    std::string text;
    bool checked = false;
    std::vector<bool> selected;
};

// One object of an open resource file as both editors see it. Every change is stored at once; nothing is ever
// written to a file that is not writable. When constructed on a catalogue entry, the entry's copy of the record
// follows every store, so GUID checks see the new values.
class EditObjectSession {
public:
    EditObjectSession(iResFile& file, ResID id, ObjectEntry* entry = nullptr);
    // The entry's object in its owner's file; the file must be open.
    explicit EditObjectSession(ObjectEntry& entry);

    // Fetches the record and its resource name; on a writable file makes sure the catalogue string set has its
    // two entries; loads name and description in the current language (falling back to any language for a
    // missing name). Returns 0, or the record's fetch error (nothing is then loaded or editable). A failed
    // string load only makes the texts not editable.
    ResErr Load();

    bool IsLoaded() const { return loaded_; }
    bool IsWritable() const;
    bool AreStringsEditable() const { return stringsEditable_; }
    const ObjectDefinition& Definition() const { return def_; }
    const std::string& ResourceName() const { return resourceName_; }
    ResID GetID() const { return id_; }
    const std::string& Name() const { return strings_.name; }
    const std::string& Description() const { return strings_.description; }

    // Object editor ("Edit Object").
    // The name edit's text: the name, or "[Name not defined.]" when the strings are not editable.
    std::string ShownName() const;
    std::string ShownDescription() const;
    std::string ShownPrice() const;
    // "Object is Editable, so you may change it." for a loaded record of a writable file, else the read-only line.
    const char* ObjectStateLine() const;
    // True when the object editor lets the user type (a loaded record of a writable file).
    bool CanEdit() const { return loaded_ && IsWritable(); }
    // Applies the three edits: the price is the leading decimal number of its text, 32768 and above stored as
    // 32767 (anything else keeps its low 16 bits); the record is written back when the price changed; name and
    // description (8-bit texts; the description's line ends as WithDescriptionLineEnds gives them) replace the
    // catalogue texts and are saved for the current language when editable and either changed. `priceShown`
    // receives the price edit's text afterwards ("32767" after clamping, else the text as given). Nothing is
    // stored on a read-only file or without a loaded record, and nothing that did not change. Returns 0 or the
    // first error of a write.
    ResErr Apply(const std::string& name, const std::string& priceText, const std::string& description,
                 std::string* priceShown = nullptr);
    // Makes `code` (1..20) the program's current language and loads again. Returns false for another code.
    bool ChooseLanguage(int code);
    // Asks "Are you sure you want to set all languages to the current text?" (title "Set All Languages?",
    // warning, OK and Cancel) through the prompt host; true for OK.
    static bool ConfirmSetAllLanguages();
    // Saves the current name and description in each language 1..20 in turn (when the strings are editable and
    // the file writable), then restores the current language. Returns 0 or the first error of a save.
    ResErr SetAllLanguages();

    // Definition editor ("Edit Object Definition").
    // "File: <path>\r\nObject: <resource name>\r\nCatalog ID: <catalogid>\r\n".
    std::string SummaryText() const;
    // The same summary for a window: the resource name (8-bit) as UTF-8, like the path.
    std::string SummaryTextUtf8() const;
    const char* PropertyStateLine() const;
    PropertyView ShowProperty(const ObjectProperty& property) const;
    // Reads the editor back as its kind says and stores it: catalogue texts (when editable and changed; saved for
    // the current language, a description's line ends as WithDescriptionLineEnds gives them), the GUID (when it differs: every reference to the old GUID in the file's behaviours is replaced
    // first), any other field; then writes the record back. Returns false, storing nothing, for a read-only file
    // (the caller shows the stored value again, so list choices snap back) or without a loaded record.
    bool StoreProperty(const ObjectProperty& property, const PropertyInput& input);
    // Stores a record property's value as StoreProperty does; false as above, and for a catalogue text.
    bool StorePropertyValue(const ObjectProperty& property, int32_t value);
    // The first error met by the stores since the last Load (0 when none).
    ResErr GetStoreError() const { return storeError_; }
    // Puts what the editor stored on the disk (the file's Update, one commit); the first error of the stores
    // or of the commit, 0 when nothing failed. Editors call it when they close.
    ResErr Save();
    const std::string& GetPath() const { return path_; }

private:
    ResErr WriteRecord();
    ResErr SaveStrings();
    void Note(ResErr err);

    iResFile& file_;
    ResID id_;
    ObjectEntry* entry_;
    std::string path_;  // the catalogue record's path, else the file's
    ObjectDefinition def_;
    std::string resourceName_;
    CatalogStrings strings_;
    bool loaded_ = false;
    bool stringsEditable_ = false;
    ResErr storeError_ = kNoErr;
};

// The message that refuses a typed text (`what`: "name" or "description") holding a character the game's texts
// cannot hold; nothing of that text is stored.
std::string UnstorableTextMessage(const std::string& what, const Windows1252Fault& fault);
