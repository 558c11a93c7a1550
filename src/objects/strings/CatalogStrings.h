// CatalogStrings: an object's catalogue name and description in the current language, and their legacy form.
#pragma once

#include <string>

#include "resfile/ResErrors.h"
#include "resfile/ResTypes.h"

class iResFile;

// The legacy catalogue strings: the description, then the name, each NUL-terminated.
constexpr ResType kTypeCATS = MakeResType("CATS");

// The catalogue strings are the CTSS string set (entry 1 the name, entry 2 the description) whose id
// is the object definition's catalogid; an older file may hold them as CATS instead.
class CatalogStrings {
public:
    // Takes the texts from the CATS resource of that id when there is one, else from the CTSS set in
    // the current language; with fallBack, a missing name is looked for in every language (lowest
    // language index first). Returns 0 or the read's error code (texts then empty).
    ResErr Load(iResFile& file, ResID catalogId, bool fallBack);
    // Stores name and description as entries 1 and 2 of the current language of the CTSS set (merged
    // with what the file holds) and then deletes a CATS resource of that id. Returns the write's result.
    ResErr Save(iResFile& file, ResID catalogId);

    std::string name;
    std::string description;
};

// Makes sure the CTSS set of `catalogId` has entries 1 and 2 before editors load names: read for the
// current language; each missing entry is inserted empty into US English and UKEnglish, and the set
// is written when anything was inserted. Returns the read's error code, else the write's, else 0.
ResErr EnsureCatalogStringEntries(iResFile& file, ResID catalogId);
