// The workbench from end to end on the sample installation, as a modder works: clone a file through the clone
// dialog, export the original through the presets dialog, import the document into the clone through the main
// window (saying OK to the question about the other file's document).
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <set>

#include "../app/ScopedEnv.h"
#include "QtPrinters.h"
#include "UiInstallation.h"
#include "app/ObjectCatalog.h"
#include "app/ui/CReshaperDlg.h"
#include "export/ui/CExportWhizzer.h"
#include "sample/SampleGame.h"
#include "support/RecordingHosts.h"

using namespace ui_test;
using reshaper_test::RecordingProgressHost;
using reshaper_test::RecordingPromptHost;

namespace {

std::set<ResID> SpriteIds(const ObjectFile& file) {
    std::set<ResID> ids;
    for (const SpriteEntry& s : file.sprites) ids.insert(s.id);
    return ids;
}

TEST(Workbench, CloneExportAndImportThroughTheWindows) {
    reshaper_test::TempDir dir("reshaper-ui-sample-");
    SampleGameOptions options;
    options.directory = dir.Join("Game");
    const SampleGameResult sample = WriteSampleGame(options);
    ASSERT_TRUE(sample.ok) << sample.error;
    reshaper_test::ScopedEnv env("RESHAPER_SETTINGS", sample.settingsPath);
    reshaper_test::ScopedCurrentDirectory cd(dir.Path());
    ASSERT_TRUE(reshaper_test::MakeDirectories(dir.Join("docs")));
    CTGFileManager::Instance().Reset();
    RecordingPromptHost prompts;
    RecordingProgressHost progress;
    ScopedPromptHost promptHost(&prompts);
    ScopedProgressHost progressHost(&progress);

    ObjectCatalog catalog;
    {
        CReshaperDlg window(catalog);
        window.StartUp();
        auto* list = Control<QListWidget>(window, 1001);
        auto select = [&](const char* name) {
            auto found = list->findItems(name, Qt::MatchExactly);
            ASSERT_EQ(found.size(), 1) << name;
            list->setCurrentItem(found.first());
        };

        select("armchair");
        QTimer::singleShot(0, [] {
            QWidget* open = QApplication::activeModalWidget();
            ASSERT_NE(open, nullptr);
            Control<QLineEdit>(*open, 1012)->setText("armtwin");
            Control<QPushButton>(*open, 3)->click();  // every object
            Control<QPushButton>(*open, 1)->click();
        });
        Control<QPushButton>(window, 1023)->click();
        ASSERT_NE(window.SelectedFile(), nullptr);
        ASSERT_EQ(window.SelectedFile()->displayName, "armtwin");

        // Export the original with all zooms and all channels.
        const std::string document = dir.Join("docs/armchair.xml");
        CExportWhizzer::SetSaveDialog([&](const std::string&, const std::string& name, std::string& end) {
            EXPECT_EQ(name, "armchair.xml");
            end = dir.Join("docs");
            return document;
        });
        select("armchair");
        QTimer::singleShot(0, [] {
            auto* open = qobject_cast<CExportWhizzer*>(QApplication::activeModalWidget());
            ASSERT_NE(open, nullptr);
            open->ClickControl(1105);
            open->ClickControl(1063);
            Control<QPushButton>(*open, 1)->click();
        });
        Control<QPushButton>(window, 1026)->click();
        CExportWhizzer::SetSaveDialog(nullptr);
        EXPECT_TRUE(prompts.calls.empty()) << prompts.calls[0].text;
        ASSERT_FALSE(reshaper_test::ReadFileBytes(document).empty());

        // Import it into the clone.
        select("armtwin");
        CReshaperDlg::SetOpenFileChooser([&](QWidget*, const QString& proposed) {
            EXPECT_EQ(proposed, "armtwin.xml");
            return QString::fromStdString(document);
        });
        prompts.answers = {true};
        Control<QPushButton>(window, 1024)->click();
        CReshaperDlg::SetOpenFileChooser(nullptr);
        ASSERT_EQ(prompts.CountQuestions(), 1u);
        EXPECT_EQ(prompts.CountMessages(), 0u) << prompts.calls.back().text;
        EXPECT_NE(progress.Text().find("Reshaper Successfulluy Finished Importing!"), std::string::npos);

        ObjectFile* twin = catalog.Find("armtwin");
        ObjectFile* original = catalog.Find("armchair");
        ASSERT_TRUE(twin && original);
        LoadObjectFile(*twin, true);
        LoadObjectFile(*original, true);
        EXPECT_EQ(SpriteIds(*twin), SpriteIds(*original));
        EXPECT_EQ(twin->drawGroups.size(), original->drawGroups.size());
        EXPECT_EQ(Control<QTreeWidget>(window, 1048)->topLevelItemCount(), static_cast<int>(twin->roots.size()));
    }
    catalog.Clear();
    CTGFileManager::Instance().Reset();
}

}  // namespace
