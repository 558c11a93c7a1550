// ShrinkChannels: the block rules of the smaller zooms for colour, depth and alpha channels.
#include "import/ShrinkChannels.h"

#include <algorithm>
#include <array>

#include "import/ColorQuantizer.h"

namespace {

// The part of the block of output pixel (r, c) that lies inside the source.
struct Block {
    int32_t top, left, bottom, right;
};

Block BlockAt(const Bitmap8& source, int shift, int32_t r, int32_t c) {
    const int64_t n = int64_t{1} << shift;
    Block b{};
    b.top = static_cast<int32_t>(std::min<int64_t>(r * n, source.GetHeight()));
    b.left = static_cast<int32_t>(std::min<int64_t>(c * n, source.GetWidth()));
    b.bottom = static_cast<int32_t>(std::min<int64_t>((r + 1) * n, source.GetHeight()));
    b.right = static_cast<int32_t>(std::min<int64_t>((c + 1) * n, source.GetWidth()));
    return b;
}

std::unique_ptr<Bitmap8> MakeLike(const Bitmap8& source, int shift, int32_t width, int32_t height) {
    if (shift < 0 || shift > 15) return nullptr;
    return Bitmap8::Create(std::max(width, 1), std::max(height, 1), source.GetColorTable());
}

// The most frequent value of the block other than `skip`, lowest on ties; `none` when every value is `skip`.
uint8_t BlockMode(const Bitmap8& source, const Block& b, uint8_t skip, uint8_t none) {
    std::array<uint32_t, 256> counts{};
    bool any = false;
    for (int32_t y = b.top; y < b.bottom; ++y) {
        const uint8_t* row = source.GetRow(y);
        for (int32_t x = b.left; x < b.right; ++x)
            if (row[x] != skip) {
                ++counts[row[x]];
                any = true;
            }
    }
    if (!any) return none;
    int best = 0;
    for (int v = 1; v < 256; ++v)
        if (counts[v] > counts[best]) best = v;
    return static_cast<uint8_t>(best);
}

}  // namespace

std::unique_ptr<Bitmap8> ShrinkColorChannel(const Bitmap8& source, int shift, int32_t width, int32_t height,
                                            bool smooth, const PaletteColor palette[256], ColorQuantizer& quantizer) {
    auto out = MakeLike(source, shift, width, height);
    if (!out) return nullptr;
    const uint8_t background = source.GetRow(0)[0];
    if (!smooth) {
        for (int32_t r = 0; r < out->GetHeight(); ++r) {
            uint8_t* o = out->GetRow(r);
            for (int32_t c = 0; c < out->GetWidth(); ++c)
                o[c] = BlockMode(source, BlockAt(source, shift, r, c), background, background);
        }
        return out;
    }
    quantizer.SetPalette(palette, 256);
    uint8_t last = 0;  // the last non-background source value met so far
    for (int32_t r = 0; r < out->GetHeight(); ++r) {
        uint8_t* o = out->GetRow(r);
        int errR = 0, errG = 0, errB = 0;
        for (int32_t c = 0; c < out->GetWidth(); ++c) {
            const Block b = BlockAt(source, shift, r, c);
            int64_t sumR = 0, sumG = 0, sumB = 0, count = 0;
            for (int32_t y = b.top; y < b.bottom; ++y) {
                const uint8_t* row = source.GetRow(y);
                for (int32_t x = b.left; x < b.right; ++x) {
                    if (row[x] == background) continue;
                    const PaletteColor& e = palette[row[x]];
                    sumR += e.red;
                    sumG += e.green;
                    sumB += e.blue;
                    ++count;
                    last = row[x];
                }
            }
            if (count == 0) {
                errR = errG = errB = 0;
                o[c] = last;
                continue;
            }
            const int wantR = std::clamp(static_cast<int>(sumR / count) + errR, 0, 255);
            const int wantG = std::clamp(static_cast<int>(sumG / count) + errG, 0, 255);
            const int wantB = std::clamp(static_cast<int>(sumB / count) + errB, 0, 255);
            const uint8_t index = quantizer.NearestEntry(static_cast<uint8_t>(wantR), static_cast<uint8_t>(wantG),
                                                         static_cast<uint8_t>(wantB));
            const PaletteColor& got = palette[index];
            errR = std::clamp(wantR - got.red, -100, 100);
            errG = std::clamp(wantG - got.green, -100, 100);
            errB = std::clamp(wantB - got.blue, -100, 100);
            o[c] = index;
        }
    }
    return out;
}

std::unique_ptr<Bitmap8> ShrinkDepthChannel(const Bitmap8& source, int shift, int32_t width, int32_t height) {
    auto out = MakeLike(source, shift, width, height);
    if (!out) return nullptr;
    for (int32_t r = 0; r < out->GetHeight(); ++r) {
        uint8_t* o = out->GetRow(r);
        for (int32_t c = 0; c < out->GetWidth(); ++c) o[c] = BlockMode(source, BlockAt(source, shift, r, c), 255, 255);
    }
    return out;
}

std::unique_ptr<Bitmap8> ShrinkAlphaChannel(const Bitmap8& source, int shift, int32_t width, int32_t height,
                                            bool smooth) {
    auto out = MakeLike(source, shift, width, height);
    if (!out) return nullptr;
    const int64_t area = int64_t{1} << (2 * shift);
    for (int32_t r = 0; r < out->GetHeight(); ++r) {
        uint8_t* o = out->GetRow(r);
        for (int32_t c = 0; c < out->GetWidth(); ++c) {
            const Block b = BlockAt(source, shift, r, c);
            int64_t sum = 0;
            int largest = 0;
            for (int32_t y = b.top; y < b.bottom; ++y) {
                const uint8_t* row = source.GetRow(y);
                for (int32_t x = b.left; x < b.right; ++x) {
                    sum += row[x];
                    largest = std::max<int>(largest, row[x]);
                }
            }
            o[c] = static_cast<uint8_t>(smooth ? sum / area : largest);
        }
    }
    return out;
}
