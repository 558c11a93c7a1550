// Tests of the depth templates: every value of the telling rows, the empty top rows, sizes and the general shape.
#include <gtest/gtest.h>

#include <vector>

#include "import/DepthTemplates.h"

namespace {

// Values at columns 0, 8, ..., 128 and then the last column, 135.
std::vector<int> TellingRow(const Bitmap8& t, int row) {
    std::vector<int> out;
    for (int c = 0; c <= 128; c += 8) out.push_back(t.GetRow(row)[c]);
    out.push_back(t.GetRow(row)[135]);
    return out;
}

}  // namespace

TEST(DepthTemplates, ReproduceEveryTellingRow) {
    struct Telling {
        int number;
        int row;
        std::vector<int> values;
    } table[] = {
        {145, 96, {81, 81, 80, 89, 97, 105, 113, 121, 129, 129, 121, 113, 105, 97, 89, 80, 81, 81}},
        {145, 288, {179, 179, 178, 186, 194, 202, 210, 219, 227, 227, 219, 210, 202, 194, 186, 178, 179, 179}},
        {145, 340, {205, 205, 204, 213, 215, 215, 215, 215, 215, 215, 215, 215, 215, 215, 213, 204, 205, 205}},
        {148, 96, {81, 81, 75, 67, 59, 51, 43, 34, 26, 26, 34, 43, 51, 59, 67, 75, 81, 81}},
        {148, 288, {179, 179, 173, 164, 156, 148, 140, 132, 124, 124, 132, 140, 148, 156, 164, 173, 179, 179}},
        {148, 383, {255, 255, 255, 255, 255, 255, 255, 180, 172, 172, 180, 255, 255, 255, 255, 255, 255, 255}},
    };
    for (const Telling& t : table) {
        const Bitmap8* bitmap = DepthTemplate(t.number);
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(TellingRow(*bitmap, t.row), t.values) << t.number << " row " << t.row;
    }
}

TEST(DepthTemplates, TopRowsAreEmptyUpToTheVolume) {
    const Bitmap8* far = DepthTemplate(145);
    const Bitmap8* near = DepthTemplate(148);
    auto rowIsEmpty = [](const Bitmap8* t, int r) {
        for (int c = 0; c < t->GetWidth(); ++c)
            if (t->GetRow(r)[c] != 255) return false;
        return true;
    };
    for (int r = 0; r <= 4; ++r) EXPECT_TRUE(rowIsEmpty(far, r)) << r;
    EXPECT_FALSE(rowIsEmpty(far, 5));
    for (int r = 0; r <= 33; ++r) EXPECT_TRUE(rowIsEmpty(near, r)) << r;
    EXPECT_FALSE(rowIsEmpty(near, 34));
}

TEST(DepthTemplates, SizesAndLookUp) {
    const int sizes[3][2] = {{136, 384}, {68, 192}, {34, 96}};
    for (int number = 145; number <= 150; ++number) {
        const Bitmap8* t = DepthTemplate(number);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->GetWidth(), sizes[(number - 145) % 3][0]);
        EXPECT_EQ(t->GetHeight(), sizes[(number - 145) % 3][1]);
        EXPECT_EQ(t->GetColorTable()[200].green, 200);  // the grey ramp
    }
    EXPECT_EQ(DepthTemplateNumber(false, 2), 150);
    EXPECT_EQ(DepthTemplateNumber(true, 3), 0);
    EXPECT_EQ(DepthTemplate(151), nullptr);
}

TEST(DepthTemplates, SmallerZoomsHoldTheSameValuesAtLowerResolution) {
    for (int kind = 0; kind < 2; ++kind) {
        const Bitmap8* large = DepthTemplate(145 + 3 * kind);
        for (int zoom = 1; zoom < 3; ++zoom) {
            const Bitmap8* small = DepthTemplate(145 + 3 * kind + zoom);
            for (int r = 0; r < small->GetHeight(); ++r)
                for (int c = 0; c < small->GetWidth(); ++c)
                    ASSERT_EQ(small->GetRow(r)[c], large->GetRow(r << zoom)[c << zoom]) << zoom << ":" << r << "," << c;
        }
    }
}

TEST(DepthTemplates, DepthGrowsDownwardAndTowardOrAwayFromTheCentreLine) {
    const Bitmap8* far = DepthTemplate(145);
    const Bitmap8* near = DepthTemplate(148);
    for (int c = 20; c <= 116; c += 4) {
        // About 8 per 16 rows on the walls.
        const int farStep = far->GetRow(200)[c] - far->GetRow(184)[c];
        const int nearStep = near->GetRow(200)[c] - near->GetRow(184)[c];
        EXPECT_GE(farStep, 7);
        EXPECT_LE(farStep, 9);
        EXPECT_GE(nearStep, 7);
        EXPECT_LE(nearStep, 9);
    }
    for (int c = 20; c < 64; ++c) {
        // Left half: far rises toward the centre, near falls; the right half mirrors it.
        EXPECT_LT(far->GetRow(200)[c], far->GetRow(200)[c + 4]);
        EXPECT_GT(near->GetRow(200)[c], near->GetRow(200)[c + 4]);
        EXPECT_EQ(far->GetRow(200)[c], far->GetRow(200)[136 - c]);
        EXPECT_EQ(near->GetRow(200)[c], near->GetRow(200)[136 - c]);
    }
    // Inside the volume no value is 255.
    for (int r = 100; r < 300; ++r)
        for (int c = 0; c < 136; ++c) {
            ASSERT_LT(far->GetRow(r)[c], 255);
            ASSERT_LT(near->GetRow(r)[c], 255);
        }
}
