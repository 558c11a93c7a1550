// The export's small algorithms: file names, attribute text, transparent index choice, canvas expansion and the
// directories made for a path.
#include <gtest/gtest.h>

#include "export/ChooseTransparentIndex.h"
#include "export/ExpandToCanvas.h"
#include "export/ExportFileNames.h"
#include "export/MakeDirectoriesForPath.h"
#include "export/SanitizeForFileName.h"
#include "export/XmlAttributeText.h"
#include "platform/HostDirectory.h"
#include "support/TempDir.h"

using namespace reshaper_test;

namespace {

TEST(ExportFileNames, SanitizedNamesAndFrameStemsFollowThePatterns) {
    EXPECT_EQ(SanitizeForFileName("Door Frame #2"), "Door-Frame-2");
    EXPECT_EQ(SanitizeForFileName("Caf\xE9 (big) - v1.0"), "Caf-big---v10");
    EXPECT_EQ(SanitizeForFileName("#&*"), "");
    EXPECT_EQ(MakeSpriteFrameStem("chair", 256, "Body", 1, 4, 1, true), "chair_sprites\\sprite0256\\Body_medium_ne");
    EXPECT_EQ(MakeSpriteFrameStem("chair", 12345, "Body", 0, 2, 0, false),
              "chair_sprites\\sprite12345_Body_large_back");
    EXPECT_EQ(MakeSpriteFrameStem("c", -3, "B", 2, 1, 0, false), "c_sprites\\sprite-003_B_small_all");
    EXPECT_EQ(MakeCustomWallFrameStem("door", 1000, "Wall", 3, true), "door_sprites\\customwall1000\\Wall_3");
    EXPECT_EQ(MakeCustomWallFrameStem("door", 1000, "Wall", 3, false), "door_sprites\\sprite1000_Wall_3");
    EXPECT_EQ(MakeBitmapFileName("x", 7, "catalogicon", "_Chair"), "x_bitmaps\\bitmap0007_catalogicon_Chair.bmp");
    EXPECT_STREQ(GetRotationName(4, 3), "sw");
    EXPECT_STREQ(GetRotationName(2, 1), "front");
    EXPECT_STREQ(GetRotationName(1, 0), "all");
    EXPECT_STREQ(GetRotationName(5, 0), "???");
    EXPECT_STREQ(GetZoomName(3), "???");
}

TEST(XmlAttributeText, EscapesMarkupAndWritesWindowsBytesAsUtf8) {
    EXPECT_EQ(MakeXmlAttributeText("Plain Chair - 2"), "Plain Chair - 2");
    EXPECT_EQ(MakeXmlAttributeText("A & B <\"x\">"), "A &amp; B &lt;&quot;x&quot;&gt;");
    EXPECT_EQ(MakeXmlAttributeText("Caf\xE9 \x80"), "Caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(MakeXmlAttributeText("a\tb\x01"), "a&#9;b?");
}

TEST(ChooseTransparentIndex, LeastUsedThenNearestToYellowThenHighest) {
    uint32_t counts[256];
    PaletteColor palette[256] = {};
    for (int i = 0; i < 256; ++i) counts[i] = 10;
    counts[3] = 2;
    counts[200] = 2;
    palette[3] = {250, 250, 0, 0};
    EXPECT_EQ(ChooseTransparentIndex(counts, palette), 3);  // equally used: 3 is nearer to yellow
    palette[200] = {250, 250, 0, 0};
    EXPECT_EQ(ChooseTransparentIndex(counts, palette), 200);  // equally near: the higher index
    counts[17] = 0;
    EXPECT_EQ(ChooseTransparentIndex(counts, palette), 17);  // unused beats everything
    for (int i = 0; i < 256; ++i) counts[i] = 0;
    EXPECT_EQ(ChooseTransparentIndex(counts, palette), 200);
}

TEST(ExpandToCanvas, PlacesTheFrameAtItsOffsetsAndClipsWhatLiesOutside) {
    auto frame = Bitmap8::Create(3, 2, nullptr);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c) frame->GetRow(r)[c] = static_cast<uint8_t>(10 * r + c + 1);
    auto canvas = ExpandToCanvas(*frame, 2, 1, 6, 4, 99);
    ASSERT_TRUE(canvas);
    EXPECT_EQ(canvas->GetWidth(), 6);
    EXPECT_EQ(canvas->GetRow(0)[2], 99);
    EXPECT_EQ(canvas->GetRow(1)[2], 1);
    EXPECT_EQ(canvas->GetRow(2)[4], 13);
    EXPECT_EQ(canvas->GetRow(2)[5], 99);
    EXPECT_EQ(canvas->GetRow(3)[3], 99);
    // Partly left of, above, right of and below the canvas: only the overlapping pixels land.
    auto left = ExpandToCanvas(*frame, -2, -1, 6, 4, 0);
    EXPECT_EQ(left->GetRow(0)[0], 13);
    EXPECT_EQ(left->GetRow(0)[1], 0);
    auto right = ExpandToCanvas(*frame, 4, 3, 6, 4, 0);
    EXPECT_EQ(right->GetRow(3)[4], 1);
    EXPECT_EQ(right->GetRow(3)[5], 2);
    auto outside = ExpandToCanvas(*frame, 100, -100, 6, 4, 5);
    EXPECT_EQ(outside->GetRow(0)[0], 5);
}

TEST(MakeDirectoriesForPath, MakesEachLevelAndAcceptsExistingOnes) {
    TempDir dir;
    ScopedCurrentDirectory cwd(dir.Path());
    ASSERT_TRUE(cwd.Ok());
    EXPECT_TRUE(MakeDirectoriesForPath("a_sprites\\sprite0001\\x_p.bmp"));
    EXPECT_TRUE(IsHostDirectory(dir.Join("a_sprites/sprite0001")));
    EXPECT_FALSE(IsHostDirectory(dir.Join("a_sprites/sprite0001/x_p.bmp")));
    EXPECT_TRUE(MakeDirectoriesForPath("a_sprites\\sprite0001\\y_p.bmp"));
    EXPECT_TRUE(MakeDirectoriesForPath(dir.Join("b/c/d.bmp")));
    EXPECT_TRUE(IsHostDirectory(dir.Join("b/c")));
    EXPECT_TRUE(MakeDirectoriesForPath("plain.bmp"));
    ASSERT_TRUE(WriteFileText(dir.Join("file"), "x"));
    EXPECT_FALSE(MakeDirectoriesForPath("file\\sub\\z.bmp"));
}

}  // namespace
