// Tests of ColorQuantizer: histogram, median cut, nearest entries, the colour map and the dithering rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <map>
#include <random>
#include <tuple>
#include <vector>

#include "import/BmpReader.h"
#include "import/ColorQuantizer.h"
#include "platform/Bitmap8.h"

namespace {

using Rgb = std::tuple<int, int, int>;

std::vector<uint8_t> Pixels(const std::vector<Rgb>& colors) {
    std::vector<uint8_t> out;
    for (const Rgb& c : colors) {
        out.push_back(static_cast<uint8_t>(std::get<0>(c)));
        out.push_back(static_cast<uint8_t>(std::get<1>(c)));
        out.push_back(static_cast<uint8_t>(std::get<2>(c)));
    }
    return out;
}

std::vector<Rgb> Entries(const ColorQuantizer& q, int count) {
    std::vector<Rgb> out;
    for (int i = 0; i < count; ++i) out.emplace_back(q.GetPalette()[i].red, q.GetPalette()[i].green, q.GetPalette()[i].blue);
    return out;
}

int Distance(const Rgb& a, const PaletteColor& e) {
    const int dr = std::get<0>(a) - e.red, dg = std::get<1>(a) - e.green, db = std::get<2>(a) - e.blue;
    return 4 * dr * dr + 9 * dg * dg + db * db;
}

int Brute(const Rgb& c, const PaletteColor* palette, int count) {
    int best = 0, bestD = INT_MAX;
    for (int i = 0; i < count; ++i)
        if (Distance(c, palette[i]) < bestD) bestD = Distance(c, palette[i]), best = i;
    return best;
}

// The map's entry for the cell of a colour: the entry nearest the cell's centre among the entries inside the cell,
// else among all.
int CellEntry(int r, int g, int b, const PaletteColor* palette, int count) {
    const Rgb centre{(r >> 2) * 4 + 2, (g >> 2) * 4 + 2, (b >> 2) * 4 + 2};
    int best = -1, bestD = INT_MAX;
    for (int i = 0; i < count; ++i)
        if (palette[i].red >> 2 == r >> 2 && palette[i].green >> 2 == g >> 2 && palette[i].blue >> 2 == b >> 2 &&
            Distance(centre, palette[i]) < bestD)
            bestD = Distance(centre, palette[i]), best = i;
    return best >= 0 ? best : Brute(centre, palette, count);
}

int Limit(int e) {
    const int a = e < 0 ? -e : e;
    const int l = a < 16 ? a : (a < 48 ? 16 + (a - 16) / 2 : 32);
    return e < 0 ? -l : l;
}

// A plain reading of the dithering rules on a whole error field (sixteenths), for comparison: serpentine rows,
// 7/16 ahead, 3/16 below behind, 5/16 below, 1/16 below ahead, the error-limit table, and the transparent rule.
// Colours are mapped to the entry nearest their cell's centre.
std::vector<uint8_t> ReferenceDither(const std::vector<uint8_t>& rgb, int w, int h, const PaletteColor* palette,
                                     int count, bool rule) {
    std::vector<int> field(static_cast<size_t>(w + 2) * (h + 1) * 3, 0);
    auto at = [&](int y, int x, int k) -> int& { return field[(static_cast<size_t>(y) * (w + 2) + (x + 1)) * 3 + k]; };
    auto nearest = [&](int r, int g, int b) { return CellEntry(r, g, b, palette, count); };
    std::vector<uint8_t> out(static_cast<size_t>(w) * h);
    int transparent = -1;
    const uint8_t* bg = rgb.data();
    for (int y = 0; y < h; ++y) {
        const int dir = (y & 1) ? -1 : 1;
        for (int i = 0; i < w; ++i) {
            const int x = dir > 0 ? i : w - 1 - i;
            const uint8_t* p = &rgb[(static_cast<size_t>(y) * w + x) * 3];
            int v[3] = {p[0], p[1], p[2]};
            int index;
            if (rule && transparent >= 0 && p[0] == bg[0] && p[1] == bg[1] && p[2] == bg[2]) {
                index = transparent;
            } else {
                for (int k = 0; k < 3; ++k) v[k] = std::clamp(p[k] + Limit((at(y, x, k) + 8) >> 4), 0, 255);
                index = nearest(v[0], v[1], v[2]);
                if (rule && transparent >= 0 && index == transparent) {
                    for (int k = 0; k < 3; ++k) v[k] = p[k];
                    index = nearest(v[0], v[1], v[2]);
                }
            }
            if (transparent < 0) transparent = index;
            out[static_cast<size_t>(y) * w + x] = static_cast<uint8_t>(index);
            if (rule && index == transparent) {
                for (int k = 0; k < 3; ++k) at(y + 1, x - dir, k) = at(y + 1, x, k) = at(y + 1, x + dir, k) = 0;
                continue;
            }
            const int entry[3] = {palette[index].red, palette[index].green, palette[index].blue};
            for (int k = 0; k < 3; ++k) {
                const int e = v[k] - entry[k];
                at(y, x + dir, k) += 7 * e;
                at(y + 1, x - dir, k) += 3 * e;
                at(y + 1, x, k) += 5 * e;
                at(y + 1, x + dir, k) += e;
            }
        }
    }
    return out;
}

// A sprite-like picture: a magenta background with a shaded, noisy blob whose colours include near-magentas.
std::vector<uint8_t> SpriteLike(int w, int h, uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &rgb[(static_cast<size_t>(y) * w + x) * 3];
            const int dx = x - w / 2, dy = y - h / 2;
            if (dx * dx + dy * dy > (w * w) / 6) {
                p[0] = 255, p[1] = 0, p[2] = 255;
                continue;
            }
            const int noise = static_cast<int>(rng() % 24);
            p[0] = static_cast<uint8_t>(std::clamp(200 + dx + noise, 0, 255));
            p[1] = static_cast<uint8_t>(std::clamp(60 + 2 * dy + noise, 0, 255));
            p[2] = static_cast<uint8_t>(std::clamp(230 - noise, 0, 255));
        }
    return rgb;
}

}  // namespace

TEST(ColorQuantizer, FewCellsGiveOneEntryPerCellWithWeightedExactMeansThenGrey) {
    ColorQuantizer q;
    q.SetWantedColors(255);
    // 200 cells; each cell gets its exact colour (counted 1 + i % 3 times) and then a second colour of the same
    // cell, which is counted but not remembered.
    std::vector<Rgb> colors;
    std::map<Rgb, int> expected;
    for (int i = 0; i < 200; ++i) {
        const Rgb exact{(i * 4) % 256 + 1, (i * 12) % 256 + 2, (i / 64) * 4 * 8 + 3};
        for (int k = 0; k < 1 + i % 3; ++k) colors.push_back(exact);
        colors.emplace_back(std::get<0>(exact) + 1, std::get<1>(exact) + 1, std::get<2>(exact));
        ++expected[exact];
    }
    const std::vector<uint8_t> rgb = Pixels(colors);
    EXPECT_EQ(q.AddRgbRows(rgb.data(), 0, static_cast<int32_t>(colors.size()), 1), 200);
    EXPECT_EQ(q.AddRgbRows(rgb.data(), 0, 10, 1), 0);  // nothing new
    EXPECT_EQ(q.GetCellCount(), 200);
    ASSERT_EQ(q.BuildPalette(), 200);
    std::vector<Rgb> got = Entries(q, 200);
    std::sort(got.begin(), got.end());
    std::vector<Rgb> want;
    for (const auto& [c, n] : expected) want.push_back(c);
    EXPECT_EQ(got, want);
    for (int i = 200; i < 256; ++i) {
        EXPECT_EQ(q.GetPalette()[i].red, 128);
        EXPECT_EQ(q.GetPalette()[i].green, 128);
        EXPECT_EQ(q.GetPalette()[i].blue, 128);
    }
}

TEST(ColorQuantizer, PicturesOfAtMost255CellsSurviveQuantizingAndDitheringExactly) {
    // (0,0,0) lies farther from its cell's centre (2,2,2) than (2,2,4) of the next cell does; it must still map
    // onto itself.
    std::vector<Rgb> colors = {{0, 0, 0}, {2, 2, 4}};
    std::mt19937 rng(5);
    for (int i = 0; i < 240; ++i)
        colors.emplace_back((i % 16) * 16 + static_cast<int>(rng() % 4), (i / 16) * 16 + static_cast<int>(rng() % 4),
                            128 + static_cast<int>(rng() % 4));
    std::vector<Rgb> picture;
    for (int k = 0; k < 20; ++k)
        for (size_t i = 0; i < colors.size(); ++i) picture.push_back(colors[(i * 7 + k) % colors.size()]);
    const std::vector<uint8_t> rgb = Pixels(picture);
    const int w = static_cast<int>(colors.size()), h = 20;
    ColorQuantizer q;
    q.AddRgbRows(rgb.data(), w * 3, w, h);
    ASSERT_EQ(q.BuildPalette(), 242);
    std::vector<uint8_t> out(static_cast<size_t>(w) * h);
    for (bool rule : {false, true}) {
        q.MapRgbRows(rgb.data(), w * 3, w, h, out.data(), w, rule);
        for (size_t i = 0; i < out.size(); ++i) {
            const PaletteColor& e = q.GetPalette()[out[i]];
            ASSERT_EQ(Rgb(e.red, e.green, e.blue), picture[i]) << i;
        }
    }
}

TEST(ColorQuantizer, BoxMeansAreCountWeightedAndRoundedToNearest) {
    ColorQuantizer q;
    q.SetWantedColors(1);
    // Three cells with their exact colours: (0,0,0) once, (7,0,0) twice, (0,0,5) once; four pixels in all.
    const std::vector<uint8_t> rgb = Pixels({{0, 0, 0}, {7, 0, 0}, {7, 0, 0}, {0, 0, 5}});
    q.AddRgbRows(rgb.data(), 0, 4, 1);
    ASSERT_EQ(q.BuildPalette(), 1);
    EXPECT_EQ(Entries(q, 1), (std::vector<Rgb>{{4, 0, 1}}));  // red (14 + 2) / 4 = 4, blue (5 + 2) / 4 = 1
}

TEST(ColorQuantizer, SplitsFollowTheWeightedLongestAxis) {
    // Green counts 12 per cell against red's 8: black, pure green and pure red split on green first.
    ColorQuantizer q;
    q.SetWantedColors(2);
    std::vector<uint8_t> rgb = Pixels({{0, 0, 0}, {0, 252, 0}, {252, 0, 0}});
    q.AddRgbRows(rgb.data(), 0, 3, 1);
    ASSERT_EQ(q.BuildPalette(), 2);
    EXPECT_EQ(Entries(q, 2), (std::vector<Rgb>{{126, 0, 0}, {0, 252, 0}}));
    // Red (8 per cell) beats blue (4 per cell).
    q.SetWantedColors(2);
    rgb = Pixels({{0, 0, 0}, {252, 0, 0}, {0, 0, 252}});
    q.AddRgbRows(rgb.data(), 0, 3, 1);
    ASSERT_EQ(q.BuildPalette(), 2);
    EXPECT_EQ(Entries(q, 2), (std::vector<Rgb>{{0, 0, 126}, {252, 0, 0}}));
    // An empty histogram builds nothing.
    q.SetWantedColors(255);
    EXPECT_EQ(q.BuildPalette(), 0);
    EXPECT_EQ(q.GetPalette()[0].red, 128);
}

TEST(ColorQuantizer, NearestEntryWeighsRedGreenBlueFourNineOne) {
    PaletteColor palette[256] = {};
    palette[0] = PaletteColor{30, 30, 30, 0};
    palette[1] = PaletteColor{12, 2, 2, 0};   // red off by 10: 400
    palette[2] = PaletteColor{2, 2, 21, 0};   // blue off by 19: 361
    palette[3] = PaletteColor{2, 9, 2, 0};    // green off by 7: 441
    ColorQuantizer q;
    q.SetPalette(palette, 4);
    EXPECT_EQ(q.ExactNearestEntry(2, 2, 2), 2);
    EXPECT_EQ(q.NearestEntry(2, 2, 2), 2);  // the cell's centre (2, 2, 2)
    // The map holds, for every cell, the entry nearest to the cell's centre (inside the cell first), whatever the
    // pruning left out.
    std::mt19937 rng(7);
    PaletteColor random[256];
    for (PaletteColor& e : random)
        e = PaletteColor{static_cast<uint8_t>(rng()), static_cast<uint8_t>(rng()), static_cast<uint8_t>(rng()), 0};
    q.SetPalette(random, 255);
    for (int r = 0; r < 64; r += 3)
        for (int g = 0; g < 64; ++g)
            for (int b = 0; b < 64; b += 5) {
                ASSERT_EQ(q.NearestEntry(static_cast<uint8_t>(r * 4), static_cast<uint8_t>(g * 4 + 3),
                                         static_cast<uint8_t>(b * 4 + 1)),
                          CellEntry(r * 4, g * 4, b * 4, random, 255))
                    << r << "," << g << "," << b;
            }
    // A new palette clears the map.
    q.SetPalette(palette, 4);
    EXPECT_EQ(q.NearestEntry(2, 2, 2), 2);
}

TEST(ColorQuantizer, DitheringMatchesAPlainReadingOfTheRules) {
    std::mt19937 rng(11);
    for (int trial = 0; trial < 6; ++trial) {
        const int w = 5 + trial * 7, h = 4 + trial * 3;
        std::vector<uint8_t> rgb = SpriteLike(w, h, static_cast<uint32_t>(trial));
        if (trial % 2) std::generate(rgb.begin(), rgb.end(), [&] { return static_cast<uint8_t>(rng()); });
        ColorQuantizer q;
        q.SetWantedColors(trial == 5 ? 8 : 255);
        q.AddRgbRows(rgb.data(), w * 3, w, h);
        const int count = q.BuildPalette();
        ASSERT_GT(count, 0);
        for (bool rule : {false, true}) {
            std::vector<uint8_t> out(static_cast<size_t>(w) * h, 0xEE);
            const int t = q.MapRgbRows(rgb.data(), w * 3, w, h, out.data(), w, rule);
            EXPECT_EQ(out, ReferenceDither(rgb, w, h, q.GetPalette(), count, rule)) << trial << " " << rule;
            EXPECT_EQ(t, out[0]);
        }
    }
}

TEST(ColorQuantizer, SerpentineErrorDiffusionWithLimits) {
    // Entries black and grey 100; a flat (50, 50, 50) row: 50 ties and takes black, the carried 7/16 of 50 gives
    // (350 + 8) >> 4 = 22, limited to 19: 69 takes grey, and so on.
    PaletteColor palette[256] = {};
    palette[1] = PaletteColor{0, 0, 0, 0};
    palette[2] = PaletteColor{100, 100, 100, 0};
    palette[0] = PaletteColor{255, 0, 255, 0};
    ColorQuantizer q;
    q.SetPalette(palette, 3);
    const std::vector<uint8_t> rgb = Pixels({{50, 50, 50}, {50, 50, 50}, {50, 50, 50}});
    uint8_t out[3];
    q.MapRgbRows(rgb.data(), 9, 3, 1, out, 3, false);
    EXPECT_EQ(out[0], 1);
    EXPECT_EQ(out[1], 2);
    EXPECT_EQ(out[2], 1);
    // The second row runs right to left: its first pixel is the last column.
    const std::vector<uint8_t> two = Pixels({{0, 0, 0}, {0, 0, 0}, {50, 50, 50}, {50, 50, 50}});
    uint8_t out2[4];
    q.MapRgbRows(two.data(), 6, 2, 2, out2, 2, false);
    EXPECT_EQ(out2[3], 1);  // no error from above (black is exact), none carried yet
    EXPECT_EQ(out2[2], 2);  // carried from its right neighbour
}

TEST(ColorQuantizer, TransparentPixelsNeitherTakeNorPassError) {
    // A background that is not exactly in the palette: without the rule its error reaches the next pixel.
    PaletteColor palette[256] = {};
    palette[0] = PaletteColor{255, 0, 255, 0};
    palette[1] = PaletteColor{0, 0, 0, 0};
    palette[2] = PaletteColor{100, 100, 100, 0};
    ColorQuantizer q;
    q.SetPalette(palette, 3);
    const std::vector<uint8_t> rgb = Pixels({{250, 10, 250}, {50, 50, 50}});
    uint8_t out[2];
    EXPECT_EQ(q.MapRgbRows(rgb.data(), 6, 2, 1, out, 2, false), 0);
    EXPECT_EQ(out[1], 2);
    EXPECT_EQ(q.MapRgbRows(rgb.data(), 6, 2, 1, out, 2, true), 0);
    EXPECT_EQ(out[1], 1);
}

TEST(ColorQuantizer, FrameWithBackgroundTopLeftKeepsACleanBackground) {
    const int w = 60, h = 80;
    const std::vector<uint8_t> rgb = SpriteLike(w, h, 3);
    ColorQuantizer q;
    q.SetWantedColors(255);
    q.AddRgbRows(rgb.data(), w * 3, w, h);
    q.BuildPalette();
    std::vector<uint8_t> out(static_cast<size_t>(w) * h);
    const int t = q.MapRgbRows(rgb.data(), w * 3, w, h, out.data(), w, true);
    ASSERT_GE(t, 0);
    int background = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const bool isBackground = rgb[i * 3] == 255 && rgb[i * 3 + 1] == 0 && rgb[i * 3 + 2] == 255;
        background += isBackground;
        if (isBackground) {
            ASSERT_EQ(out[i], t) << i;
        } else if (out[i] == t) {  // only a colour whose own cell maps to the background may take its index
            ASSERT_EQ(q.NearestEntry(rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2]), t) << i;
        }
    }
    EXPECT_GT(background, 1000);
}

TEST(ColorQuantizer, MapsBmpImagesIndexedOrRgbAlike) {
    ChannelPicture indexed;
    indexed.width = 16;
    indexed.height = 9;
    indexed.bitDepth = 8;
    for (int i = 0; i < 256; ++i)
        indexed.palette[i] = PaletteColor{static_cast<uint8_t>(i), static_cast<uint8_t>(i * 7), static_cast<uint8_t>(255 - i), 0};
    for (int i = 0; i < 16 * 9; ++i) indexed.pixels.push_back(static_cast<uint8_t>((i * 37) % 256));
    ChannelPicture rgb = indexed;
    rgb.bitDepth = 24;
    rgb.pixels.clear();
    for (uint8_t p : indexed.pixels) {
        rgb.pixels.push_back(indexed.palette[p].red);
        rgb.pixels.push_back(indexed.palette[p].green);
        rgb.pixels.push_back(indexed.palette[p].blue);
    }
    ColorQuantizer q;
    q.SetWantedColors(32);
    const int made = q.AddImage(indexed);
    EXPECT_EQ(made, q.GetCellCount());
    EXPECT_GT(made, 32);
    ASSERT_EQ(q.BuildPalette(), 32);
    std::unique_ptr<Bitmap8> a = Bitmap8::Create(16, 9, nullptr);
    std::unique_ptr<Bitmap8> b = Bitmap8::Create(16, 9, nullptr);
    const int ta = q.MapImage(indexed, *a, true);
    EXPECT_EQ(ta, q.MapImage(rgb, *b, true));
    EXPECT_EQ(ta, a->GetRow(0)[0]);
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 16; ++c) ASSERT_EQ(a->GetRow(r)[c], b->GetRow(r)[c]);
    EXPECT_EQ(a->GetColorTable()[5].red, q.GetPalette()[5].red);
    EXPECT_EQ(a->GetColorTable()[5].blue, q.GetPalette()[5].blue);
    std::unique_ptr<Bitmap8> wrong = Bitmap8::Create(15, 9, nullptr);
    EXPECT_EQ(q.MapImage(indexed, *wrong, true), -1);
    // Without a palette nothing is mapped.
    ColorQuantizer empty;
    EXPECT_EQ(empty.MapImage(rgb, *b, true), -1);
    EXPECT_EQ(empty.NearestEntry(1, 2, 3), 0);
}
