// The clone dialog: default name, status lines and OK's state, the magic cookie, cloning through OK, a failed
// clone, cancelling, and the main window's hand-over to it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "UiInstallation.h"
#include "app/AppSettings.h"
#include "app/ui/CReshaperDlg.h"
#include "clone/ui/CCloneObjectDialog.h"
#include "support/RecordingHosts.h"

using namespace ui_test;
using reshaper_test::RecordingProgressHost;
using reshaper_test::RecordingPromptHost;

namespace {

// A sofa of two tiles, a lamp and a rug.
std::vector<uint8_t> ShowroomFile() {
    return ObjectFileBytes({{128, "lamp"}, {200, "sofa", 7, -1}, {201, "sofa left", 7, 0}, {202, "sofa right", 7, 1},
                            {300, "rug"}});
}

size_t CountFiles(const std::string& directory) {
    if (!std::filesystem::is_directory(directory)) return 0;
    size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(directory)) ++n;
    return n;
}

class CloneDialog : public ::testing::Test {
protected:
    Installation game;
    RecordingPromptHost prompts;
    RecordingProgressHost progress;
    ScopedPromptHost promptHost{&prompts};
    ScopedProgressHost progressHost{&progress};
    int32_t savedCookie = MagicCookie();
    std::unique_ptr<CCloneObjectDialog> dialog;

    void SetUp() override {
        game.Put("Downloads/showroom.iff", ShowroomFile());
        game.Put("Downloads/chair000041.iff", ObjectFileBytes({{128, "chair"}}));
        game.Put("Downloads/chair000042.iff", ObjectFileBytes({{128, "chair"}}));
        game.Scan();
    }
    void TearDown() override {
        dialog.reset();
        SetMagicCookie(savedCookie);
    }
    ObjectFile* File(const std::string& name) { return game.catalog.Find(name); }
    void Open(const std::string& file, int selectedRoot) {
        dialog = std::make_unique<CCloneObjectDialog>(game.catalog, *File(file), selectedRoot);
        dialog->show();
    }
    template <class T>
    T* C(int id) {
        return Control<T>(*dialog, id);
    }
    QString Status(int id) { return C<QLabel>(id)->text(); }
    std::vector<bool> Selection() { return dialog->Settings().selectedRoots; }
    std::string CloneDirectoryPath() { return game.HostPath("Downloads/Reshaped"); }
};

TEST_F(CloneDialog, OpensWithAUniqueDefaultNameTheRootsAndTheCookie) {
    SetMagicCookie(4660);
    Open("showroom", 1);
    EXPECT_EQ(dialog->windowTitle(), "Clone Object File");
    const QString name = C<QLineEdit>(1012)->text();
    ASSERT_EQ(name.size(), 8 + 6) << name.toStdString();
    EXPECT_TRUE(name.startsWith("showroom"));
    EXPECT_EQ(Status(1050), "Unique file name.");
    EXPECT_EQ(C<QLineEdit>(1109)->text(), "4660");
    // The roots only, tiles left to their lead; the main window's selected root is preselected.
    auto* roots = C<QListWidget>(1014);
    ASSERT_EQ(roots->count(), 3);
    EXPECT_EQ(roots->item(1)->text(), "sofa");
    EXPECT_EQ(Selection(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(Status(1052), "Select one or more objects.");
    EXPECT_TRUE(C<QPushButton>(1)->isEnabled());
    EXPECT_EQ(C<QPushButton>(5)->text(), "Get Magic Cookie");

    // A name ending in exactly six digits proposes the next free number.
    dialog.reset();
    Open("chair000041", -1);
    EXPECT_EQ(C<QLineEdit>(1012)->text(), "chair000043");
    EXPECT_EQ(Selection(), (std::vector<bool>{false}));
    EXPECT_EQ(Status(1052), "Please select at least one object!");
    EXPECT_FALSE(C<QPushButton>(1)->isEnabled());
}

TEST_F(CloneDialog, StatusFollowsTheNameAndTheSelection) {
    Open("showroom", 0);
    C<QPushButton>(4)->click();
    EXPECT_EQ(Selection(), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(Status(1052), "Please select at least one object!");
    EXPECT_FALSE(C<QPushButton>(1)->isEnabled());
    C<QPushButton>(3)->click();
    EXPECT_EQ(Selection(), (std::vector<bool>{true, true, true}));
    EXPECT_TRUE(C<QPushButton>(1)->isEnabled());

    // Punctuation and spaces go before the name is checked: "chair 000-041" is the taken "chair000041".
    C<QLineEdit>(1012)->setText("chair 000-041");
    EXPECT_EQ(Status(1050), "Please enter a unique file name!");
    EXPECT_FALSE(C<QPushButton>(1)->isEnabled());
    C<QLineEdit>(1012)->setText("my sofa!");
    EXPECT_EQ(Status(1050), "Unique file name.");
    EXPECT_TRUE(C<QPushButton>(1)->isEnabled());
    // Display names are compared exactly, so another letter case is unique.
    C<QLineEdit>(1012)->setText("Showroom");
    EXPECT_EQ(Status(1050), "Unique file name.");

    // Each click toggles its line.
    auto* roots = C<QListWidget>(1014);
    QTest::mouseClick(roots->viewport(), Qt::LeftButton, Qt::NoModifier, roots->visualItemRect(roots->item(1)).center());
    EXPECT_EQ(Selection(), (std::vector<bool>{true, false, true}));
}

TEST_F(CloneDialog, TheCookieIsStoredWhenItsFieldIsLeftEvenIfCancelled) {
    SetMagicCookie(1);
    Open("showroom", 0);
    auto* cookie = C<QLineEdit>(1109);
    cookie->setText("74565");
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(cookie, &out);
    EXPECT_EQ(MagicCookie(), 74565);
    // Only digits can be typed.
    cookie->clear();
    QTest::keyClicks(cookie, "12ab3");
    EXPECT_EQ(cookie->text(), "123");
    C<QPushButton>(2)->click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    // Cancelling leaves no file behind.
    EXPECT_EQ(CountFiles(CloneDirectoryPath()), 0u);
    EXPECT_EQ(game.catalog.Count(), 3u);
}

TEST_F(CloneDialog, OkClonesTheSelectedObjectsIntoTheCatalogue) {
    Open("showroom", 1);
    C<QLineEdit>(1012)->setText("new sofa");
    C<QLineEdit>(1109)->setText("74565");  // 0x12345
    C<QPushButton>(1)->click();
    ASSERT_EQ(dialog->result(), QDialog::Accepted) << (prompts.calls.empty() ? "" : prompts.calls[0].text);
    EXPECT_EQ(MagicCookie(), 74565);
    const CloneOutcome& outcome = dialog->Outcome();
    ASSERT_TRUE(outcome.ok);
    ASSERT_NE(outcome.file, nullptr);
    EXPECT_EQ(outcome.path, ".\\Downloads\\Reshaped\\newsofa.iff");
    EXPECT_EQ(outcome.file->displayName, "newsofa");
    EXPECT_EQ(game.catalog.GetCurrentFile(), outcome.file);
    EXPECT_EQ(game.catalog.Count(), 4u);
    // The lead brought its tiles; each has a fresh GUID with the cookie's low 16 bits in its middle.
    ASSERT_EQ(outcome.file->objects.size(), 3u);
    for (const auto& o : outcome.file->objects) {
        EXPECT_EQ((o->definition.guid >> 8) & 0xFFFF, 0x2345u) << o->name;
        EXPECT_EQ(o->definition.originalguid, 0x1000u + static_cast<uint32_t>(o->id)) << o->name;
    }
    EXPECT_TRUE(std::filesystem::is_regular_file(game.HostPath("Downloads/Reshaped/newsofa.iff")));
    EXPECT_NE(progress.Text().find("Reshaper Successfully Finished Cloning!\r\n"), std::string::npos);
    EXPECT_EQ(progress.calls.back().kind, reshaper_test::ProgressCall::End);
    EXPECT_TRUE(prompts.calls.empty());
}

TEST_F(CloneDialog, AFailedCloneShowsTheCreateErrorAndLeavesTheCatalogueAlone) {
    // A file of the clone directory that is not in the catalogue, under a name the dialog takes as unique.
    ASSERT_TRUE(reshaper_test::MakeDirectories(CloneDirectoryPath()));
    ASSERT_TRUE(reshaper_test::WriteFileBytes(game.HostPath("Downloads/Reshaped/taken.iff"), {1, 2, 3}));
    Open("showroom", 0);
    C<QLineEdit>(1012)->setText("taken");
    ASSERT_TRUE(C<QPushButton>(1)->isEnabled());
    C<QPushButton>(1)->click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->Outcome().ok);
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0].title, "Error Cloning Object!");
    EXPECT_EQ(prompts.calls[0].text.rfind("Error cloning object: Could not create the new object object file named", 0),
              0u)
        << prompts.calls[0].text;
    EXPECT_EQ(game.catalog.Count(), 3u);
    // The file that was there is untouched.
    EXPECT_EQ(std::filesystem::file_size(game.HostPath("Downloads/Reshaped/taken.iff")), 3u);
}

TEST_F(CloneDialog, TheMainWindowSelectsTheCloneAfterwards) {
    CReshaperDlg window(game.catalog);
    window.FillList(File("showroom"));
    // The dialog runs modally: answer it as soon as it shows.
    QString shownTitle;
    QTimer::singleShot(0, [&] {
        auto* open = qobject_cast<CCloneObjectDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(open, nullptr);
        shownTitle = open->windowTitle();
        Control<QLineEdit>(*open, 1012)->setText("copy");
        Control<QPushButton>(*open, 1)->click();
    });
    Control<QPushButton>(window, 1023)->click();
    EXPECT_EQ(shownTitle, "Clone Object File");
    ASSERT_NE(window.SelectedFile(), nullptr);
    EXPECT_EQ(window.SelectedFile()->displayName, "copy");

    // Cancelled: the window stays on the file it showed.
    window.FillList(File("showroom"));
    QTimer::singleShot(0, [] {
        if (auto* open = qobject_cast<CCloneObjectDialog*>(QApplication::activeModalWidget())) open->reject();
    });
    Control<QPushButton>(window, 1023)->click();
    EXPECT_EQ(window.SelectedFile()->displayName, "showroom");
    EXPECT_EQ(game.catalog.Count(), 4u);
}

}  // namespace
