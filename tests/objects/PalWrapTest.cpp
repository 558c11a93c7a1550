// Tests of PalWrap: building with and without system colours, PALT loading and writing, nearest colour.
#include <gtest/gtest.h>

#include <vector>

#include "objects/palettes/PalWrap.h"
#include "objects/palettes/SharedPalettes.h"
#include "platform/GreyRamp.h"
#include "platform/SystemPalette.h"

namespace {

std::vector<uint8_t> PaltBytes(int32_t version, int32_t count, const std::vector<uint8_t>& rgb) {
    std::vector<uint8_t> out;
    for (uint32_t v : {static_cast<uint32_t>(version), static_cast<uint32_t>(count), 0u, 0u})
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    out.insert(out.end(), rgb.begin(), rgb.end());
    return out;
}

// 256 colours, all (200, 200, 200) except the ones set by the caller.
struct Colors {
    PaletteColor e[256];
    Colors() {
        for (auto& c : e) c = PaletteColor{200, 200, 200, 99};
    }
};

TEST(PalWrapBuild, WithoutReserveEveryEntryIsReservedNoCollapse) {
    Colors c;
    c.e[3] = {1, 2, 3, 0};
    PalWrap pal;
    pal.BuildFromColors(c.e, false);
    EXPECT_EQ(pal.GetColorCount(), 256);
    EXPECT_FALSE(pal.ReservesSystemColors());
    for (int i = 0; i < 256; ++i) EXPECT_EQ(pal.GetEntry(static_cast<uint8_t>(i)).flags, 5) << i;
    EXPECT_EQ(pal.GetEntry(3).red, 1);
    EXPECT_EQ(pal.GetEntry(3).blue, 3);
    ASSERT_NE(pal.GetLogicalPalette(), nullptr);
    EXPECT_EQ(pal.GetLogicalPalette()->version, 0x300);
    EXPECT_EQ(pal.GetLogicalPalette()->count, 256);
    EXPECT_EQ(pal.GetLogicalPalette()->entries[3].green, 2);
}

TEST(PalWrapBuild, WithReserveTakesTheSystemColoursAtBothEnds) {
    Colors c;
    PalWrap pal;
    pal.BuildFromColors(c.e, true);
    PaletteColor sys[256];
    ASSERT_EQ(GetSystemPaletteEntries(0, 256, sys), 256u);
    for (int i = 0; i < 256; ++i) {
        const PaletteColor& e = pal.GetEntry(static_cast<uint8_t>(i));
        if (i < 10 || i > 245) {
            EXPECT_EQ(e.red, sys[i].red) << i;
            EXPECT_EQ(e.green, sys[i].green) << i;
            EXPECT_EQ(e.blue, sys[i].blue) << i;
            EXPECT_EQ(e.flags, 0) << i;
        } else {
            EXPECT_EQ(e.red, 200) << i;
            EXPECT_EQ(e.flags, 4) << i;
        }
    }
    EXPECT_EQ(pal.GetEntry(0).red, 0);
    EXPECT_EQ(pal.GetEntry(255).blue, 255);
}

TEST(PalWrapBuild, RebuildingFromItsOwnTableKeepsTheColours) {
    Colors c;
    c.e[40] = {9, 8, 7, 0};
    PalWrap pal;
    pal.BuildFromColors(c.e, false);
    pal.BuildFromColors(pal.GetEntries(), true);
    EXPECT_EQ(pal.GetEntry(40).red, 9);
    EXPECT_EQ(pal.GetEntry(40).flags, 4);
}

TEST(PalWrapNearest, EqualDistancesGoToTheLowestIndex) {
    Colors c;
    c.e[3] = {0, 0, 0, 0};
    c.e[7] = {0, 0, 0, 0};
    PalWrap pal;
    pal.BuildFromColors(c.e, false);
    EXPECT_EQ(pal.NearestColor(0, 0, 0), 3);

    Colors d;
    d.e[31] = {0, 0, 2, 0};  // distance 4 from black
    d.e[30] = {0, 1, 0, 0};  // distance 4 too, lower index
    pal.BuildFromColors(d.e, false);
    EXPECT_EQ(pal.NearestColor(0, 0, 0), 30);
}

TEST(PalWrapNearest, GreenWeighsFourTimesRedTwiceBlueOnce) {
    Colors c;
    c.e[50] = {0, 7, 0, 0};   // from black: 4 * 49 = 196
    c.e[51] = {10, 0, 0, 0};  // 2 * 100 = 200
    c.e[52] = {0, 0, 14, 0};  // 196, but a higher index than 50
    c.e[53] = {0, 0, 15, 0};  // 225
    PalWrap pal;
    pal.BuildFromColors(c.e, false);
    EXPECT_EQ(pal.NearestColor(0, 0, 0), 50);
    c.e[50] = {0, 8, 0, 0};  // 256: now the blue one at 196 wins
    pal.BuildFromColors(c.e, false);
    EXPECT_EQ(pal.NearestColor(0, 0, 0), 52);
}

TEST(PalWrapNearest, ReservedSystemColoursAreNeverChosen) {
    PaletteColor ramp[256];
    FillGreyRamp(ramp);
    PalWrap pal;
    pal.BuildFromColors(ramp, true);
    // Entry 5 holds the system colour (128, 0, 128); the nearest grey among 10 ... 245 is 55.
    const PaletteColor five = pal.GetEntry(5);
    ASSERT_EQ(five.red, 128);
    ASSERT_EQ(five.green, 0);
    EXPECT_EQ(pal.NearestColor(five.red, five.green, five.blue), 55);
    EXPECT_EQ(pal.NearestColor(0, 0, 0), 10);
    EXPECT_EQ(pal.NearestColor(255, 255, 255), 245);
}

TEST(PalWrapNearest, EmptyPaletteAnswersZero) {
    PalWrap pal;
    EXPECT_EQ(pal.GetColorCount(), 0);
    EXPECT_EQ(pal.NearestColor(255, 255, 255), 0);
}

TEST(PalWrapPalt, SixteenColoursOnlyMatchAmongThemselves) {
    std::vector<uint8_t> rgb;
    for (int i = 0; i < 16; ++i) rgb.insert(rgb.end(), {static_cast<uint8_t>(i), 0, 0});
    PalWrap pal;
    ASSERT_TRUE(pal.LoadPALT(PaltBytes(1, 16, rgb).data(), PaltBytes(1, 16, rgb).size()));
    EXPECT_EQ(pal.GetColorCount(), 16);
    EXPECT_FALSE(pal.ReservesSystemColors());
    EXPECT_EQ(pal.GetLogicalPalette(), nullptr);
    EXPECT_EQ(pal.GetPackedColors()[15], 15u << 16);
    // Entries 16 ... 255 are black, an exact match for (0, 0, 0) only at 0; white goes to the reddest of the 16.
    EXPECT_EQ(pal.NearestColor(255, 255, 255), 15);
    EXPECT_EQ(pal.NearestColor(0, 0, 0), 0);
}

TEST(PalWrapPalt, CountsAndShortDataAreBounded) {
    std::vector<uint8_t> rgb(300 * 3, 0x40);
    PalWrap pal;
    EXPECT_TRUE(pal.LoadPALT(PaltBytes(1, 300, rgb).data(), PaltBytes(1, 300, rgb).size()));
    EXPECT_EQ(pal.GetColorCount(), 256);

    // The count promises 10 colours, the data holds 4 and a half: the 4 complete ones are kept.
    std::vector<uint8_t> shortRgb(13, 0x22);
    auto cut = PaltBytes(1, 10, shortRgb);
    EXPECT_FALSE(pal.LoadPALT(cut.data(), cut.size()));
    EXPECT_EQ(pal.GetColorCount(), 4);
    EXPECT_EQ(pal.GetEntry(3).blue, 0x22);
    EXPECT_EQ(pal.GetEntry(4).red, 0);

    auto negative = PaltBytes(1, -1, rgb);
    EXPECT_FALSE(pal.LoadPALT(negative.data(), negative.size()));
    EXPECT_EQ(pal.GetColorCount(), 0);

    auto header = PaltBytes(1, 0, {});
    EXPECT_FALSE(pal.LoadPALT(header.data(), header.size() - 1));
    EXPECT_EQ(pal.GetColorCount(), 0);
    EXPECT_TRUE(pal.LoadPALT(header.data(), header.size()));
    EXPECT_EQ(pal.GetColorCount(), 0);
}

TEST(PalWrapPalt, WrittenResourceIs784BytesAndLoadsBack) {
    Colors c;
    c.e[0] = {1, 2, 3, 0};
    c.e[255] = {250, 251, 252, 0};
    PalWrap pal;
    pal.BuildFromColors(c.e, false);
    const std::vector<uint8_t> bytes = pal.MakePALT();
    ASSERT_EQ(bytes.size(), 784u);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 19),
              (std::vector<uint8_t>{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3}));
    EXPECT_EQ(bytes[783], 252);
    PalWrap back;
    ASSERT_TRUE(back.LoadPALT(bytes.data(), bytes.size()));
    EXPECT_EQ(back.GetColorCount(), 256);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(back.GetEntry(static_cast<uint8_t>(i)).red, c.e[i].red);
        EXPECT_EQ(back.GetEntry(static_cast<uint8_t>(i)).blue, c.e[i].blue);
    }
}

TEST(PalWrapShared, GreyPaletteIsTheRampAndTheDefaultReservesSystemColours) {
    const PalWrap& grey = GetGreyPalette();
    EXPECT_FALSE(grey.ReservesSystemColors());
    for (int i = 0; i < 256; ++i) EXPECT_EQ(grey.GetEntry(static_cast<uint8_t>(i)).green, i);
    EXPECT_EQ(&grey, &GetGreyPalette());
    const PalWrap& def = GetDefaultPalette();
    EXPECT_TRUE(def.ReservesSystemColors());
    EXPECT_EQ(def.GetEntry(100).red, 100);
    EXPECT_EQ(def.NearestColor(3, 3, 3), 10);
}

}  // namespace
