// reshaper-cli render and sprite over the sample installation.
#include <gtest/gtest.h>

#include "CliRunner.h"
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
}

}  // namespace
