// Tests of generated depth (template values moved by the far and near bias, clamped) and alpha (hard and soft).
#include <gtest/gtest.h>

#include "import/DepthTemplates.h"
#include "import/GenerateChannels.h"
#include "platform/GreyRamp.h"

namespace {

std::unique_ptr<Bitmap8> Filled(int32_t w, int32_t h, uint8_t value) {
    return Bitmap8::CreateFilled(w, h, GreyRampTable(), value);
}

TEST(GenerateDepth, TemplateValuesMoveByTheBiasAndStayInRange) {
    // Colour: background 0 in the first column, shape 5 elsewhere. Template row: 26, 50, 250, 255, 0.
    auto color = Filled(6, 1, 5);
    color->GetRow(0)[0] = 0;
    auto tmpl = Filled(5, 1, 0);
    const uint8_t values[] = {99, 26, 50, 250, 255};
    for (int c = 0; c < 5; ++c) tmpl->GetRow(0)[c] = values[c];
    auto nearZ = GenerateDepthChannel(*color, *tmpl, false);
    auto farZ = GenerateDepthChannel(*color, *tmpl, true);
    ASSERT_TRUE(nearZ && farZ);
    EXPECT_EQ(nearZ->GetRow(0)[0], 255);  // background
    EXPECT_EQ(nearZ->GetRow(0)[1], 38);
    EXPECT_EQ(farZ->GetRow(0)[2], 42);
    EXPECT_EQ(nearZ->GetRow(0)[3], 254);  // clamped below empty
    EXPECT_EQ(nearZ->GetRow(0)[4], 255);  // outside the volume stays empty
    EXPECT_EQ(farZ->GetRow(0)[4], 255);
    EXPECT_EQ(nearZ->GetRow(0)[5], 255);  // past the template's edge: its last column
    // 0 - 8 is held at 0.
    tmpl->GetRow(0)[1] = 3;
    EXPECT_EQ(GenerateDepthChannel(*color, *tmpl, true)->GetRow(0)[1], 0);
}

TEST(GenerateDepth, FramesOffTheCanvasCornerReadTheTemplateAtTheirPlace) {
    const Bitmap8* far0 = DepthTemplate(145);
    ASSERT_NE(far0, nullptr);
    auto color = Filled(3, 2, 7);
    color->GetRow(0)[0] = 1;  // background in the corner only
    auto z = GenerateDepthChannel(*color, *far0, true, 288, 64);
    ASSERT_TRUE(z);
    const int t = far0->GetRow(289)[66];
    EXPECT_EQ(z->GetRow(1)[2], t == 255 ? 255 : std::clamp(t - 8, 0, 254));
    EXPECT_EQ(far0->GetRow(288)[64], 227);  // the telling row of the far template
}

TEST(GenerateAlpha, HardAndSoftEdges) {
    // A 3 x 3 block of colour 9 on a 5 x 5 background of 0.
    auto color = Filled(5, 5, 0);
    for (int r = 1; r < 4; ++r)
        for (int c = 1; c < 4; ++c) color->GetRow(r)[c] = 9;
    auto hard = GenerateAlphaChannel(*color, false);
    auto soft = GenerateAlphaChannel(*color, true);
    ASSERT_TRUE(hard && soft);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c) {
            const bool shape = r >= 1 && r <= 3 && c >= 1 && c <= 3;
            EXPECT_EQ(hard->GetRow(r)[c], shape ? 255 : 0);
            EXPECT_EQ(soft->GetRow(r)[c], !shape ? 0 : (r == 2 && c == 2) ? 255 : 128) << r << "," << c;
        }
    // On the image's border a pixel is never fully opaque, even amid the shape.
    auto full = Filled(3, 3, 4);
    full->GetRow(2)[2] = 0;
    full->GetRow(0)[0] = 0;
    auto edge = GenerateAlphaChannel(*full, true);
    EXPECT_EQ(edge->GetRow(0)[1], 128);
    EXPECT_EQ(edge->GetRow(1)[1], 128);  // a background neighbour
}

}  // namespace
