// EditObjectSession: loading an object for the editors, showing each property by kind and storing changes.
#include "objects/definitions/EditObjectSession.h"

#include <cstdio>

#include "app/ObjectFile.h"
#include "app/Prompt.h"
#include "clone/RemapBehaviorGuids.h"
#include "objects/strings/DescriptionLineEnds.h"
#include "objects/strings/Languages.h"
#include "platform/Windows1252.h"
#include "resfile/StdResFile.h"
#include "resfile/iResFile.h"

EditObjectSession::EditObjectSession(iResFile& file, ResID id, ObjectEntry* entry)
    : file_(file), id_(id), entry_(entry) {
    if (entry && entry->owner) path_ = entry->owner->path;
    if (path_.empty()) file_.GetPath(path_);
}

EditObjectSession::EditObjectSession(ObjectEntry& entry) : EditObjectSession(*entry.owner->file, entry.id, &entry) {}

bool EditObjectSession::IsWritable() const { return file_.IsWritable(); }

void EditObjectSession::Note(ResErr err) {
    if (err != kNoErr && storeError_ == kNoErr) storeError_ = err;
}

ResErr EditObjectSession::Load() {
    loaded_ = false;
    stringsEditable_ = false;
    storeError_ = kNoErr;
    strings_ = CatalogStrings();
    ObjectDefinition def;
    std::string name;
    if (ResErr err = LoadObjectDefinition(file_, id_, def, &name)) return err;
    def_ = def;
    resourceName_ = name;
    loaded_ = true;
    // Editors give the set its two entries before they read it; a read-only file is left as it is.
    if (IsWritable()) EnsureCatalogStringEntries(file_, def_.catalogid);
    stringsEditable_ = strings_.Load(file_, def_.catalogid, true) == kNoErr;
    if (!stringsEditable_) strings_ = CatalogStrings();
    return kNoErr;
}

ResErr EditObjectSession::WriteRecord() {
    if (!loaded_ || !IsWritable()) return kNoErr;
    ResErr err = StoreObjectDefinition(file_, id_, def_);
    Note(err);
    if (err == kNoErr && entry_) entry_->definition = def_;
    return err;
}

ResErr EditObjectSession::Save() {
    if (!loaded_ || !IsWritable()) return storeError_;
    file_.Update();
    if (ResErr err = file_.GetError()) {
        Note(err);
        if (entry_ && entry_->owner) entry_->owner->saveFailed = true;
    }
    return storeError_;
}

ResErr EditObjectSession::SaveStrings() {
    if (!stringsEditable_ || !IsWritable()) return kNoErr;
    ResErr err = strings_.Save(file_, def_.catalogid);
    Note(err);
    return err;
}

std::string EditObjectSession::ShownName() const { return stringsEditable_ ? strings_.name : kNameNotDefined; }

std::string EditObjectSession::ShownDescription() const {
    return stringsEditable_ ? strings_.description : kDescriptionNotDefined;
}

std::string EditObjectSession::ShownPrice() const { return std::to_string(def_.price); }

const char* EditObjectSession::ObjectStateLine() const { return CanEdit() ? kObjectEditableLine : kObjectReadOnlyLine; }

ResErr EditObjectSession::Apply(const std::string& name, const std::string& priceText, const std::string& description,
                                std::string* priceShown) {
    if (priceShown) *priceShown = priceText;
    if (!CanEdit()) {
        if (priceShown) *priceShown = ShownPrice();
        return kNoErr;
    }
    int32_t price = ParseLeadingDecimal(priceText);
    if (price >= kMaxPrice + 1) {
        price = kMaxPrice;
        if (priceShown) *priceShown = std::to_string(kMaxPrice);
    }
    // Nothing is written for what did not change: an editor opened and closed leaves the file as it was.
    ResErr first = kNoErr;
    if (def_.price != static_cast<int16_t>(price)) {
        def_.price = static_cast<int16_t>(price);
        first = WriteRecord();
    }
    if (stringsEditable_ && (name != strings_.name || !SameDescription(description, strings_.description))) {
        strings_.description = WithDescriptionLineEnds(description, strings_.description);
        strings_.name = name;
        ResErr err = SaveStrings();
        if (first == kNoErr) first = err;
    }
    return first;
}

bool EditObjectSession::ChooseLanguage(int code) {
    if (!SetGameLanguage(code)) return false;
    Load();
    return true;
}

bool EditObjectSession::ConfirmSetAllLanguages() {
    return AskOkCancel(kSetAllTitle, kSetAllQuestion, MessageKind::Warning);
}

ResErr EditObjectSession::SetAllLanguages() {
    if (!stringsEditable_ || !IsWritable()) return kNoErr;
    int previous = GameLanguage();
    ResErr first = kNoErr;
    for (int code = 1; code <= kLanguageCount; ++code) {
        SetGameLanguage(code);
        ResErr err = SaveStrings();
        if (first == kNoErr) first = err;
    }
    SetGameLanguage(previous);
    return first;
}

std::string EditObjectSession::SummaryText() const {
    return "File: " + path_ + "\r\nObject: " + resourceName_ + "\r\nCatalog ID: " + std::to_string(def_.catalogid) +
           "\r\n";
}

std::string EditObjectSession::SummaryTextUtf8() const {
    return "File: " + path_ + "\r\nObject: " + DecodeWindows1252(resourceName_) +
           "\r\nCatalog ID: " + std::to_string(def_.catalogid) + "\r\n";
}

std::string UnstorableTextMessage(const std::string& what, const Windows1252Fault& fault) {
    return "The " + what + " was not changed: it holds " + DescribeWindows1252Fault(fault) +
           ", which the game's texts cannot hold (they are 8-bit Windows-1252 texts).";
}

const char* EditObjectSession::PropertyStateLine() const {
    return IsWritable() ? kPropertyEditableLine : kPropertyReadOnlyLine;
}

PropertyView EditObjectSession::ShowProperty(const ObjectProperty& property) const {
    PropertyView view;
    view.kind = property.kind;
    bool writable = IsWritable();
    view.readOnly = !writable || (property.source == PropertySource::CatalogStrings && !stringsEditable_);
    view.checkEnabled = writable;
    if (property.source == PropertySource::CatalogStrings) {
        view.text = property.code == kPropertyCatalogName ? ShownName() : ShownDescription();
        return view;
    }
    int32_t value = GetPropertyValue(def_, property);
    switch (property.kind) {
        case PropertyKind::Boolean:
            view.checked = value != 0;
            break;
        case PropertyKind::FlagList:
        case PropertyKind::ChoiceList:
            view.choices = ParsePropertyChoices(property);
            view.selected = SelectionForValue(property, value);
            break;
        default:
            view.text = FormatPropertyValue(property, value);
            break;
    }
    return view;
}

bool EditObjectSession::StoreProperty(const ObjectProperty& property, const PropertyInput& input) {
    if (!loaded_ || !IsWritable()) return false;
    if (property.source == PropertySource::CatalogStrings) {
        const bool isName = property.code == kPropertyCatalogName;
        std::string& stored = isName ? strings_.name : strings_.description;
        const bool changed = isName ? input.text != stored : !SameDescription(input.text, stored);
        if (stringsEditable_ && changed) {
            stored = isName ? input.text : WithDescriptionLineEnds(input.text, stored);
            SaveStrings();
        }
        return true;
    }
    int32_t value = 0;
    switch (property.kind) {
        case PropertyKind::Boolean:
            value = input.checked ? 1 : 0;
            break;
        case PropertyKind::FlagList:
        case PropertyKind::ChoiceList:
            value = ValueForSelection(property, input.selected);
            break;
        default:
            value = ParsePropertyText(property, input.text);
            break;
    }
    return StorePropertyValue(property, value);
}

bool EditObjectSession::StorePropertyValue(const ObjectProperty& property, int32_t value) {
    if (!loaded_ || !IsWritable() || property.source != PropertySource::Definition) return false;
    if (property.code == kPropertyGuid) {
        uint32_t oldGuid = static_cast<uint32_t>(def_.guid);
        uint32_t newGuid = static_cast<uint32_t>(value);
        if (newGuid != oldGuid) {
            RemapBehaviorGuids(file_, GuidMap{{oldGuid, newGuid}});
            def_.guid = value;
        }
    } else {
        SetPropertyValue(def_, property, value);
    }
    WriteRecord();
    return true;
}
