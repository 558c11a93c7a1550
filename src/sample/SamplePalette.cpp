// SamplePalette: shade ramps of the materials, snapped to 6 bits per channel and de-duplicated.
#include "sample/SamplePalette.h"

#include <algorithm>
#include <cmath>

#include "objects/palettes/PalWrap.h"

namespace {

// The 6-bit value of a channel, widened back to 8 bits by repeating its top bits.
uint8_t Snap6(double value) {
    const int v6 = std::clamp(static_cast<int>(std::lround(value * 63.0 / 255.0)), 0, 63);
    return static_cast<uint8_t>((v6 << 2) | (v6 >> 4));
}

int Key6(const PaletteColor& c) { return ((c.red >> 2) << 12) | ((c.green >> 2) << 6) | (c.blue >> 2); }

}  // namespace

SamplePalette::SamplePalette(const std::vector<SampleMaterial>& materials) {
    materials_ = std::clamp(static_cast<int>(materials.size()), 1, kMaxMaterials);
    colors_[kTransparentIndex] = PaletteColor{255, 0, 255, 0};
    used_ = 1;
    index_.assign(static_cast<size_t>(materials_) * kShadeLevels, kTransparentIndex);
    std::vector<int> keys(256, -1);
    keys[kTransparentIndex] = Key6(colors_[kTransparentIndex]);
    for (int m = 0; m < materials_; ++m) {
        const SampleMaterial base =
            m < static_cast<int>(materials.size()) ? materials[static_cast<size_t>(m)] : SampleMaterial{128, 128, 128};
        for (int level = 0; level < kShadeLevels; ++level) {
            // From deep shadow to a little brighter than the material itself.
            const double k = 0.18 + 0.97 * level / (kShadeLevels - 1);
            PaletteColor c{Snap6(base.red * k), Snap6(base.green * k), Snap6(base.blue * k), 0};
            // A shade may not take the transparent colour's place.
            if (Key6(c) == keys[kTransparentIndex]) c.green = Snap6(8);
            const int key = Key6(c);
            auto found = std::find(keys.begin(), keys.begin() + used_, key);
            uint8_t index;
            if (found != keys.begin() + used_) {
                index = static_cast<uint8_t>(found - keys.begin());
            } else {
                index = static_cast<uint8_t>(used_);
                colors_[used_] = c;
                keys[static_cast<size_t>(used_)] = key;
                ++used_;
            }
            index_[static_cast<size_t>(m) * kShadeLevels + static_cast<size_t>(level)] = index;
        }
    }
}

uint8_t SamplePalette::IndexOf(int material, int level) const {
    material = std::clamp(material, 0, materials_ - 1);
    level = std::clamp(level, 0, kShadeLevels - 1);
    return index_[static_cast<size_t>(material) * kShadeLevels + static_cast<size_t>(level)];
}

std::vector<uint8_t> SamplePalette::MakePALT() const { return PalWrap::MakePALT(colors_); }
