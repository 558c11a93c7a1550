// ImportedSprite: a sprite element's frames, and building its resource: the pictures read, then the resource written.
#include "import/ImportedSprite.h"

#include <algorithm>

#include "import/ColorQuantizer.h"
#include "import/SpritePictureReader.h"
#include "import/SpriteResourceWriter.h"

ImportedSprite::ImportedSprite() = default;
ImportedSprite::~ImportedSprite() = default;

ImportedFrame& ImportedSprite::AddFrame() {
    auto frame = std::make_unique<ImportedFrame>();
    frame->number = static_cast<int32_t>(frames.size());
    frame->sprite = this;
    frames.push_back(std::move(frame));
    return *frames.back();
}

int32_t ImportedSprite::CountRotations() const { return std::max<int32_t>(1, frameCount / 3); }

bool ImportedSprite::Build(const SpriteBuildContext& context) {
    for (int i = 0; i < 256; ++i) palette[i] = PaletteColor{};
    {
        std::unique_ptr<ColorQuantizer> quantizer;  // made by the first half that needs one
        built = SpritePictureReader(*this, context, quantizer).Read() &&
                SpriteResourceWriter(*this, context, quantizer).Write();
    }
    // What is kept of a sprite after it is written is what the end of the import needs: which frames came out
    // degenerate. Its pictures and the quantizer's tables go now, so an import holds one sprite's at a time.
    for (auto& frame : frames)
        for (auto& channel : frame->channels) channel->image.reset();
    return built;
}
