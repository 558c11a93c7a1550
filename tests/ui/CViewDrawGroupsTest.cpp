// The draw group viewer: opening view, states, tiles and their opacities, the hint lines, item lines, and storing
// an item on a writable file but never on a read-only one.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include "../objects/SpriteTestImages.h"
#include "UiInstallation.h"
#include "objects/drawing/DrawGroup.h"
#include "objects/ui/CViewDrawGroups.h"
#include "objects/ui/SpinArrows.h"

using namespace ui_test;

namespace {

// A draw group resource whose list v holds the items `items(v)`, for all 12 views.
template <class Fn>
Res DrawGroupResource(ResID id, const std::string& name, Fn items) {
    DrawGroup group;
    group.SetName(name);
    for (int v = 0; v < 12; ++v) {
        group.AddItemList();
        for (const DrawGroupItem& item : items(v)) group.AddItem(v, item);
    }
    return {kTypeDGRP, id, name, group.Serialize()};
}

// List v of every group holds the items sprite 1000 + v, frame v, at (v, -v); list 10 has a second item that is
// flipped, and its first item carries the flags 6 (not flipped).
std::vector<DrawGroupItem> ItemsOfView(int v) {
    std::vector<DrawGroupItem> items = {{1000 + v, v, v, -v, 0.0f, 0.0f, 0.0f, v == 10 ? 6 : 0}};
    if (v == 10) items.push_back({2000, 3, 5, 7, 0.0f, 0.0f, 0.0f, 1});
    return items;
}

std::vector<uint8_t> GameFile() {
    return ObjectFileBytes(
        {{128, "lamp", 0, 0, 100, 3},
         {200, "sofa", 7, -1, 300, 1},
         {201, "sofa left", 7, 0x0000, 300, 1},
         {202, "sofa right", 7, 0x0001, 310, 2}},
        {DrawGroupResource(100, "lamp off", ItemsOfView), DrawGroupResource(101, "lamp on", ItemsOfView),
         DrawGroupResource(300, "left", ItemsOfView), DrawGroupResource(310, "right 1", ItemsOfView),
         DrawGroupResource(311, "right 2", ItemsOfView)});
}

class Viewer : public ::testing::Test {
protected:
    Installation game;
    std::unique_ptr<CViewDrawGroups> viewer;

    ObjectEntry* Entry(const std::string& file, const std::string& name) {
        ObjectFile* f = game.catalog.Find(file);
        EXPECT_NE(f, nullptr) << file;
        for (auto& e : f->objects)
            if (e->name == name) return e.get();
        ADD_FAILURE() << name;
        return nullptr;
    }
    void Open(ObjectEntry* entry) {
        viewer = std::make_unique<CViewDrawGroups>(*entry);
        viewer->show();
    }
    template <class T>
    T* C(int id) {
        return Control<T>(*viewer, id);
    }
    QStringList Lines(int id) {
        QStringList lines;
        auto* list = C<QListWidget>(id);
        for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
        return lines;
    }
    // The stored item of a draw group.
    DrawGroupItem Stored(const std::string& file, ResID group, int view, int index) {
        DrawGroup g;
        EXPECT_EQ(g.Load(*game.catalog.Find(file)->file, group), 0);
        const DrawGroupItem* item = g.GetItem(view, index);
        return item ? *item : DrawGroupItem{};
    }
    void Type(int id, const QString& text) {
        auto* edit = C<QLineEdit>(id);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        // Leaving the edit stores it.
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(edit, &out);
    }
};

TEST_F(Viewer, ASingleTileOpensOnView10WithItsFirstStateAndItems) {
    game.Put("Downloads/things.iff", GameFile());
    game.Scan();
    Open(Entry("things", "lamp"));
    EXPECT_EQ(viewer->windowTitle(), "View Object");
    EXPECT_EQ(C<QLabel>(1052)->text(), "Single Tile Object");
    EXPECT_TRUE(C<QComboBox>(1051)->isHidden());
    EXPECT_EQ(Lines(1004), (QStringList{"#100: lamp off", "#101: lamp on", "#102: No resource found."}));
    EXPECT_EQ(C<QListWidget>(1004)->currentRow(), 0);
    EXPECT_EQ(C<QSlider>(1005)->value(), 2);
    EXPECT_EQ(C<QSlider>(1006)->value(), 0);
    EXPECT_EQ(viewer->ViewIndex(), 10);
    EXPECT_EQ(C<QLabel>(1107)->text(), "Draw Group ID 100, Frame 10, Items:");
    EXPECT_EQ(Lines(1007),
              (QStringList{"sprite 1010 num 10 offset (10,-10)", "sprite 2000 num 3 offset (5,7) flipped"}));
    EXPECT_EQ(C<QListWidget>(1007)->currentRow(), 0);
    EXPECT_FALSE(C<QLabel>(1108)->isVisible());
    EXPECT_FALSE(C<QLabel>(1109)->isVisible());
    EXPECT_EQ(C<QLineEdit>(1111)->text(), "10");
    EXPECT_EQ(C<QLineEdit>(1113)->text(), "-10");
    EXPECT_FALSE(C<QCheckBox>(1114)->isChecked());
    EXPECT_TRUE(C<SpinArrows>(1119)->isVisible());
    EXPECT_FALSE(viewer->Picture().isNull());

    // Rotation 0 at the smallest zoom is view 0; the second state its own group.
    C<QSlider>(1005)->setValue(0);
    C<QSlider>(1006)->setValue(2);
    EXPECT_EQ(viewer->ViewIndex(), 0);
    C<QListWidget>(1004)->setCurrentRow(1);
    EXPECT_EQ(C<QLabel>(1107)->text(), "Draw Group ID 101, Frame 0, Items:");
    EXPECT_EQ(Lines(1007), (QStringList{"sprite 1000 num 0 offset (0,0)"}));
    // A state whose draw group is missing lists no items and shows no hint lines.
    C<QListWidget>(1004)->setCurrentRow(2);
    EXPECT_EQ(C<QLabel>(1107)->text(), "Draw Group Items:");
    EXPECT_FALSE(C<QListWidget>(1007)->isVisible());
    EXPECT_FALSE(C<QLabel>(1108)->isVisible());
    EXPECT_FALSE(C<QLineEdit>(1111)->isVisible());

    // A click on the picture switches the background between white and black.
    ASSERT_TRUE(viewer->WhiteBackground());
    EXPECT_EQ(viewer->Picture().pixelColor(0, 0), QColor(Qt::white));
    QTest::mouseClick(C<QFrame>(1017), Qt::LeftButton);
    EXPECT_FALSE(viewer->WhiteBackground());
    EXPECT_EQ(viewer->Picture().pixelColor(0, 0), QColor(Qt::black));
}

TEST_F(Viewer, AllTilesOrOneTileDimmingTheOthers) {
    game.Put("Downloads/things.iff", GameFile());
    game.Scan();
    ObjectEntry* sofa = Entry("things", "sofa");
    ObjectEntry* left = Entry("things", "sofa left");
    ObjectEntry* right = Entry("things", "sofa right");
    Open(sofa);
    EXPECT_EQ(C<QLabel>(1052)->text(), "Multi Tile Object:");
    auto* tiles = C<QComboBox>(1051);
    EXPECT_TRUE(tiles->isVisible());
    ASSERT_EQ(tiles->count(), 3);
    EXPECT_EQ(tiles->itemText(0), "All Tiles");
    EXPECT_EQ(tiles->itemText(2), "sofa right");
    // "All Tiles": the first tile's states, every tile at full opacity, no items, the two hint lines.
    EXPECT_EQ(Lines(1004), (QStringList{"#300: left"}));
    EXPECT_EQ(left->opacity, 255);
    EXPECT_EQ(right->opacity, 255);
    EXPECT_FALSE(C<QListWidget>(1007)->isVisible());
    EXPECT_EQ(C<QLabel>(1107)->text(), "Draw Group Items:");
    EXPECT_TRUE(C<QLabel>(1108)->isVisible());
    EXPECT_TRUE(C<QLabel>(1109)->isVisible());
    EXPECT_EQ(C<QLabel>(1108)->text(), "Please select an individual tile above in the");
    EXPECT_EQ(C<QLabel>(1109)->text(), "\"Multi Tile Object\" pull-down to see its items.");

    // One tile: its states and items; the other tiles dimmed.
    tiles->setCurrentIndex(2);
    EXPECT_EQ(Lines(1004), (QStringList{"#310: right 1", "#311: right 2"}));
    EXPECT_EQ(right->opacity, 255);
    EXPECT_EQ(left->opacity, 127);
    EXPECT_FALSE(C<QLabel>(1108)->isVisible());
    EXPECT_EQ(C<QLabel>(1107)->text(), "Draw Group ID 310, Frame 10, Items:");
    C<QListWidget>(1004)->setCurrentRow(1);
    EXPECT_EQ(right->drawGroupIndex, 1);
    EXPECT_EQ(C<QLabel>(1107)->text(), "Draw Group ID 311, Frame 10, Items:");

    // Back to all tiles in state 1: the tile with one graphic shows its first state.
    tiles->setCurrentIndex(0);
    EXPECT_EQ(C<QListWidget>(1004)->currentRow(), 0) << "the selection is cut to the last line";
    tiles->setCurrentIndex(2);
    C<QListWidget>(1004)->setCurrentRow(1);
    tiles->setCurrentIndex(1);
    tiles->setCurrentIndex(0);
    EXPECT_EQ(left->opacity, 255);
    EXPECT_EQ(right->opacity, 255);
}

TEST_F(Viewer, ItemsAreStoredOnAWritableFile) {
    game.Put("Downloads/things.iff", GameFile());
    game.Scan();
    Open(Entry("things", "lamp"));
    Type(1111, "12");
    EXPECT_EQ(Stored("things", 100, 10, 0).pixelx, 12);
    EXPECT_EQ(Stored("things", 100, 10, 0).pixely, -10);
    EXPECT_EQ(Lines(1007).first(), "sprite 1010 num 10 offset (12,-10)");

    // Flip on an item whose flags are 6 stores 1; clearing it stores 0.
    C<QCheckBox>(1114)->click();
    EXPECT_EQ(Stored("things", 100, 10, 0).flags, 1);
    EXPECT_TRUE(Lines(1007).first().endsWith(" flipped"));
    C<QCheckBox>(1114)->click();
    EXPECT_EQ(Stored("things", 100, 10, 0).flags, 0);

    // The Y spin is reversed: its up arrow lowers the value; the store follows 100 ms later.
    C<QListWidget>(1007)->setCurrentRow(1);
    EXPECT_EQ(C<QLineEdit>(1113)->text(), "7");
    C<SpinArrows>(1120)->UpButton()->click();
    C<SpinArrows>(1120)->UpButton()->click();
    EXPECT_EQ(C<QLineEdit>(1113)->text(), "5");
    EXPECT_TRUE(viewer->IsStorePending());
    QTRY_COMPARE(Stored("things", 100, 10, 1).pixely, 5);
    EXPECT_FALSE(viewer->IsStorePending());
    C<SpinArrows>(1119)->UpButton()->click();
    QTRY_COMPARE(Stored("things", 100, 10, 1).pixelx, 6);
    EXPECT_EQ(C<QListWidget>(1007)->currentRow(), 1) << "the item selection stays";
}

TEST_F(Viewer, AReadOnlyFileShowsItemsButNeverStoresThem) {
    game.Put("GameData/Objects/Pack.far", reshaper_test::MakeArchive({{"Things.iff", GameFile()}}));
    game.Scan();
    const std::string archive = game.HostPath("GameData/Objects/Pack.far");
    const auto before = reshaper_test::ReadFileBytes(archive);
    Open(Entry("things", "lamp"));
    EXPECT_EQ(C<QLineEdit>(1111)->text(), "10");
    EXPECT_TRUE(C<QLineEdit>(1111)->isReadOnly());
    EXPECT_TRUE(C<QLineEdit>(1113)->isReadOnly());
    EXPECT_FALSE(C<SpinArrows>(1119)->isVisible());
    EXPECT_FALSE(C<SpinArrows>(1120)->isVisible());
    EXPECT_FALSE(C<QCheckBox>(1114)->isEnabled());
    // A stray store changes nothing.
    C<QLineEdit>(1111)->setText("99");
    viewer->StoreSelectedItem();
    EXPECT_EQ(Stored("things", 100, 10, 0).pixelx, 10);
    EXPECT_EQ(C<QLineEdit>(1111)->text(), "10");
    EXPECT_EQ(reshaper_test::ReadFileBytes(archive), before);
}

TEST_F(Viewer, AnObjectWithoutGraphicsShowsNothing) {
    game.Put("Downloads/bare.iff", ObjectFileBytes({{128, "bare"}}));
    game.Scan();
    Open(Entry("bare", "bare"));
    EXPECT_EQ(C<QListWidget>(1004)->count(), 0);
    EXPECT_FALSE(C<QSlider>(1005)->isVisible());
    EXPECT_FALSE(C<QSlider>(1006)->isVisible());
    EXPECT_TRUE(viewer->Picture().isNull());
    EXPECT_EQ(C<QFrame>(1017)->size(), QSize(10, 10));
    EXPECT_FALSE(C<QLineEdit>(1111)->isVisible());
}

// A frame whose stream stops at a bad token is drawn up to it, and the viewer says so under the hint lines.
TEST_F(Viewer, AFrameStoppedByABadTokenIsNamed) {
    std::vector<uint8_t> tokens;
    reshaper_test::PutU16(tokens, 0x0000);            // kNL
    reshaper_test::PutU16(tokens, 0xC002);            // kRunP 2
    reshaper_test::PutBytes(tokens, {3, 4, 0, 0xE0});  // two pixels, then the unused opcode
    std::vector<Res> resources = {DrawGroupResource(100, "lamp off", ItemsOfView),
                                  DrawGroupResource(101, "lamp on", ItemsOfView),
                                  {kTypeSPR2, 1010, "broken", reshaper_test::OneFrameSpr2(4, 2, tokens)}};
    game.Put("Downloads/things.iff", ObjectFileBytes({{128, "lamp", 0, 0, 100, 2}}, resources));
    game.Scan();
    Open(Entry("things", "lamp"));  // view 10 draws frame 10 of sprite 1010, which has only frame 0
    EXPECT_TRUE(C<QLabel>(1121)->isVisible());
    EXPECT_EQ(C<QLabel>(1121)->text(), "bad token in sprite 1010 frame 0: drawn only up to it");
    C<QSlider>(1005)->setValue(1);  // view 9 draws sprite 1009, which does not exist
    EXPECT_FALSE(C<QLabel>(1121)->isVisible());
}

}  // namespace
