// CloneObjectFile: copies the chosen objects of an object file, with what they reach, into a new file with new GUIDs.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "clone/GuidAllocator.h"
#include "resfile/ResTypes.h"

struct ObjectFile;
class ObjectCatalog;
class ObjResFile;

// The type whose string sets a clone re-saves as STR# instead of copying them raw: the four bytes 63 73 74 00
// ("cst" and a zero byte), first byte most significant as in every type code.
constexpr ResType kTypeCloneStringTable = 0x63737400;

// The title of the progress log of a clone.
constexpr const char* kCloneProgressTitle = "Cloning Progress";

struct CloneResult {
    bool ok = false;
    std::unique_ptr<ObjResFile> file;  // on success: the new file, reopened
    std::string path;                  // on success: the path it was opened from
    std::string error = "No error.";   // on failure: the message that says why
};

// Creates the object file `path` (a game path ending in ".iff") and copies into it, from `source`, the roots whose
// selected-for-clone flag is set with their tiles, their OBJf resources, the lead's catalogue strings, the draw
// groups of each object's range with the sprites they name, the custom wall style sprites, and every resource of
// any other type. Each copied OBJD gets a new GUID from `cookie` (its old one kept as `originalguid`); the new
// GUIDs differ from reserved ones, from every GUID of the catalogue, of the source and of each other. The
// behaviours' GUID operands are then remapped, the file updated, closed and reopened. Progress goes to a log
// titled "Cloning Progress" that the caller ends. On failure before the reopen the new file is deleted again;
// `name` appears in the messages. `mix` supplies the random part of GUIDs (tests script it).
CloneResult CloneObjectFile(ObjectFile& source, const std::string& name, const std::string& path,
                            const ObjectCatalog& catalog, int32_t cookie,
                            const std::function<uint32_t()>& mix = MixGuidSeed);
