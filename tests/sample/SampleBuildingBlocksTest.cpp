// The pieces the sample installation is made of: IFF images, palettes, drawn frames and draw group placement.
#include <gtest/gtest.h>

#include <set>

#include "objects/definitions/ObjectDefinition.h"
#include "objects/drawing/DrawGroup.h"
#include "resfile/IFFResFile2.h"
#include "sample/SampleBehaviors.h"
#include "sample/SampleIFFImage.h"
#include "sample/SamplePalette.h"
#include "sample/SampleRenderer.h"
#include "sample/SampleSprite.h"
#include "support/TempDir.h"

using namespace reshaper_test;

namespace {

TEST(SampleIFFImage, VersionTwoFiveOpensThroughItsMapAndTwoZeroByAScan) {
    SampleIFFImage image;
    image.Add(kTypeOBJD, 128, "Chair", {1, 2, 3});
    image.Add(kTypeSTRList, 5, std::string(70, 'n'), {4, 5}, 0);
    image.Add(kTypeOBJD, 129, "Table", {});
    TempDir dir;
    ASSERT_TRUE(WriteFileBytes(dir.Join("a.iff"), image.Build25()));
    ASSERT_TRUE(WriteFileBytes(dir.Join("b.iff"), image.Build20()));
    for (const char* name : {"a.iff", "b.iff"}) {
        IFFResFile2 f;
        ASSERT_EQ(f.Open(dir.Join(name)), kNoErr) << name;
        EXPECT_EQ(f.WasOpenedThroughMap(), std::string(name) == "a.iff");
        EXPECT_EQ(f.GetVersion(), std::string(name) == "a.iff" ? kIFFVersion25 : kIFFVersion20);
        ASSERT_EQ(f.CountTypes(), 2);
        EXPECT_EQ(f.GetIndexedType(1), kTypeOBJD);
        EXPECT_EQ(f.CountResources(kTypeOBJD), 2);
        DataHandle* h = f.GetResource(kTypeSTRList, 5, nullptr);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(h->bytes, (std::vector<uint8_t>{4, 5}));
        EXPECT_FALSE(f.IsConverted(h));
        std::string resName;
        f.GetName(h, resName);
        EXPECT_EQ(resName, std::string(63, 'n'));
        f.ReleaseAndFree(h);
        h = f.GetResource(kTypeOBJD, 129, nullptr);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(h->Size(), 0);
        EXPECT_TRUE(f.IsConverted(h));
        f.ReleaseAndFree(h);
        EXPECT_EQ(f.GetFreeSpace(), 0);
        f.Close();
    }
    // Nothing left to compact or map again: the 2.5 image is what the file class leaves after a close.
    EXPECT_EQ(ReadFileBytes(dir.Join("a.iff")), image.Build25());
}

TEST(SamplePalette, ShadesAreSixBitDistinctAndExactAtSixBits) {
    // Two materials that meet in their shades, and a magenta one that must not take the transparent colour.
    SamplePalette palette({{200, 100, 50}, {100, 50, 25}, {255, 0, 255}});
    EXPECT_LE(palette.CountUsed(), 256);
    std::set<int> keys;
    for (int i = 0; i < palette.CountUsed(); ++i) {
        const PaletteColor& c = palette.GetColors()[i];
        EXPECT_TRUE(keys.insert(((c.red >> 2) << 12) | ((c.green >> 2) << 6) | (c.blue >> 2)).second) << i;
        EXPECT_EQ(c.red & 3, c.red >> 6) << "widened from 6 bits";
    }
    for (int m = 0; m < 3; ++m)
        for (int level = 0; level < SamplePalette::kShadeLevels; ++level)
            EXPECT_NE(palette.IndexOf(m, level), SamplePalette::kTransparentIndex);
    EXPECT_EQ(palette.MakePALT().size(), 784u);
}

TEST(SampleRenderer, DrawsShadedDepthAndSoftEdgesOnTheCanvas) {
    SampleModel box;
    box.materials = {{180, 120, 60}};
    box.Box(-0.3f, -0.3f, 0.0f, 0.3f, 0.3f, 0.6f, 0);
    const SamplePalette palette(box.materials);
    SampleFrameImages large, small;
    RenderSampleFrame(box, palette, 0, 0, large);
    RenderSampleFrame(box, palette, 0, 2, small);
    EXPECT_EQ(large.width, 136);
    EXPECT_EQ(large.height, 384);
    EXPECT_EQ(small.width, 34);
    const Rect b = FindOpaqueBounds(large);
    // Width of the box's silhouette: 0.6 units along X and Y, 64 pixels per unit each way.
    EXPECT_NEAR(b.Width(), 78, 3);
    EXPECT_NEAR(b.bottom, 352 + 20, 2);  // its near corner on the floor lies 19 rows below the tile's centre
    EXPECT_NEAR(FindOpaqueBounds(small).Width(), 78 / 4.0, 2);

    std::set<uint8_t> shades;
    int soft = 0;
    for (size_t i = 0; i < large.p.size(); ++i) {
        EXPECT_EQ(large.z[i] == 255, large.a[i] == 0);
        if (large.z[i] == 255) continue;
        shades.insert(large.p[i]);
        if (large.a[i] != 255) ++soft;
    }
    EXPECT_GE(shades.size(), 3u);  // top, left and right faces
    EXPECT_GT(soft, 20);
    // Depth grows from the top face's near edge down the front faces, and the top face is nearer at its front.
    auto z = [&](int r, int c) { return large.z[static_cast<size_t>(r) * large.width + c]; };
    const int column = 68;
    int top = b.top;
    while (z(top, column) == 255) ++top;
    EXPECT_GT(z(top, column), z(top + 30, column));                // across the top face toward the viewer: nearer
    EXPECT_LT(z(b.bottom - 30, column), z(b.bottom - 3, column));  // down the front edge: farther
    EXPECT_EQ(z(0, 0), 255);
}

TEST(SampleSprite, DrawGroupItemsPutFramesWhereTheCanvasHadThem) {
    SampleModel m;
    m.materials = {{90, 140, 200}};
    m.Cylinder(0.1f, -0.1f, 0.15f, 0.0f, 0.8f, 0);
    const SamplePalette palette(m.materials);
    SampleSprite sprite;
    ASSERT_TRUE(BuildSampleSprite(m, palette, 7, sprite));
    const DrawGroup group = MakeSampleDrawGroup("pole", {{300, &sprite}});
    ASSERT_EQ(group.CountItemLists(), 12);
    for (int view = 0; view < 12; ++view) {
        const int rotation = view % 4, zoom = 2 - view / 4;
        const DrawGroupItemList* list = group.GetItemList(view);
        ASSERT_EQ(list->CountItems(), 1);
        const DrawGroupItem& item = list->Items()[0];
        const SampleFramePlace& place = sprite.frames[static_cast<size_t>(SampleFrameIndex(rotation, zoom))];
        const SampleCanvas canvas = GetSampleCanvas(zoom);
        EXPECT_EQ(item.spritenum, SampleFrameIndex(rotation, zoom));
        EXPECT_EQ(item.pixelx + canvas.referenceX, place.x);
        EXPECT_EQ(item.pixely + canvas.referenceY, place.y + place.height - 1);
        EXPECT_EQ(list->dirflags, 1 << (2 * rotation));
        EXPECT_EQ(list->zoom, view / 4 + 1);
    }
    // The older layout keeps every item.
    DrawGroup old;
    const std::vector<uint8_t> bytes = SerializeOldLayoutDrawGroup(group);
    ASSERT_TRUE(old.Parse(bytes.data(), bytes.size()));
    EXPECT_EQ(old.GetLoadedVersion(), 20001);
    ASSERT_EQ(old.CountItemLists(), 12);
    EXPECT_EQ(old.GetItemList(5)->Items()[0].pixely, group.GetItemList(5)->Items()[0].pixely);
}

TEST(SampleBehaviors, LaysOutHeaderAndInstructions) {
    const std::vector<uint8_t> b =
        MakeBehavior({MakeGuidInstruction(kSampleOpSetToNext, 0x11223344, true, 0x87), MakePlainInstruction(2, {9})});
    ASSERT_EQ(b.size(), 12u + 24u);
    EXPECT_EQ(b[2], 2);  // instruction count
    const std::vector<uint8_t> first(b.begin() + 12, b.begin() + 24);
    EXPECT_EQ(first, (std::vector<uint8_t>{0x1F, 0x80, 1, 0xFE, 0x44, 0x33, 0x22, 0x11, 0x87, 0, 0, 0}));
    EXPECT_EQ(b[12 + 12 + 2], 0xFD);  // the last one returns true
    EXPECT_EQ(MakeBehavior({}).size(), 12u);
}

}  // namespace
