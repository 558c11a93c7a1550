// DepthTemplates: the six depth background templates (145 to 150) that generated depth channels start from.
#include "import/DepthTemplates.h"
#include "platform/GreyRamp.h"

#include <algorithm>
#include <memory>

namespace {

// The zoom-0 canvas and the floor tile's volume on it, in pixels. The tile's vertical centre line is column
// 68; d below is a column's distance from it. The volume's sides stand at d = kHalfWidth; its top face's far
// corner is at row kTop, its side corners kHalfWidth / 2 rows lower, and its floor's near corner at row kBottom.
constexpr int kWidth = 136;
constexpr int kHeight = 384;
constexpr int kCentreColumn = 68;
constexpr int kHalfWidth = 58;
constexpr int kTop = 5;
constexpr int kBottom = 390;

// Depths are planes of the screen position in 1/1024 steps: they grow by 520/1024 a row going down (about 8 per
// 16 rows) on the walls; along a row, a wall changes by twice that per column, in the far walls falling away
// from the centre line and in the near walls growing away from it. The floor under the far walls falls three
// times as fast downward, so it meets them along lines of the tile's own slope.
constexpr int kRowStep = 520;
constexpr int kFarBase = 87088;
constexpr int kNearBase = -26624;
constexpr int kFloorBase = 751072;
constexpr int kFloorRowStep = 3 * kRowStep;

int FloorDiv1024(int v) { return v >= 0 ? v / 1024 : -((-v + 1023) / 1024); }

int FarWall(int row, int d) { return FloorDiv1024(kFarBase + kRowStep * (row - 2 * d)); }
int NearWall(int row, int d) { return FloorDiv1024(kNearBase + kRowStep * (row + 2 * d)); }
int Floor(int row) { return FloorDiv1024(kFloorBase - kFloorRowStep * row); }

uint8_t ClampDepth(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 254)); }

// The zoom-0 value at (row, column): 255 outside the volume. Beyond the sides both kinds hold the depth of the
// near walls at the side edge.
uint8_t TemplateValue(bool far, int row, int column) {
    const int d = column < kCentreColumn ? kCentreColumn - column : column - kCentreColumn;
    const int side = std::min(d, kHalfWidth);
    // The floor's near edges bound both kinds below.
    if (2 * row + side > 2 * kBottom) return 255;
    if (far) {
        // Far walls reach up to the top face's far edges.
        if (2 * row < 2 * kTop + side) return 255;
        const int wall = d > kHalfWidth ? NearWall(row, kHalfWidth) : FarWall(row, d);
        return ClampDepth(std::min(wall, Floor(row)));
    }
    // Near walls reach up to the top face's near edges.
    if (2 * row < 2 * kTop + kHalfWidth + (kHalfWidth - side)) return 255;
    return ClampDepth(NearWall(row, side));
}

std::unique_ptr<Bitmap8> BuildTemplate(int number) {
    const bool far = number < kDepthTemplateNearZoom0;
    const int zoom = far ? number - kDepthTemplateFarZoom0 : number - kDepthTemplateNearZoom0;
    // Smaller zooms hold the zoom-0 values at every second or fourth row and column.
    const int width = kWidth >> zoom;
    const int height = kHeight >> zoom;
    std::unique_ptr<Bitmap8> bitmap = Bitmap8::Create(width, height, GreyRampTable());
    if (!bitmap) return nullptr;
    for (int r = 0; r < height; ++r) {
        uint8_t* row = bitmap->GetRow(r);
        for (int c = 0; c < width; ++c) row[c] = TemplateValue(far, r << zoom, c << zoom);
    }
    return bitmap;
}

}  // namespace

int DepthTemplateNumber(bool far, int zoom) {
    if (zoom < 0 || zoom > 2) return 0;
    return (far ? kDepthTemplateFarZoom0 : kDepthTemplateNearZoom0) + zoom;
}

const Bitmap8* DepthTemplate(int number) {
    if (number < kDepthTemplateFirst || number > kDepthTemplateLast) return nullptr;
    static const std::unique_ptr<Bitmap8> templates[6] = {BuildTemplate(145), BuildTemplate(146), BuildTemplate(147),
                                                          BuildTemplate(148), BuildTemplate(149), BuildTemplate(150)};
    return templates[number - kDepthTemplateFirst].get();
}
