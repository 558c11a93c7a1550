// The resource browser over the open object files: rows, columns and sorting, the summary line, the tree by
// type, the splitter's limits, the views it opens, and where tool windows are placed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeWidget>

#include "UiInstallation.h"
#include "objects/strings/StringSet.h"
#include "tools/ui/HexResourceEditor.h"
#include "tools/ui/ResEditDialog.h"
#include "tools/ui/StringResourceEditor.h"
#include "tools/ui/ToolWindowPlacement.h"

using namespace ui_test;

namespace {

std::vector<uint8_t> StringSetBytes(const std::vector<std::string>& strings) {
    StringSet set;
    for (size_t i = 0; i < strings.size(); ++i) set.Set(static_cast<int>(i) + 1, strings[i], 0);
    std::vector<uint8_t> out;
    EXPECT_EQ(set.SerializeData(out), 0);
    return out;
}

class Browser : public ::testing::Test {
protected:
    Installation game;

    void SetUp() override {
        game.Put("Downloads/chair.iff",
                 ObjectFileBytes({{128, "Chair"}, {129, "Chair two"}},
                                 {{kTypeSTRList, 200, "names", StringSetBytes({"first", "second"})},
                                  {MakeResType("BHAV"), 4096, "main", std::vector<uint8_t>(9, 0x41)},
                                  {MakeResType("BMP_"), 1, "empty", {}},
                                  {MakeResType("ctxt"), 1, "", {1, 2}}}));
        std::vector<Res> many;
        for (int i = 0; i < 10; ++i) many.push_back({kTypeBHAV, static_cast<ResID>(4096 + i), "b", {0}});
        game.Put("Downloads/apple.iff", ObjectFileBytes({{128, "Apple"}}, many));
        game.Put("GameData/Objects/Pack.far",
                 reshaper_test::MakeArchive({{"Lamp.iff", ObjectFileBytes({{128, "Lamp"}})}}));
        game.Scan();
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->inherits("QDialog")) delete w;
    }
    iResFile* FileOf(const std::string& name) { return game.catalog.Find(name)->file.get(); }
    static QStringList Column(QTreeWidget* list, int column) {
        QStringList texts;
        for (int i = 0; i < list->topLevelItemCount(); ++i) texts << list->topLevelItem(i)->text(column);
        return texts;
    }
};

TEST_F(Browser, ListsTheOpenObjectFilesWithTheirColumns) {
    ResEditDialog* browser = ResEditDialog::OpenOn(FileOf("chair"));
    EXPECT_EQ(browser->windowTitle(), "Resource Editor");
    EXPECT_EQ(browser->objectName(), "9048");
    auto* list = Control<QTreeWidget>(*browser, 1049);
    ASSERT_EQ(list->columnCount(), 5);
    const char* headers[] = {"Name", "Class", "Mode", "Count", "Path"};
    const int widths[] = {150, 100, 75, 50, 500};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(list->headerItem()->text(c), headers[c]);
        EXPECT_EQ(list->columnWidth(c), widths[c]);
    }
    EXPECT_EQ(list->height(), 200);

    // Every open object file of the process, each once; the archive member is read-only.
    ASSERT_EQ(list->topLevelItemCount(), 3);
    list->sortItems(0, Qt::AscendingOrder);
    EXPECT_EQ(Column(list, 0), (QStringList{"apple", "chair", "lamp"}));
    EXPECT_EQ(Column(list, 1), (QStringList{"ObjResFile", "ObjResFile", "ObjResFile"}));
    EXPECT_EQ(Column(list, 2), (QStringList{"writable", "writable", "read-only"}));
    EXPECT_EQ(Column(list, 3), (QStringList{"11", "6", "1"}));
    EXPECT_EQ(Column(list, 4),
              (QStringList{".\\downloads\\apple", ".\\downloads\\chair", ".\\gamedata\\objects\\lamp"}));

    // A header click sorts ascending: counts as numbers, so 11 comes after 6.
    QTest::mouseClick(list->header()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(list->header()->sectionViewportPosition(3) + 5, 5));
    EXPECT_EQ(Column(list, 3), (QStringList{"1", "6", "11"}));
    QTest::mouseClick(list->header()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(list->header()->sectionViewportPosition(3) + 5, 5));
    EXPECT_EQ(Column(list, 3), (QStringList{"1", "6", "11"})) << "always ascending";
    browser->SortByColumn(2);
    EXPECT_EQ(Column(list, 2).first(), "read-only");
}

TEST_F(Browser, TheSelectedFileShowsItsSummaryAndItsResourcesByType) {
    ResEditDialog* browser = ResEditDialog::OpenOn(FileOf("chair"));
    auto* list = Control<QTreeWidget>(*browser, 1049);
    ASSERT_EQ(list->selectedItems().size(), 1);
    EXPECT_EQ(list->selectedItems().first()->text(0), "chair");
    EXPECT_EQ(Control<QLabel>(*browser, 1139)->text(), "chair ObjResFile writable count 6");

    auto* tree = Control<QTreeWidget>(*browser, 1137);
    // Type nodes in alphabetical order, letter case aside.
    EXPECT_EQ(Column(tree, 0), (QStringList{"BHAV [1]", "BMP_ [1]", "ctxt [1]", "OBJD [2]", "STR# [1]"}));
    QTreeWidgetItem* objd = tree->topLevelItem(3);
    ASSERT_EQ(objd->childCount(), 2);
    EXPECT_EQ(objd->child(0)->text(0), "#128: \"Chair\" size 216");
    EXPECT_EQ(objd->child(1)->text(0), "#129: \"Chair two\" size 216");
    EXPECT_EQ(tree->topLevelItem(1)->child(0)->text(0), "#1: \"empty\" size 0");

    // The same single browser, opened on a file it does not list: no row, an empty tree and summary.
    ObjResFile closed;
    EXPECT_EQ(ResEditDialog::OpenOn(&closed), browser);
    EXPECT_TRUE(list->selectedItems().isEmpty());
    EXPECT_EQ(tree->topLevelItemCount(), 0);
    EXPECT_EQ(Control<QLabel>(*browser, 1139)->text(), "");

    // Closing destroys it; the next use makes a new one.
    QPointer<ResEditDialog> guard(browser);
    browser->close();
    QTRY_VERIFY(guard.isNull());
    EXPECT_EQ(ResEditDialog::Instance(), nullptr);
}

TEST_F(Browser, DoubleClickOpensAHexViewOrAStringView) {
    ResEditDialog* browser = ResEditDialog::OpenOn(FileOf("chair"));
    auto* tree = Control<QTreeWidget>(*browser, 1137);
    QTreeWidgetItem* bhav = tree->topLevelItem(0)->child(0);
    QTreeWidgetItem* strings = tree->topLevelItem(4)->child(0);
    emit tree->itemDoubleClicked(tree->topLevelItem(0), 0);  // a type node opens nothing
    emit tree->itemDoubleClicked(bhav, 0);
    emit tree->itemDoubleClicked(strings, 0);

    HexResourceEditor* hex = nullptr;
    StringResourceEditor* text = nullptr;
    int views = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* h = qobject_cast<HexResourceEditor*>(w)) hex = h, ++views;
        if (auto* s = qobject_cast<StringResourceEditor*>(w)) text = s, ++views;
    }
    EXPECT_EQ(views, 2);
    ASSERT_NE(hex, nullptr);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(hex->windowTitle(), "Hex Resource Editor");
    // Nine bytes: two lines, the second with one byte and seven blank cells on each side.
    const std::string second = "0008  |   41" + std::string(7 * 3, ' ') + "  |   A" + std::string(7 * 2, ' ') + "  |\n";
    EXPECT_EQ(Control<QPlainTextEdit>(*hex, 1019)->toPlainText().toStdString(),
              "0000  |   41 41 41 41 41 41 41 41  |   A A A A A A A A  |\n" + second);
    EXPECT_EQ(text->windowTitle(), "String Resouce Editor: #200 \"names\"");
    EXPECT_EQ(Control<QPlainTextEdit>(*text, 1019)->toPlainText(),
              "ID: 200 Count: 2 Name: names\n#001: first\n#002: second\n");
    EXPECT_TRUE(Control<QPlainTextEdit>(*text, 1019)->isReadOnly());
}

TEST_F(Browser, EightBitNamesAndBytesShowAsTheCharactersTheyStandFor) {
    game.Put("Downloads/cafe.iff",
             ObjectFileBytes({{128, "Caf\xE9 \x92"}},
                             {{kTypeSTRList, 201, "\x93q\x94", StringSetBytes({"it\x92s"})},
                              {kTypeBHAV, 4096, "", {0x92, 0x99, 0x7F, 0xE9, 0x81}}}));
    game.cd.reset();
    game.Scan();
    ResEditDialog* browser = ResEditDialog::OpenOn(FileOf("cafe"));
    auto* tree = Control<QTreeWidget>(*browser, 1137);
    ASSERT_EQ(Column(tree, 0), (QStringList{"BHAV [1]", "OBJD [1]", "STR# [1]"}));
    EXPECT_EQ(tree->topLevelItem(1)->child(0)->text(0), QString::fromUtf8("#128: \"Caf\u00e9 \u2019\" size 216"));
    emit tree->itemDoubleClicked(tree->topLevelItem(0)->child(0), 0);
    emit tree->itemDoubleClicked(tree->topLevelItem(2)->child(0), 0);
    HexResourceEditor* hex = nullptr;
    StringResourceEditor* text = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* h = qobject_cast<HexResourceEditor*>(w)) hex = h;
        if (auto* v = qobject_cast<StringResourceEditor*>(w)) text = v;
    }
    ASSERT_NE(hex, nullptr);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(Control<QPlainTextEdit>(*hex, 1019)->toPlainText(),
              QString::fromUtf8("0000  |   92 99 7F E9 81" + std::string(3 * 3, ' ') +
                                "  |   \u2019 \u2122 \x7F \u00e9 \u0081" + std::string(3 * 2, ' ') + "  |\n"));
    EXPECT_EQ(text->windowTitle(), QString::fromUtf8("String Resouce Editor: #201 \"\u201cq\u201d\""));
    EXPECT_EQ(Control<QPlainTextEdit>(*text, 1019)->toPlainText(),
              QString::fromUtf8("ID: 201 Count: 1 Name: \u201cq\u201d\n#001: it\u2019s\n"));
}

TEST_F(Browser, TheSplitterKeepsFortyPixelsForEachPane) {
    ResEditDialog* browser = ResEditDialog::OpenOn(FileOf("chair"));
    browser->resize(500, 400);
    auto* list = Control<QTreeWidget>(*browser, 1049);
    auto* tree = Control<QTreeWidget>(*browser, 1137);

    // A drag in the band under the list changes the list's height by the movement.
    const int band = list->geometry().bottom() + 2;
    auto send = [&](QEvent::Type type, int y, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(100, y), browser->mapToGlobal(QPointF(100, y)), Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(browser, &event);
    };
    send(QEvent::MouseButtonPress, band, Qt::LeftButton);
    send(QEvent::MouseMove, band + 30, Qt::LeftButton);
    EXPECT_EQ(list->height(), 230);
    send(QEvent::MouseMove, band + 1000, Qt::LeftButton);
    EXPECT_EQ(tree->height(), 40);
    EXPECT_EQ(tree->geometry().bottom(), browser->height() - 2);
    send(QEvent::MouseMove, band - 1000, Qt::LeftButton);
    EXPECT_EQ(list->height(), 40);
    send(QEvent::MouseButtonRelease, band - 1000, Qt::NoButton);
    send(QEvent::MouseMove, band + 50, Qt::NoButton);
    EXPECT_EQ(list->height(), 40) << "the drag ended";
}

TEST(ToolWindowPlacement, OpensUnderTheMainWindowAndStaysOnScreen) {
    const QRect main(100, 50, 600, 400);  // right edge 699, bottom 449
    // Under the main window, right edges aligned.
    EXPECT_EQ(PlaceToolWindow(main, QSize(300, 200), QSize(1280, 1024)), QPoint(400, 450));
    // Too tall for the room below: 74 pixels under the main window's top, 4 pixels to the left.
    EXPECT_EQ(PlaceToolWindow(main, QSize(300, 600), QSize(1280, 1024)), QPoint(396, 124));
    // Past the right edge of the screen: kept 4 pixels inside it.
    EXPECT_EQ(PlaceToolWindow(QRect(900, 0, 600, 100), QSize(300, 200), QSize(1280, 1024)), QPoint(976, 100));
    // Wider than the screen and past its edge: 4 pixels from the left.
    EXPECT_EQ(PlaceToolWindow(QRect(900, 0, 600, 100), QSize(1400, 200), QSize(1280, 1024)), QPoint(4, 100));
}

}  // namespace
