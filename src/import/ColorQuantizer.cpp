// ColorQuantizer: builds a palette of at most 256 colours by median cut and maps pictures onto it with dithering.
#include "import/ColorQuantizer.h"

#include <climits>

#include "import/ChannelPicture.h"
#include "import/MedianCut.h"
#include "platform/Bitmap8.h"

namespace {

inline void CountColor(ColorCell* const* blocks, uint8_t r, uint8_t g, uint8_t b, int& cellCount, int& made) {
    ColorCell& cell = blocks[r >> 2][(g >> 2) * kColorCellsPerAxis + (b >> 2)];
    if (cell.count == 0) {
        ++cellCount;
        ++made;
        cell.red = r;
        cell.green = g;
        cell.blue = b;
    }
    if (cell.count != UINT32_MAX) ++cell.count;
}

}  // namespace

ColorQuantizer::ColorQuantizer() {
    static_assert(sizeof(ColorCell) * kColorCellsPerBlock == 32768);
    for (int i = 0; i < kColorCellBlocks; ++i) {
        blocks_[i] = std::make_unique<ColorCell[]>(kColorCellsPerBlock);
        blockPointers_[i] = blocks_[i].get();
    }
    SetWantedColors(255);
}

ColorQuantizer::~ColorQuantizer() = default;

void ColorQuantizer::ClearCells() {
    map_.Clear();
    cellCount_ = 0;
}

void ColorQuantizer::SetWantedColors(int wanted) {
    wanted_ = wanted < 1 ? 1 : (wanted > 256 ? 256 : wanted);
    ClearCells();
    cellsAreMap_ = false;
    for (PaletteColor& e : palette_) e = PaletteColor{};
    paletteCount_ = 0;
    map_.Attach(blockPointers_, palette_, 0);
}

int ColorQuantizer::AddRgbRows(const uint8_t* top, ptrdiff_t rowStep, int32_t width, int32_t height) {
    if (cellsAreMap_ || !top || width <= 0 || height <= 0) return 0;
    int made = 0;
    for (int32_t r = 0; r < height; ++r) {
        const uint8_t* p = top + r * rowStep;
        for (int32_t c = 0; c < width; ++c, p += 3) CountColor(blockPointers_, p[0], p[1], p[2], cellCount_, made);
    }
    return made;
}

int ColorQuantizer::AddIndexedRows(const uint8_t* top, ptrdiff_t rowStep, int32_t width, int32_t height,
                                   const PaletteColor palette[256]) {
    if (cellsAreMap_ || !top || !palette || width <= 0 || height <= 0) return 0;
    int made = 0;
    for (int32_t r = 0; r < height; ++r) {
        const uint8_t* p = top + r * rowStep;
        for (int32_t c = 0; c < width; ++c) {
            const PaletteColor& e = palette[p[c]];
            CountColor(blockPointers_, e.red, e.green, e.blue, cellCount_, made);
        }
    }
    return made;
}

int ColorQuantizer::AddImage(const ChannelPicture& image) {
    if (image.pixels.empty()) return 0;
    const ptrdiff_t step = static_cast<ptrdiff_t>(image.GetRowBytes());
    if (image.IsRgb()) return AddRgbRows(image.pixels.data(), step, image.width, image.height);
    return AddIndexedRows(image.pixels.data(), step, image.width, image.height, image.palette);
}

int ColorQuantizer::BuildPalette() {
    if (cellsAreMap_) return paletteCount_;
    paletteCount_ = MedianCut(blockPointers_, wanted_, palette_);
    cellsAreMap_ = true;
    map_.Attach(blockPointers_, palette_, paletteCount_);
    map_.Clear();
    return paletteCount_;
}

void ColorQuantizer::SetPalette(const PaletteColor palette[256], int count) {
    count = count < 1 ? 1 : (count > 256 ? 256 : count);
    for (int i = 0; i < 256; ++i) {
        palette_[i] = palette[i];
        palette_[i].flags = 0;
    }
    paletteCount_ = count;
    cellsAreMap_ = true;
    cellCount_ = 0;
    map_.Attach(blockPointers_, palette_, paletteCount_);
    map_.Clear();
}

uint8_t ColorQuantizer::NearestEntry(uint8_t red, uint8_t green, uint8_t blue) {
    if (!cellsAreMap_ || paletteCount_ == 0) return 0;
    return map_.LookupColor(red, green, blue);
}

uint8_t ColorQuantizer::ExactNearestEntry(uint8_t red, uint8_t green, uint8_t blue) const {
    int32_t bestDistance = INT32_MAX;
    uint8_t best = 0;
    for (int i = 0; i < paletteCount_; ++i) {
        const int32_t d = ColorDistance(red - palette_[i].red, green - palette_[i].green, blue - palette_[i].blue);
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<uint8_t>(i);
        }
    }
    return best;
}

int ColorQuantizer::MapRgbRows(const uint8_t* top, ptrdiff_t rowStep, int32_t width, int32_t height, uint8_t* outTop,
                               ptrdiff_t outRowStep, bool transparentRule) {
    if (!cellsAreMap_ || paletteCount_ == 0 || !top || !outTop || width <= 0 || height <= 0) return -1;
    map_.Clear();
    dither_.Begin(width, transparentRule);
    for (int32_t r = 0; r < height; ++r) dither_.DitherRow(top + r * rowStep, outTop + r * outRowStep, map_, palette_);
    return dither_.GetTransparentIndex();
}

int ColorQuantizer::MapIndexedRows(const uint8_t* top, ptrdiff_t rowStep, int32_t width, int32_t height,
                                   const PaletteColor palette[256], uint8_t* outTop, ptrdiff_t outRowStep,
                                   bool transparentRule) {
    if (!cellsAreMap_ || paletteCount_ == 0 || !top || !palette || !outTop || width <= 0 || height <= 0) return -1;
    rgbRow_.resize(static_cast<size_t>(width) * 3);
    map_.Clear();
    dither_.Begin(width, transparentRule);
    for (int32_t r = 0; r < height; ++r) {
        const uint8_t* p = top + r * rowStep;
        uint8_t* rgb = rgbRow_.data();
        for (int32_t c = 0; c < width; ++c, rgb += 3) {
            const PaletteColor& e = palette[p[c]];
            rgb[0] = e.red;
            rgb[1] = e.green;
            rgb[2] = e.blue;
        }
        dither_.DitherRow(rgbRow_.data(), outTop + r * outRowStep, map_, palette_);
    }
    return dither_.GetTransparentIndex();
}

int ColorQuantizer::MapImage(const ChannelPicture& image, Bitmap8& out, bool transparentRule) {
    if (image.pixels.empty() || out.GetWidth() != image.width || out.GetHeight() != image.height) return -1;
    const ptrdiff_t step = static_cast<ptrdiff_t>(image.GetRowBytes());
    const int result = image.IsRgb()
        ? MapRgbRows(image.pixels.data(), step, image.width, image.height, out.GetTopRow(), out.GetRowStep(),
                     transparentRule)
        : MapIndexedRows(image.pixels.data(), step, image.width, image.height, image.palette, out.GetTopRow(),
                         out.GetRowStep(), transparentRule);
    if (result < 0) return -1;
    RgbQuad* table = out.GetColorTable();
    for (int i = 0; i < 256; ++i) table[i] = RgbQuad{palette_[i].blue, palette_[i].green, palette_[i].red, 0};
    return result;
}
