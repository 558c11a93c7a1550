// The export presets dialog: its controls, tips and pictures, clicks on the real widgets (labels and pictures
// included), the options OK records in the document, the save dialog's directories, and Cancel.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <filesystem>

#include "UiInstallation.h"
#include "app/AppSettings.h"
#include "export/ui/CExportWhizzer.h"
#include "support/RecordingHosts.h"

using namespace ui_test;
using reshaper_test::RecordingProgressHost;
using reshaper_test::RecordingPromptHost;

namespace {

constexpr int kBoxes[] = {1104, 1072, 1073, 1070, 1071, 1091, 1098};
constexpr int kPresets[] = {1060, 1061, 1062, 1063};

class Whizzer : public ::testing::Test {
protected:
    Installation game;
    RecordingPromptHost prompts;
    RecordingProgressHost progress;
    ScopedPromptHost promptHost{&prompts};
    ScopedProgressHost progressHost{&progress};
    std::unique_ptr<CExportWhizzer> dialog;

    void SetUp() override {
        game.Put("Downloads/chair.iff", ObjectFileBytes({{128, "chair"}}));
        game.Scan();
        ASSERT_TRUE(SetGameDirectory(game.dir.Path()));
        dialog = std::make_unique<CExportWhizzer>();
        dialog->SetObjectFile(game.catalog.Find("chair"));
        dialog->show();
    }
    void TearDown() override {
        dialog.reset();
        CExportWhizzer::SetSaveDialog(nullptr);
    }
    bool Checked(int id) { return Control<QAbstractButton>(*dialog, id)->isChecked(); }
    bool Enabled(int id) { return Control<QWidget>(*dialog, id)->isEnabled(); }
    void Click(int id) {
        QWidget* w = Control<QWidget>(*dialog, id);
        ASSERT_TRUE(w->isVisible()) << id;
        QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(4, w->height() / 2));
    }
    int SelectedPreset() {
        int selected = 0;
        for (int id : kPresets)
            if (Checked(id)) {
                EXPECT_EQ(selected, 0) << "two presets selected";
                selected = id;
            }
        return selected;
    }
    // Runs OK with a save dialog that picks out/chair.xml; returns the document's text.
    std::string ExportThroughOk() {
        const std::string out = game.HostPath("out");
        EXPECT_TRUE(reshaper_test::MakeDirectories(out));
        CExportWhizzer::SetSaveDialog([out](const std::string&, const std::string&, std::string& end) {
            end = out;
            return out + "/chair.xml";
        });
        dialog->accept();
        const std::vector<uint8_t> bytes = reshaper_test::ReadFileBytes(out + "/chair.xml");
        EXPECT_FALSE(bytes.empty());
        return std::string(bytes.begin(), bytes.end());
    }
};

bool Has(const std::string& document, const std::string& attribute) {
    return document.find("  " + attribute + "\r\n") != std::string::npos ||
           document.find("  " + attribute + ">") != std::string::npos;
}

TEST_F(Whizzer, OpensWithTheFirstPresetEveryBoxCheckedAndOnlyColoursChanging) {
    EXPECT_EQ(dialog->objectName(), "9056");
    EXPECT_EQ(dialog->windowTitle(), "Export Whizzer");
    EXPECT_EQ(Control<QLineEdit>(*dialog, 1018)->text().toStdString(), dialog->Model().GetObjectFilePath());
    EXPECT_NE(dialog->Model().GetObjectFilePath().find("chair"), std::string::npos);
    EXPECT_EQ(SelectedPreset(), 1060);
    for (int id : kBoxes) EXPECT_TRUE(Checked(id)) << id;

    // "Just Change Colors." is checked: the all-channel presets are off limits and their pictures hidden.
    for (int id : {1061, 1063, 1084, 1086, 1070, 1071, 1087, 1090, 1069, 1098, 1099}) EXPECT_FALSE(Enabled(id)) << id;
    for (int id : {1077, 1078, 1081, 1082}) EXPECT_TRUE(Control<QWidget>(*dialog, id)->isHidden()) << id;
    for (int id : {1060, 1062, 1072, 1073, 1091, 1075}) EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_EQ(Control<QLabel>(*dialog, 1083)->text().toStdString(),
              "Export largest zoom. Automatically generate smaller zooms. Preserve Z buffers and Alpha channels. "
              "Minimum number of files. Good quality.");

    // Every control explains itself, and every picture is the program's own 32 x 32 artwork.
    for (const WhizControl& c : GetExportWhizzerControls()) {
        if (c.id <= 0) continue;
        QWidget* w = Control<QWidget>(*dialog, c.id);
        ASSERT_NE(w, nullptr);
        EXPECT_FALSE(w->toolTip().isEmpty()) << c.id;
        if (c.kind == WhizControlKind::Picture) {
            const QPixmap picture = static_cast<QLabel*>(w)->pixmap();
            EXPECT_EQ(picture.size(), QSize(32, 32)) << c.id;
        }
    }
}

TEST_F(Whizzer, LabelsAndPicturesActOnTheControlsTheyDescribe) {
    Click(1105);  // "Off: Changing sprite shapes."
    EXPECT_FALSE(Checked(1104));
    for (int id : {1077, 1078, 1081, 1082}) EXPECT_FALSE(Control<QWidget>(*dialog, id)->isHidden()) << id;
    EXPECT_EQ(Control<QLabel>(*dialog, 1083)->text().toStdString(),
              "Export largest zoom. Automatically generate smaller zooms, Z buffers and Alpha channels. Minimum "
              "number of files. Lowest quality.");
    EXPECT_TRUE(Enabled(1070));
    EXPECT_TRUE(Enabled(1098));

    Click(1078);  // a picture of "One Zoom, All Channels."
    EXPECT_EQ(SelectedPreset(), 1061);
    EXPECT_FALSE(Enabled(1070));
    EXPECT_FALSE(Enabled(1069));
    EXPECT_TRUE(Enabled(1091));

    Click(1085);  // the description of "All Zooms, One Channel."
    EXPECT_EQ(SelectedPreset(), 1062);
    EXPECT_FALSE(Enabled(1075));
    EXPECT_FALSE(Enabled(1091));
    EXPECT_TRUE(Enabled(1070));

    Click(1094);  // "Off: Big bitmap file size."
    EXPECT_FALSE(Checked(1072));
    Click(1093);
    EXPECT_TRUE(Checked(1072));
    Click(1088);  // "Off: Object in front."
    EXPECT_FALSE(Checked(1070));

    Click(1063);
    EXPECT_EQ(SelectedPreset(), 1063);
    // Checking "Just Change Colors." drops the all-channel preset at once.
    Click(1104);
    EXPECT_TRUE(Checked(1104));
    EXPECT_EQ(SelectedPreset(), 1062);
    EXPECT_FALSE(Enabled(1063));
}

TEST_F(Whizzer, OkRecordsJustChangeColorsWhateverTheBoxesSayAndClosesWithCancel) {
    Click(1105);
    Click(1088);  // far Z off
    Click(1090);  // soft alpha off
    Click(1099);  // smooth edges off
    Click(1106);  // and colours only again: its values win
    const std::string document = ExportThroughOk();
    for (const char* a : {"justchangecolors=\"1\"", "exportallzooms=\"0\"", "exportz=\"0\"", "generatez=\"1\"",
                          "generatezfar=\"1\"", "exporta=\"0\"", "generatea=\"1\"", "generateasoft=\"1\"",
                          "smoothsmallzoomedges=\"1\"", "exportbitmaps=\"0\"", "exportexpanded=\"1\""})
        EXPECT_TRUE(Has(document, a)) << a;
    EXPECT_EQ(dialog->result(), kWhizResultCancel);
    EXPECT_EQ(GameDirectory(), game.HostPath("out"));
    EXPECT_EQ(std::filesystem::current_path().string(), game.dir.Path());
}

TEST_F(Whizzer, DisabledBoxesRecordNothingTheyDoNotMean) {
    Click(1105);
    Click(1084);  // "One Zoom, All Channels." through its description
    ASSERT_TRUE(Checked(1070));
    ASSERT_TRUE(Checked(1071));
    Click(1094);  // plain bitmap files
    Click(1096);  // one directory
    const std::string document = ExportThroughOk();
    for (const char* a : {"justchangecolors=\"0\"", "exportallzooms=\"0\"", "exportz=\"1\"", "generatez=\"0\"",
                          "generatezfar=\"0\"", "exporta=\"1\"", "generatea=\"0\"", "generateasoft=\"0\"",
                          "compressbitmaps=\"0\"", "createsubdirectories=\"0\"", "smoothsmallzoomcolors=\"1\""})
        EXPECT_TRUE(Has(document, a)) << a;
}

TEST_F(Whizzer, DismissedSaveDialogAndCancelWriteNothing) {
    const std::string elsewhere = game.HostPath("Downloads");
    std::string started;
    int asked = 0;
    CExportWhizzer::SetSaveDialog([&](const std::string& start, const std::string& name, std::string& end) {
        ++asked;
        started = start;
        EXPECT_EQ(name, "chair.xml");
        end = elsewhere;
        return std::string();
    });
    dialog->accept();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(started, game.dir.Path());
    EXPECT_EQ(dialog->result(), kWhizResultOk) << "the export was abandoned";
    EXPECT_EQ(GameDirectory(), elsewhere);
    EXPECT_EQ(std::filesystem::current_path().string(), game.dir.Path());
    EXPECT_TRUE(prompts.calls.empty());

    dialog->show();
    Control<QPushButton>(*dialog, 2)->click();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(dialog->result(), kWhizResultCancel);
}

}  // namespace
