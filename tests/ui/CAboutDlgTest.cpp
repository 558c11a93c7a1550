// The About box and its web page buttons, and the splash window's life: its timer, and input that ends it early
// without reaching the program's windows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "QtPrinters.h"
#include "app/WebPage.h"
#include "app/ui/CAboutDlg.h"
#include "app/ui/CSplashWnd.h"
#include "support/TempDir.h"

namespace {

TEST(AboutBox, ShowsTheVersionAndOpensEachWebPageThroughAShortcutFile) {
    reshaper_test::TempDir dir;
    reshaper_test::ScopedCurrentDirectory cd(dir.Path());
    std::vector<std::string> launched;
    WebPageLauncher previous = SetWebPageLauncher([&](const std::string& path) { launched.push_back(path); });

    CAboutDlg about;
    EXPECT_EQ(about.windowTitle(), "About The Domizens Reshaper");
    EXPECT_EQ(about.findChild<QLabel*>("1121")->text(), "The Domizens Reshaper Release 1.3");
    const std::tuple<int, const char*, const char*> buttons[] = {
        {1108, "Visit the Reshaper Home Page", "The Domizens Reshaper Home Page"},
        {1106, "Read the Online Documentation", "The Domizens Reshaper Online Documentation"},
        {1105, "Download the Latest Version", "The Domizens Reshaper Download Page"},
        {1109, "Get your own Magic Cookie", "The Domizens Reshaper Magic Cookie Registry"},
        {1110, "Report Bugs and Request Features", "The Domizens Reshaper Bug Reports and Feature Requests"}};
    for (const auto& [id, caption, title] : buttons) {
        auto* button = about.findChild<QPushButton*>(QString::number(id));
        ASSERT_NE(button, nullptr) << id;
        EXPECT_EQ(button->text(), caption);
        button->click();
        ASSERT_FALSE(launched.empty());
        EXPECT_EQ(launched.back(), dir.Join(std::string(title) + ".url"));
        const auto bytes = reshaper_test::ReadFileBytes(dir.Join(std::string(title) + ".url"));
        EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 20), "[InternetShortcut]\r\n");
    }
    // A second press writes the same file again.
    about.findChild<QPushButton*>("1108")->click();
    EXPECT_EQ(launched.size(), 6u);
    EXPECT_EQ(launched[5], launched[0]);
    EXPECT_EQ(about.findChild<QPushButton*>("1")->text(), "OK");
    SetWebPageLauncher(previous);
}

TEST(SplashWindow, AKeyEndsItWithoutReachingTheProgram) {
    QLineEdit edit;
    edit.show();
    edit.setFocus();
    CSplashWnd* splash = CSplashWnd::ShowSplashScreen(true);
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(splash->size(), QSize(288, 212));
    EXPECT_EQ(CSplashWnd::ShowSplashScreen(true), nullptr) << "only one splash";
    QPointer<CSplashWnd> guard(splash);
    QTest::keyClick(&edit, Qt::Key_A);
    EXPECT_EQ(edit.text(), "") << "the key was the splash's";
    QTRY_VERIFY(guard.isNull());
    QTest::keyClick(&edit, Qt::Key_B);
    EXPECT_EQ(edit.text(), "b");
}

TEST(SplashWindow, GoesAwayAfter750MillisecondsOrIsNeverShown) {
    EXPECT_EQ(CSplashWnd::ShowSplashScreen(false), nullptr);
    QPointer<CSplashWnd> splash(CSplashWnd::ShowSplashScreen(true));
    ASSERT_FALSE(splash.isNull());
    QTest::qWait(300);
    EXPECT_FALSE(splash.isNull());
    QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), 2000);
    EXPECT_EQ(CSplashWnd::Current(), nullptr);
}

}  // namespace
