// The workbench from end to end on the sample installation, as a modder works: clone a file through the clone
// dialog (with a new magic cookie), export the original through the presets dialog into a document and directory
// with non-ASCII names, edit the document, import it into the clone through the main window (saying OK to the
// question about the other file's document).
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
    options.directory = dir.Join("Jeu \xC3\xA9t\xC3\xA9");  // "Jeu été"
    const SampleGameResult sample = WriteSampleGame(options);
    ASSERT_TRUE(sample.ok) << sample.error;
    reshaper_test::ScopedCurrentDirectory cd(dir.Path());
    // Relative to where the program starts; start-up then moves to the installation.
    reshaper_test::ScopedEnv env("RESHAPER_SETTINGS", "Jeu \xC3\xA9t\xC3\xA9/reshaper.ini");
    const std::string docs = dir.Join("Dossier \xC3\xA9t\xC3\xA9");
    ASSERT_TRUE(reshaper_test::MakeDirectories(docs));
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
            Control<QLineEdit>(*open, 1109)->setText("4711");
            Control<QPushButton>(*open, 3)->click();  // every object
            Control<QPushButton>(*open, 1)->click();
        });
        Control<QPushButton>(window, 1023)->click();
        ASSERT_NE(window.SelectedFile(), nullptr);
        ASSERT_EQ(window.SelectedFile()->displayName, "armtwin");
        // The cookie went into the settings file the program read.
        EXPECT_NE(reshaper_test::ReadFileText(sample.settingsPath).find("RESHAPER_MAGIC_COOKIE=4711\n"),
                  std::string::npos);

        // Export the original with all zooms and all channels.
        const std::string document = docs + "/Fauteuil \xC3\xA9t\xC3\xA9.xml";
        CExportWhizzer::SetSaveDialog([&](const std::string&, const std::string& name, std::string& end) {
            EXPECT_EQ(name, "armchair.xml");
            end = docs;
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
        // The BMP files lie under the document's own name, and the document names them so.
        std::string text = reshaper_test::ReadFileText(document);
        EXPECT_NE(text.find("filename=\"Fauteuil \xC3\xA9t\xC3\xA9_sprites\\sprite0256\\"), std::string::npos);
        EXPECT_FALSE(reshaper_test::ReadFileBytes(docs + "/Fauteuil \xC3\xA9t\xC3\xA9_sprites/sprite0256/"
                                                         "Armchair---body_large_nw_p.bmp")
                         .empty());
        // Edited by hand: the object's name gets a typographic apostrophe.
        const std::string from = "name=\"Armchair\"";
        ASSERT_NE(text.find(from), std::string::npos);
        text.replace(text.find(from), from.size(), "name=\"Armchair\xE2\x80\x99s\"");
        ASSERT_TRUE(reshaper_test::WriteFileText(document, text));

        // Import it into the clone.
        select("armtwin");
        CReshaperDlg::SetOpenFileChooser([&](QWidget*, const QString& proposed) {
            EXPECT_EQ(proposed, "armtwin.xml");
            return QString::fromUtf8(document.c_str());
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
        auto* tree = Control<QTreeWidget>(window, 1048);
        EXPECT_EQ(tree->topLevelItemCount(), static_cast<int>(twin->roots.size()));
        ASSERT_EQ(twin->objects.size(), 1u);
        EXPECT_EQ(twin->objects[0]->name, "Armchair\x92s");  // the 8-bit form in the file
        EXPECT_EQ(tree->topLevelItem(0)->text(0), QString::fromUtf8("Armchair\u2019s"));
    }
    catalog.Clear();
    CTGFileManager::Instance().Reset();
}

}  // namespace
