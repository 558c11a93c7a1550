// ImportedSprite: one sprite element of a document, and the building of its sprite resource from the channel files.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "import/ImportOptions.h"
#include "import/ImportedFrame.h"
#include "platform/ColorTypes.h"
#include "resfile/ResTypes.h"

struct ObjectFile;

// What building a sprite needs from the import that runs it.
struct SpriteBuildContext {
    ObjectFile* file = nullptr;       // loaded with its graphics lists
    const ExportOptions* options = nullptr;
    std::string directory;            // host path of the document's directory; channel files are relative to it
    // Reports an import error (the importer's ReportImportError); building stops after the first.
    std::function<void(const std::string&)> report;

    // Reports the message and returns false.
    bool Fail(const std::string& message) const {
        if (report) report(message);
        return false;
    }
};

struct ImportedSprite {
    ImportedSprite();
    ~ImportedSprite();
    ImportedSprite(const ImportedSprite&) = delete;
    ImportedSprite& operator=(const ImportedSprite&) = delete;

    std::string name;  // in the resources' 8-bit form
    ResID id = 0;
    int32_t type = 0;       // read, not used
    bool multiTile = false; // read, not used
    int32_t frameCount = 0;
    int32_t paletteId = 0;  // the document's defaultpaletteid until the stored palette's id replaces it
    bool customWallStyle = false;
    PaletteColor palette[256] = {};
    bool quantize = false;
    bool built = false;  // set when Build wrote the sprite
    std::vector<std::unique_ptr<ImportedFrame>> frames;

    // Appends a frame numbered by its position and returns it.
    ImportedFrame& AddFrame();
    // The number of rotations: the frame count divided by 3, at least 1.
    int32_t CountRotations() const;

    // Builds the sprite and writes it to the object file: a custom wall style sprite as an SPR# of its depth
    // images, any other as an SPR2 with one palette for all frames, generated depth and alpha where the options
    // ask for them, smaller zooms shrunk from the largest and frames shrink-wrapped. A sprite that would draw
    // fewer frames than the one it replaces is not written. Every problem is reported through the context and
    // stops the building; returns false then (resources already written stay). The channel pictures and the
    // quantizer are given back either way. SpritePictureReader and SpriteResourceWriter do the two halves.
    bool Build(const SpriteBuildContext& context);
};
