// The main window on a small installation: controls and texts, state lines and enabling, the tree, the filter,
// deletion, keyboard and mouse commands, the import hand-off and start-up.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>

#include "QtPrinters.h"
#include "UiInstallation.h"
#include "app/AppSettings.h"
#include "app/ScopedEnv.h"
#include "app/ui/CReshaperDlg.h"
#include "objects/strings/Languages.h"
#include "support/RecordingHosts.h"
#include "tools/ui/ResEditDialog.h"

using namespace ui_test;
using reshaper_test::RecordingPromptHost;

namespace {

std::string CurrentHostDirectory() { return std::filesystem::current_path().string(); }
bool IsHostFile(const std::string& path) { return std::filesystem::is_regular_file(path); }

class MainWindow : public ::testing::Test {
protected:
    Installation game;
    RecordingPromptHost prompts;
    ScopedPromptHost promptHost{&prompts};
    std::unique_ptr<CReshaperDlg> window;

    void Open() {
        game.Scan();
        window = std::make_unique<CReshaperDlg>(game.catalog);
        window->FillList(nullptr);
    }
    void TearDown() override {
        if (ResEditDialog* browser = ResEditDialog::Instance()) delete browser;
        window.reset();
    }
    QListWidget* List() { return Control<QListWidget>(*window, 1001); }
    QTreeWidget* Tree() { return Control<QTreeWidget>(*window, 1048); }
    QPushButton* Button(int id) { return Control<QPushButton>(*window, id); }
    QString Text(int id) { return Control<QLabel>(*window, id)->text(); }
    QStringList ListNames() {
        QStringList names;
        for (int i = 0; i < List()->count(); ++i) names << List()->item(i)->text();
        return names;
    }
    // Enabled states of Clone, Delete, Export, Import, Edit, View.
    std::vector<bool> Enabled() {
        std::vector<bool> out;
        for (int id : {1023, 1029, 1026, 1024, 1025, 1027}) out.push_back(Button(id)->isEnabled());
        return out;
    }
    void Select(const QString& name) {
        auto found = List()->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        List()->setCurrentItem(found.first());
    }
    void PutPlainFiles(const std::vector<std::string>& names) {
        for (const auto& n : names) game.Put("Downloads/" + n + ".iff", ObjectFileBytes({{128, n}}));
    }
};

TEST_F(MainWindow, ControlsCarryTheirIdsAndTexts) {
    CReshaperDlg dialog(game.catalog);
    EXPECT_EQ(dialog.windowTitle(), "The Domizens Reshaper Release 1.3");
    EXPECT_EQ(Control<QPushButton>(dialog, 1028)->text(), "About The Domizens Reshaper...");
    const std::pair<int, const char*> buttons[] = {{1023, "Clone Object File..."},  {1029, "Delete Object File..."},
                                                   {1026, "Export Object File..."}, {1024, "Import Object File..."},
                                                   {1025, "Edit Object..."},        {1027, "View Object..."}};
    for (const auto& [id, text] : buttons) EXPECT_EQ(Control<QPushButton>(dialog, id)->text(), text) << id;
    auto* filter = Control<QComboBox>(dialog, 1098);
    ASSERT_EQ(filter->count(), 2);
    EXPECT_EQ(filter->itemText(0), "All Object Files");
    EXPECT_EQ(filter->itemText(1), "Editable Object Files");
    EXPECT_EQ(filter->currentIndex(), 0);
    EXPECT_EQ(Control<QGroupBox>(dialog, 1039)->title(), "No object file selected");
    // Visible only when start-up never fills the list.
    EXPECT_EQ(Control<QLabel>(dialog, 1040)->text(), "If you see this, the object files can't be found.");
    EXPECT_EQ(Control<QLabel>(dialog, 1041)->text(), "Install Reshaper.exe in \"The Domizens\" directory.");
    EXPECT_NE(dialog.findChild<QObject*>("16"), nullptr) << "the About item of the window menu";
    EXPECT_FALSE(dialog.windowIcon().isNull());
}

TEST_F(MainWindow, StateLinesButtonsAndTreeFollowTheSelectedFile) {
    game.Put("Downloads/sofa.iff", ObjectFileBytes({{100, "sofa left", 7, 0x0000},
                                                    {101, "sofa", 7, -1},
                                                    {102, "sofa right", 7, 0x0001},
                                                    {103, "stray tile", 9, 2},
                                                    {104, "cushion", 0, 5}}));
    game.Put("GameData/Objects/Pack.far", reshaper_test::MakeArchive({{"Lamp.iff", ObjectFileBytes({{128, "Lamp"}})}}));
    Open();
    EXPECT_EQ(ListNames(), (QStringList{"lamp", "sofa"}));

    // The first file (read-only, from the archive) is selected at start.
    EXPECT_EQ(List()->currentRow(), 0);
    EXPECT_EQ(Control<QGroupBox>(*window, 1039)->title(), ".\\gamedata\\objects\\lamp.iff");
    EXPECT_EQ(Text(1040), "The selected file is Read-Only. Clone to modify.");
    EXPECT_EQ(Text(1041), "Total objects in file: 1");
    EXPECT_EQ(Enabled(), (std::vector<bool>{true, false, false, false, true, true}));

    Select("sofa");
    EXPECT_EQ(Control<QGroupBox>(*window, 1039)->title(), ".\\downloads\\sofa.iff");
    EXPECT_EQ(Text(1040), "The selected file is Editable.");
    EXPECT_EQ(Text(1041), "Total objects in file: 5");  // tiles and the stray tile count
    EXPECT_EQ(Enabled(), (std::vector<bool>{true, true, true, true, true, true}));

    // Roots at the top in object order, tiles under their lead, the stray tile nowhere.
    QTreeWidget* tree = Tree();
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "sofa");
    EXPECT_EQ(tree->topLevelItem(1)->text(0), "cushion");
    ASSERT_EQ(tree->topLevelItem(0)->childCount(), 2);
    EXPECT_EQ(tree->topLevelItem(0)->child(0)->text(0), "sofa left");
    EXPECT_EQ(tree->topLevelItem(0)->child(1)->text(0), "sofa right");
    // The first node is selected for Edit and View.
    EXPECT_EQ(tree->currentItem(), tree->topLevelItem(0));
    EXPECT_EQ(window->SelectedRootIndex(), 0);
    tree->setCurrentItem(tree->topLevelItem(0)->child(1));
    EXPECT_EQ(window->SelectedRootIndex(), -1);
    EXPECT_EQ(window->SelectedEntry()->name, "sofa right");
}

TEST_F(MainWindow, AClickOnAFileShowsItsObjects) {
    PutPlainFiles({"alpha", "beta"});
    Open();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QListWidget* list = List();
    QRect row = list->visualItemRect(list->item(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(Control<QGroupBox>(*window, 1039)->title(), ".\\downloads\\beta.iff");
    EXPECT_EQ(Text(1040), "The selected file is Editable.");
    ASSERT_EQ(Tree()->topLevelItemCount(), 1);
    EXPECT_EQ(Tree()->topLevelItem(0)->text(0), "beta");
}

TEST_F(MainWindow, AnEmptyInstallationSelectsNothing) {
    Open();
    EXPECT_EQ(List()->count(), 0);
    EXPECT_EQ(Control<QGroupBox>(*window, 1039)->title(), "");
    EXPECT_EQ(Text(1040), "No object file is selected.");
    EXPECT_EQ(Text(1041), "");
    EXPECT_EQ(Enabled(), std::vector<bool>(6, false));
    // Commands without a file do nothing.
    Button(1029)->click();
    window->OnDelete();
    window->ObjectAction(CReshaperDlg::kActionEdit, Qt::NoModifier);
    EXPECT_TRUE(prompts.calls.empty());
}

TEST_F(MainWindow, TheEditableFilterListsWritableFilesAndSelectsTheFirst) {
    PutPlainFiles({"beta", "delta"});
    game.Put("GameData/Objects/Pack.far", reshaper_test::MakeArchive({{"Alpha.iff", ObjectFileBytes({{128, "A"}})},
                                                                      {"Gamma.iff", ObjectFileBytes({{128, "G"}})}}));
    Open();
    EXPECT_EQ(ListNames(), (QStringList{"alpha", "beta", "delta", "gamma"}));
    Select("delta");
    Control<QComboBox>(*window, 1098)->setCurrentIndex(1);
    EXPECT_EQ(ListNames(), (QStringList{"beta", "delta"}));
    EXPECT_EQ(List()->currentRow(), 0);
    EXPECT_EQ(window->SelectedFile()->displayName, "beta");
    Control<QComboBox>(*window, 1098)->setCurrentIndex(0);
    EXPECT_EQ(List()->count(), 4);
    EXPECT_EQ(List()->currentRow(), 0);
}

TEST_F(MainWindow, DeleteAsksAndOnlyOkDeletes) {
    PutPlainFiles({"apple", "berry", "cherry"});
    game.Put("Downloads/berry.spf", reshaper_test::IFFHeader('2', '5', 0));
    Open();
    Select("berry");

    prompts.answers = {false};
    Button(1029)->click();
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_TRUE(prompts.calls[0].question);
    EXPECT_EQ(prompts.calls[0].title, "Gadzooks!");
    EXPECT_EQ(prompts.calls[0].text,
              "Oh, my! Are you really sure you want to delete the object file \".\\downloads\\berry.iff\"?");
    EXPECT_EQ(prompts.calls[0].kind, MessageKind::Warning);
    EXPECT_EQ(ListNames(), (QStringList{"apple", "berry", "cherry"}));
    EXPECT_TRUE(IsHostFile(game.HostPath("Downloads/berry.iff")));

    // The Delete key asks the same question; OK deletes the file and its companion and selects the next file.
    prompts.answers = {true};
    List()->setFocus();
    QTest::keyClick(List(), Qt::Key_Delete);
    ASSERT_EQ(prompts.calls.size(), 2u);
    EXPECT_EQ(ListNames(), (QStringList{"apple", "cherry"}));
    EXPECT_EQ(window->SelectedFile()->displayName, "cherry");
    EXPECT_FALSE(IsHostFile(game.HostPath("Downloads/berry.iff")));
    EXPECT_FALSE(IsHostFile(game.HostPath("Downloads/berry.spf")));

    // Deleting the last file selects the new last one.
    prompts.answers = {true};
    Button(1029)->click();
    EXPECT_EQ(ListNames(), (QStringList{"apple"}));
    EXPECT_EQ(window->SelectedFile()->displayName, "apple");

    // Deleting the only file leaves nothing selected.
    prompts.answers = {true};
    Button(1029)->click();
    EXPECT_EQ(List()->count(), 0);
    EXPECT_EQ(Text(1040), "No object file is selected.");
    EXPECT_EQ(Enabled(), std::vector<bool>(6, false));
    EXPECT_EQ(game.catalog.Count(), 0u);
}

TEST_F(MainWindow, DeletingWithTheEditableFilterKeepsAnEditableFileSelected) {
    PutPlainFiles({"apple", "cherry"});
    game.Put("GameData/Objects/Pack.far", reshaper_test::MakeArchive({{"Banana.iff", ObjectFileBytes({{1, "B"}})}}));
    Open();
    Control<QComboBox>(*window, 1098)->setCurrentIndex(1);
    // The catalogue's neighbour of "apple" is the read-only "banana", which this list does not show.
    prompts.answers = {true};
    Button(1029)->click();
    EXPECT_EQ(ListNames(), (QStringList{"cherry"}));
    EXPECT_EQ(window->SelectedFile()->displayName, "cherry");
}

TEST_F(MainWindow, ReadOnlyFilesCannotBeDeletedFromTheKeyboard) {
    game.Put("GameData/Objects/Pack.far", reshaper_test::MakeArchive({{"Lamp.iff", ObjectFileBytes({{1, "L"}})}}));
    Open();
    QTest::keyClick(List(), Qt::Key_Delete);
    EXPECT_TRUE(prompts.calls.empty());
}

TEST_F(MainWindow, ExportOpensThePresetsDialogForTheSelectedFile) {
    PutPlainFiles({"chair"});
    Open();
    QString shownPath;
    bool found = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        found = modal && modal->objectName() == "9056";
        if (!found) return;
        shownPath = Control<QLineEdit>(*modal, 1018)->text();
        Control<QPushButton>(*modal, 2)->click();
    });
    Button(1026)->click();
    EXPECT_TRUE(found);
    EXPECT_TRUE(shownPath.contains("chair")) << shownPath.toStdString();
    EXPECT_TRUE(prompts.calls.empty());
    EXPECT_EQ(window->SelectedFile()->displayName, "chair");
    EXPECT_EQ(Tree()->topLevelItemCount(), 1);
}

TEST_F(MainWindow, ImportAsksForADocumentAndRestoresTheDirectory) {
    PutPlainFiles({"chair"});
    Open();
    ASSERT_TRUE(SetGameDirectory(game.dir.Path()));
    ASSERT_TRUE(reshaper_test::MakeDirectories(game.HostPath("docs")));
    const std::string before = CurrentHostDirectory();

    QString proposed;
    std::string seenDirectory;
    CReshaperDlg::SetOpenFileChooser([&](QWidget*, const QString& name) {
        proposed = name;
        seenDirectory = CurrentHostDirectory();
        return QString();
    });
    Button(1024)->click();
    EXPECT_EQ(proposed, "chair.xml");
    EXPECT_EQ(seenDirectory, game.dir.Path());
    EXPECT_EQ(CurrentHostDirectory(), before);
    EXPECT_TRUE(prompts.calls.empty()) << "a cancelled dialog does nothing more";

    // A chosen document: its directory becomes the game directory and is current during the hand-off.
    const std::string docs = game.HostPath("docs");
    CReshaperDlg::SetOpenFileChooser([&](QWidget*, const QString&) { return QString::fromStdString(docs + "/a.xml"); });
    std::string handedDirectory, handedName, currentDuring;
    CReshaperDlg::SetImportHandler([&](ObjectFile& file, const std::string& directory, const std::string& name) {
        EXPECT_EQ(file.displayName, "chair");
        handedDirectory = directory;
        handedName = name;
        currentDuring = CurrentHostDirectory();
    });
    Button(1024)->click();
    EXPECT_EQ(handedDirectory, docs);
    EXPECT_EQ(handedName, "a.xml");
    EXPECT_EQ(currentDuring, docs);
    EXPECT_EQ(GameDirectory(), docs);
    EXPECT_EQ(CurrentHostDirectory(), before);

    // The real import: a document that is not there is reported, and the file stays as it was.
    CReshaperDlg::SetImportHandler(nullptr);
    Button(1024)->click();
    ASSERT_EQ(prompts.CountMessages(), 1u);
    EXPECT_NE(prompts.calls[0].text.find("Can't open input file!"), std::string::npos) << prompts.calls[0].text;
    EXPECT_EQ(CurrentHostDirectory(), before);
    CReshaperDlg::SetOpenFileChooser(nullptr);
}

TEST_F(MainWindow, DoubleClicksWithModifiersOpenTheBrowser) {
    PutPlainFiles({"apple", "berry"});
    Open();
    Select("berry");
    const QRect row = List()->visualItemRect(List()->currentItem());
    ASSERT_EQ(ResEditDialog::Instance(), nullptr);

    // Ctrl, as a mouse makes the double-click (press, release, double-click, release): the first Ctrl+click
    // must not deselect the row, and the browser opens on that file.
    QWidget* viewport = List()->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, Qt::ControlModifier, row.center());
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::ControlModifier, row.center());
    QTest::mouseDClick(viewport, Qt::LeftButton, Qt::ControlModifier, row.center());
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::ControlModifier, row.center());
    EXPECT_EQ(Text(1040), "The selected file is Editable.");
    EXPECT_TRUE(Button(1026)->isEnabled());
    ResEditDialog* browser = ResEditDialog::Instance();
    ASSERT_NE(browser, nullptr);
    auto* rows = browser->findChild<QTreeWidget*>("1049");
    ASSERT_NE(rows, nullptr);
    ASSERT_EQ(rows->selectedItems().size(), 1);
    EXPECT_EQ(rows->selectedItems().first()->text(0), "berry");

    // Shift on the file list: the browser (the same window) on the selected file.
    Select("apple");
    QTest::mouseDClick(viewport, Qt::LeftButton, Qt::ShiftModifier, List()->visualItemRect(List()->currentItem()).center());
    EXPECT_EQ(ResEditDialog::Instance(), browser);
    ASSERT_EQ(rows->selectedItems().size(), 1);
    EXPECT_EQ(rows->selectedItems().first()->text(0), "apple");
    EXPECT_TRUE(prompts.calls.empty());

    // Deleting a file the browser lists takes its row away.
    prompts.answers = {true};
    Button(1029)->click();
    EXPECT_EQ(rows->findItems("apple", Qt::MatchExactly).size(), 0);
    EXPECT_EQ(rows->findItems("berry", Qt::MatchExactly).size(), 1);
}

TEST_F(MainWindow, EightBitObjectNamesShowAsTheirCharactersAndFileNamesAsUtf8) {
    game.Put("Downloads/Caf\xC3\xA9.iff", ObjectFileBytes({{128, "Caf\xE9 \x92"}}));
    Open();
    EXPECT_EQ(ListNames(), (QStringList{QString::fromUtf8("caf\u00e9")}));
    EXPECT_EQ(Control<QGroupBox>(*window, 1039)->title(), QString::fromUtf8(".\\downloads\\caf\u00e9.iff"));
    ASSERT_EQ(Tree()->topLevelItemCount(), 1);
    EXPECT_EQ(Tree()->topLevelItem(0)->text(0), QString::fromUtf8("Caf\u00e9 \u2019"));
}

TEST_F(MainWindow, RightDoubleClickAndModifiersOpenTheViewer) {
    PutPlainFiles({"chair"});
    Open();
    const QPoint node = Tree()->visualItemRect(Tree()->topLevelItem(0)).center();
    int viewers = 0;
    auto closeViewer = [&] {
        QTimer::singleShot(0, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                if (modal->objectName() == "9053") ++viewers;
                modal->close();
            }
        });
    };
    closeViewer();
    QTest::mouseDClick(Tree()->viewport(), Qt::RightButton, Qt::NoModifier, node);
    closeViewer();
    QTest::mouseDClick(Tree()->viewport(), Qt::LeftButton, Qt::ControlModifier, node);
    closeViewer();
    QTest::mouseDClick(Tree()->viewport(), Qt::LeftButton, Qt::AltModifier, node);
    closeViewer();
    Button(1027)->click();
    EXPECT_EQ(viewers, 4);
    EXPECT_TRUE(prompts.calls.empty());
}

TEST_F(MainWindow, TheAboutCaptionBlinksWhenTheGameIsMissing) {
    Open();
    EXPECT_FALSE(window->IsBlinking());
    window->StartBlinking();
    auto* about = Button(1028);
    QTRY_COMPARE_WITH_TIMEOUT(about->text(), QString("12:00"), 2000);
    QTRY_COMPARE_WITH_TIMEOUT(about->text(), QString("About The Domizens Reshaper..."), 2000);
}

TEST(MainWindowStartUp, RunsTheStartUpSequenceOnTheStoredInstallation) {
    Installation game;
    game.Put("Downloads/Chair.iff", ObjectFileBytes({{128, "Chair"}}));
    game.Put("GameData/Objects/People/Bones.iff", ObjectFileBytes({{128, "bones"}}));
    game.Put("ExpansionPack/Table.iff", ObjectFileBytes({{128, "Table"}}));
    reshaper_test::TempDir start;
    ASSERT_TRUE(reshaper_test::WriteFileText(
        start.Join("s.ini"),
        "[Software\\Vexel\\The Domizens]\nInstallPath=" + game.dir.Path() + "\nDOMIZENS_LANGUAGE=French\n"));
    reshaper_test::ScopedEnv env("RESHAPER_SETTINGS", start.Join("s.ini"));
    reshaper_test::ScopedCurrentDirectory cd(start.Path());
    CTGFileManager::Instance().Reset();

    CReshaperDlg window(game.catalog);
    StartupResult result = window.StartUp();
    EXPECT_TRUE(result.installPathApplied);
    EXPECT_FALSE(result.gameFilesFound);
    EXPECT_TRUE(window.IsBlinking());
    auto* list = Control<QListWidget>(window, 1001);
    ASSERT_EQ(list->count(), 2);  // the internal "bones" is not listed
    EXPECT_EQ(list->item(0)->text(), "chair");
    EXPECT_EQ(list->item(1)->text(), "table");
    EXPECT_EQ(Control<QLabel>(window, 1040)->text(), "The selected file is Editable.");
    EXPECT_EQ(GameDirectory(), game.dir.Path());
    SetGameLanguage(1);
}

}  // namespace
