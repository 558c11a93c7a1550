// SpritePictureReader: checks a sprite element's frames, reads its channel pictures and gives the sprite one palette.
#pragma once

#include <memory>
#include <string>

#include "import/ChannelPicture.h"
#include "import/ImportedSprite.h"

class ColorQuantizer;

// The first half of building a sprite: what the document says is checked, every channel file (BMP or PNG) is read
// into its channel's image, and, for any sprite but a custom wall style one, the sprite gets one palette stored in
// the object file: built by median cut from the colour pictures and mapped onto them with dithering, or the
// palette it already has when no colour picture was read.
class SpritePictureReader {
public:
    // `quantizer` is made here when colours are quantized and stays with the caller for the zooms made later.
    SpritePictureReader(ImportedSprite& sprite, const SpriteBuildContext& context,
                        std::unique_ptr<ColorQuantizer>& quantizer);

    // False after the first problem, which is reported through the context.
    bool Read();

private:
    bool Fail(const std::string& message) const;
    // Reads a channel file named relative to the document's directory; reports "Couldn't open BMP file ..." (or
    // PNG) with the reader's reason when that fails.
    bool Read(const std::string& filename, ChannelPicture& picture, ChannelPictureKind& kind);
    bool CheckFrames();
    void SetFrameZoom(ImportedFrame& frame) const;
    bool LoadChannelFiles();
    bool ChoosePalette();
    bool Quantize();

    ImportedSprite& sprite_;
    const SpriteBuildContext& context_;
    std::unique_ptr<ColorQuantizer>& quantizer_;
};
