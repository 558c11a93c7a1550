// reshaper-cli render and sprite over the sample installation.
#include <gtest/gtest.h>

#include "CliRunner.h"
#include "objects/sprites/Spr2Resource.h"
#include "resfile/IFFResFile2.h"
#include "support/TempDir.h"

using namespace reshaper_test;

namespace {

class CliRender : public CliSampleSuite {};

bool IsPng(const std::vector<uint8_t>& b) {
    return b.size() > 8 && b[0] == 0x89 && b[1] == 'P' && b[2] == 'N' && b[3] == 'G';
}

TEST_F(CliRender, RendersEveryRotationAndZoomOfAnObject) {
    for (int rotation = 0; rotation < 4; ++rotation)
        for (int zoom = 0; zoom < 3; ++zoom) {
            std::string out = dir->Join("arm" + std::to_string(rotation) + std::to_string(zoom) + ".png");
            CliResult r = Run("render armchair 128 --rotation " + std::to_string(rotation) + " --zoom " +
                              std::to_string(zoom) + " -o '" + out + "'");
            ASSERT_EQ(r.exitCode, 0) << r.out;
            EXPECT_TRUE(IsPng(ReadFileBytes(out)));
        }
    CliResult bmp = Run("render diningtable 128 --tile 2 --background black -o '" + dir->Join("t.bmp") + "'");
    ASSERT_EQ(bmp.exitCode, 0) << bmp.out;
    EXPECT_EQ(ReadFileBytes(dir->Join("t.bmp"))[0], 'B');
}

TEST_F(CliRender, RefusesWhatItCannotDraw) {
    EXPECT_EQ(Run("render armchair 128 --rotation 4 -o '" + dir->Join("x.png") + "'").exitCode, 2);
    EXPECT_EQ(Run("render armchair 128 -o '" + dir->Join("x.gif") + "'").exitCode, 2);
    EXPECT_EQ(Run("render armchair 999 -o '" + dir->Join("x.png") + "'").exitCode, 1);
    EXPECT_EQ(Run("render armchair 128 --tile 1 -o '" + dir->Join("x.png") + "'").exitCode, 2);
}

TEST_F(CliRender, SpriteWritesTheThreeChannels) {
    CliResult r = Run("sprite armchair 256 --frame 0 -o '" + dir->Join("frames") + "'");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    for (const char* c : {"p", "z", "a"})
        EXPECT_TRUE(IsPng(ReadFileBytes(dir->Join(std::string("frames/sprite256_frame0_") + c + ".png")))) << c;
    EXPECT_EQ(Run("sprite armchair 4321 -o '" + dir->Join("frames") + "'").exitCode, 1);

    // A frame past the count is refused rather than shown as frame 0 under its name.
    r = Run("sprite armchair 256 --frame 12 -o '" + dir->Join("frames") + "'");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("sprite 256 has 12 frames: there is no frame 12"), std::string::npos) << r.out;
    EXPECT_TRUE(ReadFileBytes(dir->Join("frames/sprite256_frame12_p.png")).empty());

    // Missing parent directories are made, for sprite's directory and for render's picture.
    r = Run("sprite armchair 256 --frame 11 -o '" + dir->Join("new/deeper/frames") + "'");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_TRUE(IsPng(ReadFileBytes(dir->Join("new/deeper/frames/sprite256_frame11_a.png"))));
    r = Run("render armchair 128 -o '" + dir->Join("new/pictures/chair.png") + "'");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_TRUE(IsPng(ReadFileBytes(dir->Join("new/pictures/chair.png"))));
}

// The version word of SPR2 256 of an object file on disk; 0 when it cannot be read.
int32_t SpriteLayout(const std::string& path) {
    IFFResFile2 f;
    if (f.Open(path) != kNoErr) return 0;
    Spr2Header header;
    if (DataHandle* h = f.GetResource(kTypeSPR2, 256, nullptr)) {
        ReadSpr2Header(ByteReader(h->Data(), h->bytes.size()), header);
        f.ReleaseAndFree(h);
    }
    f.Close();
    return header.version;
}

// The ottoman draws its 1001 sprite exactly as its twin draws the same frames stored as 1000, in every view; exported
// with every zoom and channel and imported into a clone (which stores 1000), it draws the same again.
TEST_F(CliRender, TheSecondSpriteLayoutDrawsAsItsTwinAndSurvivesARoundTrip) {
    auto render = [&](const std::string& file, int object, int rotation, int zoom) {
        const std::string out = dir->Join("otto/" + file + std::to_string(object) + "_" + std::to_string(rotation) +
                                          std::to_string(zoom) + ".png");
        const CliResult rendered = Run("render " + file + " " + std::to_string(object) + " --rotation " +
                                       std::to_string(rotation) + " --zoom " + std::to_string(zoom) + " -o '" + out +
                                       "'");
        EXPECT_EQ(rendered.exitCode, 0) << rendered.out;
        return ReadFileBytes(out);
    };
    ASSERT_EQ(Run("clone ottoman --all --name OttoCopy").exitCode, 0);
    const std::string copy = dir->Join("game/Downloads/Reshaped/OttoCopy.iff");
    EXPECT_EQ(SpriteLayout(dir->Join("game/Downloads/Community/Ottoman.iff")), 1001);
    EXPECT_EQ(SpriteLayout(copy), 1001);  // cloning copies the bytes
    // The clone's garbage collection kept the palette the 1001 header names.
    EXPECT_EQ(render("OttoCopy", 128, 2, 0), render("ottoman", 129, 2, 0));
    const std::string doc = dir->Join("otto/ottoman.xml");
    CliResult r = Run("export ottoman '" + doc + "' --preset all-zooms-all-channels");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    r = Run("import OttoCopy '" + doc + "' --yes");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(SpriteLayout(copy), 1000);

    for (int rotation = 0; rotation < 4; ++rotation)
        for (int zoom = 0; zoom < 3; ++zoom) {
            SCOPED_TRACE(testing::Message() << "rotation " << rotation << " zoom " << zoom);
            const std::vector<uint8_t> twin = render("ottoman", 129, rotation, zoom);
            ASSERT_TRUE(IsPng(twin));
            EXPECT_EQ(render("ottoman", 128, rotation, zoom), twin);
            EXPECT_EQ(render("OttoCopy", 128, rotation, zoom), twin);
            EXPECT_EQ(render("OttoCopy", 129, rotation, zoom), twin);
        }
}

}  // namespace
