// StdResFile and ObjResFile: an object file opened as the pair of its .iff and .spf files.
#pragma once

#include "resfile/SeqResFile.h"

// Registers (2, ".iff"), (2, ".spf"), (1, ".iff"), (1, ".spf"), (3, ".dir"). When both an object
// member (".iff") and a sprite member (".spf") opened, the graphics types go to the sprite member
// only and every other type to the object member; lookups still search both in order.
class StdResFile : public SeqResFile {
public:
    StdResFile();
    ResErr Open(const std::string& path) override;

    // The types kept in the sprite file, in the order they are applied.
    static const ResType kSpriteTypes[5];
};

// The kind the application opens object files with: (2, ".iff"), (2, ".spf"), (3, ".dir").
class ObjResFile : public StdResFile {
public:
    ObjResFile();
};
