// CloneIntoCatalog: what the clone dialog's OK does: store the cookie, clone, catalogue, collect garbage, report.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "clone/GuidAllocator.h"

struct ObjectFile;
class ObjectCatalog;

// Texts of the clone dialog and its outcome.
constexpr const char* kCloneSelectionOk = "Select one or more objects.";
constexpr const char* kCloneSelectionMissing = "Please select at least one object!";
constexpr const char* kCloneNameUnique = "Unique file name.";
constexpr const char* kCloneNameTaken = "Please enter a unique file name!";
constexpr const char* kCloneErrorTitle = "Error Cloning Object!";
constexpr const char* kCloneSuccessLine = "Reshaper Successfully Finished Cloning!\r\n";
constexpr const char* kMagicCookieRegistryTitle = "Reshaper Magic Cookie Registry";
constexpr const char* kMagicCookieRegistryUrl = "https://www.domizens.example/reshaper/magiccookie.html";

// What the clone dialog (or the command line) hands over.
struct CloneSettings {
    std::string nameText;             // as typed: sanitised before use
    int32_t cookie = 0;               // the magic cookie field
    std::vector<bool> selectedRoots;  // per root of the source, in root order; missing entries are unselected
};

struct CloneOutcome {
    bool ok = false;
    ObjectFile* file = nullptr;  // on success: the new catalogue record
    std::string path;            // the new file's game path
    std::string error;           // on failure: the text inside "Error cloning object: %s"
};

// Makes the cookie the process-wide one and writes it to the settings key (only when the key exists, as the
// registry write does). The dialog calls it when its cookie field loses the focus, and RunClone at OK.
void StoreMagicCookie(int32_t cookie);

// The name the dialog proposes for a source file: unique among the catalogue's display names.
std::string DefaultCloneName(const ObjectCatalog& catalog, const ObjectFile& source);
// The name check of the dialog: the text sanitised, then unique among the catalogue's display names.
bool IsCloneNameUnique(const ObjectCatalog& catalog, const std::string& nameText);
// OK is possible when at least one root is selected and the name is unique.
bool CanClone(const ObjectCatalog& catalog, const CloneSettings& settings);

// Stores the cookie; sanitises the name; makes the clone directory (a failure is ignored); sets each root's
// selected-for-clone flag; clones into "<clone directory>\<name>.iff". On success the new file joins the
// catalogue (as its current file), is reloaded with its graphics lists and garbage collected, and the green
// success line ends the log. On failure the red line "Error cloning object: <error>" goes to the log and to a
// message box titled "Error Cloning Object!", and the catalogue stays as it was. The log is ended either way.
CloneOutcome RunClone(ObjectCatalog& catalog, ObjectFile& source, const CloneSettings& settings,
                      const std::function<uint32_t()>& mix = MixGuidSeed);
