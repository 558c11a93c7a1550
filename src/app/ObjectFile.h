// ObjectFile: one catalogued object file with its objects, draw groups, sprites and palettes.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "objects/definitions/ObjectDefinition.h"
#include "resfile/ResErrors.h"
#include "resfile/ResTypes.h"

class ObjResFile;
class PalWrap;
struct ObjectFile;

struct ObjectEntry {
    ObjectFile* owner = nullptr;
    ResID id = 0;
    int rootIndex = -1;                 // position among the roots; -1 for a tile
    std::string name;                   // the OBJD resource's name
    ObjectDefinition definition;        // normalised copy of the record
    ObjectEntry* lead = nullptr;        // for a tile: its lead
    std::vector<ObjectEntry*> tiles;    // for a lead: its tiles in object order
    bool selectedForClone = false;
    bool used = false;                  // mark of the garbage collection
    // Set by the draw group viewer and the compositor when the entry is drawn as a tile.
    int drawGroupIndex = 0;
    uint8_t opacity = 255;
    int32_t depthKey = 0;
};

struct DrawGroupEntry {
    ObjectFile* owner = nullptr;
    ResID id = 0;
    std::string name;
    bool used = false;
};

struct SpriteEntry {
    ObjectFile* owner = nullptr;
    ResType type = 0;  // SPR# or SPR2
    ResID id = 0;
    std::string name;
    bool used = false;
};

struct PaletteEntry {
    ObjectFile* owner = nullptr;
    ResID id = 0;
    std::string name;
    std::unique_ptr<PalWrap> palette;
    bool used = false;
    PaletteEntry();
    ~PaletteEntry();
    PaletteEntry(PaletteEntry&&) noexcept;
    PaletteEntry& operator=(PaletteEntry&&) noexcept;
};

struct ObjectFile {
    std::string displayName;
    std::string path;                    // as given, with the ".iff" extension
    std::unique_ptr<ObjResFile> file;    // open for the record's whole life
    std::vector<std::unique_ptr<ObjectEntry>> objects;
    std::vector<ObjectEntry*> roots;
    std::vector<SpriteEntry> sprites;    // all SPR#, then all SPR2
    std::vector<PaletteEntry> palettes;
    std::vector<DrawGroupEntry> drawGroups;
    bool full = false;
    bool marksDone = false;
    // Set by an operation whose changes could not be saved: the open file then holds changes the disk does not,
    // and is to be opened afresh (ReopenObjectFile) before it is used again.
    bool saveFailed = false;

    ObjectFile();
    ~ObjectFile();
    ObjectFile(const ObjectFile&) = delete;
    ObjectFile& operator=(const ObjectFile&) = delete;

    // True when the resource file reports itself writable.
    bool IsEditable() const;
    // Closes the resource file (committing what is not committed yet) and lets it go; the close result (0 when
    // no file is open). Owners call it so that a failure reaches the user; the destructor's close cannot report.
    ResErr Close();
    // The number of objects, tiles included.
    size_t CountObjects() const { return objects.size(); }
};

// Closes the record's file and opens it again from the disk, reloading the lists as they were loaded (an
// operation's unsaved changes are gone); 0, or the error of the open (the record has no file then).
ResErr ReopenObjectFile(ObjectFile& file);

// The message that tells the user a file could not be saved: "Could not save the object file "PATH", error #N!"
std::string SaveFailureText(const std::string& path, ResErr error);

// The file name without directory (up to the last '\', else the last '/') and without the text from
// its last '.' on.
std::string DisplayNameOf(const std::string& path);

// Rebuilds the lists from the resource file: the objects with their normalised records and the
// multi-tile grouping (the first lead of a masterid takes its tiles; a tile without a lead is counted
// but belongs nowhere); with `full` also the draw groups, sprites and palettes.
void LoadObjectFile(ObjectFile& file, bool full);
