// SpriteResourceWriter: makes a sprite's missing channels and zooms and writes its sprite resource.
#pragma once

#include <memory>
#include <string>

#include "import/ImportedSprite.h"
#include "resfile/ResTypes.h"

class ColorQuantizer;

// The second half of building a sprite, once SpritePictureReader has read its pictures: a custom wall style sprite
// becomes an SPR# of its depth images; any other gets generated (or kept) depth and alpha where the options ask for
// them, smaller zooms shrunk from the largest, frames shrink-wrapped, and becomes an SPR2 with the sprite's palette.
// A sprite that would draw fewer frames than the one it replaces is not written.
class SpriteResourceWriter {
public:
    // `quantizer` maps the shrunk colour pictures onto the palette; it is made here when the reader made none.
    SpriteResourceWriter(ImportedSprite& sprite, const SpriteBuildContext& context,
                         std::unique_ptr<ColorQuantizer>& quantizer);

    // False after the first problem, which is reported through the context (resources already written stay).
    bool Write();

private:
    bool Fail(const std::string& message) const;
    bool FillDepthAndAlpha();
    bool MakeProxies();
    bool KeepStored(ImportedFrame& frame, ImportedChannel& channel, bool depth);
    void PlaceFrames();
    bool EncodeSpr2();
    bool BuildCustomWall();
    // True when the sprite about to be written (`drawnFrames` of its frames hold pixels) draws no fewer frames than
    // the resource of that type it replaces; otherwise reports that the stored one is kept.
    bool KeepsDrawnFrames(ResType type, int32_t drawnFrames);

    ImportedSprite& sprite_;
    const SpriteBuildContext& context_;
    std::unique_ptr<ColorQuantizer>& quantizer_;
};
