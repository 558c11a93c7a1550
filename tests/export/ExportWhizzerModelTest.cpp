// The presets dialog's rules without a window: opening state, "Just Change Colors." and the presets it forbids,
// label and picture shortcuts, the options OK records, and the result after the export.
#include <gtest/gtest.h>

#include <set>

#include "export/ExportWhizzerModel.h"

namespace {

TEST(ExportWhizzerModel, OpensOnOneZoomOneChannelWithEveryBoxCheckedAndColoursOnly) {
    ExportWhizzerModel m;
    EXPECT_EQ(m.GetSelectedPreset(), kWhizPresetOneZoomOneChannel);
    for (int box : {1104, 1072, 1073, 1070, 1071, 1091, 1098}) EXPECT_TRUE(m.IsChecked(box)) << box;
    // "Just Change Colors." is checked: the all-channel presets and their pictures are out of reach.
    for (int id : {1061, 1063, 1084, 1086}) EXPECT_FALSE(m.IsEnabled(id)) << id;
    for (int id : {1077, 1078, 1081, 1082}) EXPECT_FALSE(m.IsVisible(id)) << id;
    for (int id : {1070, 1087, 1088, 1071, 1089, 1090, 1069, 1098, 1100, 1099}) EXPECT_FALSE(m.IsEnabled(id)) << id;
    for (int id : {1091, 1092, 1097, 1075, 1072, 1073}) EXPECT_TRUE(m.IsEnabled(id)) << id;
    EXPECT_EQ(m.GetText(1083),
              "Export largest zoom. Automatically generate smaller zooms. Preserve Z buffers and "
              "Alpha channels. Minimum number of files. Good quality.");
    EXPECT_EQ(m.GetText(1085),
              "Export all zooms. Preserve Z buffers and Alpha channels. Maximum number of files. Best quality.");
}

TEST(ExportWhizzerModel, JustChangeColorsPullsTheAllChannelPresetsBackHoweverTheyAreChosen) {
    for (int chooser : {1061, 1084, 1077, 1078}) {
        ExportWhizzerModel m;
        ASSERT_TRUE(m.Click(1105));  // "Off: Changing sprite shapes."
        EXPECT_FALSE(m.IsChecked(1104));
        ASSERT_TRUE(m.Click(chooser)) << chooser;
        EXPECT_EQ(m.GetSelectedPreset(), 1061) << chooser;
        ASSERT_TRUE(m.Click(1106));  // back on: 1061 cannot stay
        EXPECT_EQ(m.GetSelectedPreset(), 1060) << chooser;
        // While checked the radio, its label and its pictures do nothing.
        EXPECT_FALSE(m.Click(chooser)) << chooser;
        EXPECT_EQ(m.GetSelectedPreset(), 1060);
    }
    ExportWhizzerModel m;
    m.Click(1104);
    m.Click(1082);
    EXPECT_EQ(m.GetSelectedPreset(), 1063);
    m.Click(1104);
    EXPECT_EQ(m.GetSelectedPreset(), 1062);
    EXPECT_EQ(m.GetText(1085),
              "Export all zooms. Preserve Z buffers and Alpha channels. Maximum number of files. Best quality.");
    m.Click(1104);
    EXPECT_EQ(m.GetText(1085), "Export all zooms. Automatically generate Z buffers and Alpha channels. Low quality.");
    EXPECT_EQ(m.GetText(1083),
              "Export largest zoom. Automatically generate smaller zooms, Z buffers and Alpha "
              "channels. Minimum number of files. Lowest quality.");
}

TEST(ExportWhizzerModel, EnablingFollowsThePresetWhileShapesChange) {
    ExportWhizzerModel m;
    m.Click(1104);
    struct Case {
        int preset;
        bool channels, zoom;
    } cases[] = {{1060, true, true}, {1062, true, false}, {1061, false, true}, {1063, false, false}};
    for (const Case& c : cases) {
        m.Click(c.preset);
        for (int id : {1070, 1087, 1088, 1071, 1089, 1090, 1069}) EXPECT_EQ(m.IsEnabled(id), c.channels) << c.preset;
        for (int id : {1091, 1092, 1097, 1075, 1098, 1100, 1099}) EXPECT_EQ(m.IsEnabled(id), c.zoom) << c.preset;
        for (int id : {1061, 1063, 1084, 1086}) EXPECT_TRUE(m.IsEnabled(id));
        for (int id : {1077, 1078, 1081, 1082}) EXPECT_TRUE(m.IsVisible(id));
    }
}

TEST(ExportWhizzerModel, LabelsCheckAndUncheckTheirBoxesWithoutTouchingThePreset) {
    ExportWhizzerModel m;
    m.Click(1104);
    const std::pair<int, std::pair<int, int>> shortcuts[] = {{1072, {1093, 1094}}, {1073, {1095, 1096}},
                                                             {1091, {1097, 1092}}, {1098, {1100, 1099}},
                                                             {1070, {1087, 1088}}, {1071, {1089, 1090}}};
    for (const auto& [box, labels] : shortcuts) {
        EXPECT_TRUE(m.Click(labels.second));
        EXPECT_FALSE(m.IsChecked(box)) << box;
        EXPECT_TRUE(m.Click(labels.first));
        EXPECT_TRUE(m.IsChecked(box)) << box;
        EXPECT_TRUE(m.Click(box));
        EXPECT_FALSE(m.IsChecked(box)) << box;
        EXPECT_EQ(m.GetSelectedPreset(), 1060);
    }
    EXPECT_FALSE(m.Click(1075));  // group boxes, the path and unknown ids do nothing
    EXPECT_FALSE(m.Click(1018));
    EXPECT_FALSE(m.Click(4242));
}

TEST(ExportWhizzerModel, OkRecordsThePresetsChannelsAndForcedValues) {
    ExportWhizzerModel m;
    m.SetObjectFilePath(".\\GameData\\Objects\\chair.iff");
    // Colours only, with the three boxes it overrides unchecked: the forced values win.
    m.SetChecked(1070, false);
    m.SetChecked(1071, false);
    m.SetChecked(1098, false);
    m.SetChecked(1072, false);
    ExportOptions o = m.BuildOptions();
    EXPECT_EQ(o.objectfilename, ".\\GameData\\Objects\\chair.iff");
    EXPECT_EQ(o.justchangecolors, 1);
    EXPECT_EQ(o.exportz, 0);
    EXPECT_EQ(o.exporta, 0);
    EXPECT_EQ(o.generatez, 1);
    EXPECT_EQ(o.generatezfar, 1);
    EXPECT_EQ(o.generatea, 1);
    EXPECT_EQ(o.generateasoft, 1);
    EXPECT_EQ(o.smoothsmallzoomedges, 1);
    EXPECT_EQ(o.compressbitmaps, 0);
    EXPECT_EQ(o.exportbitmaps, 0);
    EXPECT_EQ(o.exportallzooms, 0);
    EXPECT_EQ(o.exportobjectdefinitions + o.exportdrawgroups + o.exportsprites + o.exportexpanded + o.exportp, 5);

    // One zoom, all channels: the disabled "Far Z Buffer" and "Soft Alpha Channel" record 0 although checked.
    m.Click(1104);
    m.SetChecked(1070, true);
    m.SetChecked(1071, true);
    m.Click(1061);
    o = m.BuildOptions();
    EXPECT_EQ(o.justchangecolors, 0);
    EXPECT_EQ(o.exportz, 1);
    EXPECT_EQ(o.exporta, 1);
    EXPECT_EQ(o.generatez, 0);
    EXPECT_EQ(o.generatea, 0);
    EXPECT_EQ(o.generatezfar, 0);
    EXPECT_EQ(o.generateasoft, 0);
    EXPECT_EQ(o.smoothsmallzoomedges, 0);  // as its box was left

    m.Click(1062);
    m.Click(1088);  // "Off: Object in front."
    o = m.BuildOptions();
    EXPECT_EQ(o.exportallzooms, 1);
    EXPECT_EQ(o.generatez, 1);
    EXPECT_EQ(o.generatezfar, 0);
    EXPECT_EQ(o.generateasoft, 1);

    m.Click(1063);
    EXPECT_EQ(m.BuildOptions().exportallzooms, 1);
    EXPECT_EQ(m.BuildOptions().exportz, 1);
    m.SelectPreset(0);  // no preset at all: all channels, one zoom
    o = m.BuildOptions();
    EXPECT_EQ(o.exportallzooms, 0);
    EXPECT_EQ(o.exportz, 1);
    EXPECT_EQ(o.generatez, 0);
}

TEST(ExportWhizzerModel, ResultAfterExportIsCancelWhenItRanAndOkWhenTheFileDialogWasDismissed) {
    EXPECT_EQ(ExportWhizzerModel::ResultAfterExport(true), kWhizResultCancel);
    EXPECT_EQ(ExportWhizzerModel::ResultAfterExport(false), kWhizResultOk);
}

TEST(ExportWhizzerModel, EveryControlHasItsTextAndAnExplainingTip) {
    std::set<int> ids;
    for (const WhizControl& c : GetExportWhizzerControls()) {
        EXPECT_TRUE(ids.insert(c.id).second) << "id twice: " << c.id;
        EXPECT_GT(std::string(c.tip).size(), 15u) << c.id;
        if (c.kind == WhizControlKind::Picture) EXPECT_TRUE(c.picture >= 131 && c.picture <= 135) << c.id;
        if (c.kind == WhizControlKind::Label && c.id > 0) EXPECT_NE(c.target, 0) << c.id;
    }
    EXPECT_EQ(ids.size(), 43u);  // the 42 numbered controls and the path label
    ExportWhizzerModel m;
    EXPECT_EQ(m.GetText(1096), "Off: Use same directory. ");
    EXPECT_EQ(m.GetText(1084),
              "Export largest zoom, Z buffers, and Alpha channels. Automatically generate smaller "
              "zooms. Good quality.");
    EXPECT_EQ(FindExportWhizzerControl(1074)->picture, 132);
    EXPECT_EQ(FindExportWhizzerControl(1082)->picture, 135);
    EXPECT_EQ(m.GetToolTip(9999), "");
}

}  // namespace
