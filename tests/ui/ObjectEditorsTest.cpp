// The two object editors driven through their controls: the object editor's price, texts, languages, "Set All..."
// and its read-only state; the definition editor's rows, editors by kind, list choices, GUID remapping and the
// read-only snap-back; and the main window opening the object editor.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QTimer>
#include <QTreeWidget>
#include <unistd.h>

#include "../clone/CloneFixture.h"
#include "UiInstallation.h"
#include "app/ui/CReshaperDlg.h"
#include "objects/strings/CatalogStrings.h"
#include "objects/strings/Languages.h"
#include "objects/strings/StringSet.h"
#include "objects/ui/CEditObject.h"
#include "objects/ui/CSimpleEditObjectDialog.h"
#include "support/RecordingHosts.h"

using namespace ui_test;
using reshaper_test::RecordingPromptHost;

namespace {

constexpr uint32_t kChairGuid = 0x11223344;

std::vector<uint8_t> ChairFile() {
    ObjectDefinition d;
    d.guid = kChairGuid;
    d.catalogid = 200;
    d.price = 450;
    d.footprintinsetmask = static_cast<int16_t>(0xF000);
    d.wallstyle = 1;
    auto record = SerializeObjectDefinition(d);
    StringSet s;
    s.Set(1, "Chair", kUSEnglishIndex);
    s.Set(2, "Sit on it", kUSEnglishIndex);
    std::vector<uint8_t> strings;
    EXPECT_EQ(s.SerializeData(strings), kNoErr);
    return ObjectFileBytes({}, {{kTypeOBJD, 128, "Chair", std::vector<uint8_t>(record.begin(), record.end())},
                                {kTypeCTSS, 200, "", strings},
                                {kTypeBHAV, 4096, "make",
                                 clone_test::BehaviorBytes({{42, kChairGuid, 0}, {32, 0x55555555, 0}})}});
}

// An object with 8-bit texts: "Café ’" (OBJD name), "Café" and "Un\n– deux ™" (line feeds only, a
// non-breaking space).
std::vector<uint8_t> CafeFile() {
    ObjectDefinition d;
    d.catalogid = 300;
    auto record = SerializeObjectDefinition(d);
    StringSet s;
    s.Set(1, "Caf\xE9", kUSEnglishIndex);
    s.Set(2, "Un\n\x96 deux\xA0\x99", kUSEnglishIndex);
    std::vector<uint8_t> strings;
    EXPECT_EQ(s.SerializeData(strings), kNoErr);
    return ObjectFileBytes({}, {{kTypeOBJD, 128, "Caf\xE9 \x92", std::vector<uint8_t>(record.begin(), record.end())},
                                {kTypeCTSS, 300, "", strings}});
}

struct LanguageGuard {
    int saved = GameLanguage();
    ~LanguageGuard() { SetGameLanguage(saved); }
};

class Editors : public ::testing::Test {
protected:
    Installation game;
    RecordingPromptHost prompts;
    ScopedPromptHost promptHost{&prompts};
    LanguageGuard language;

    void SetUp() override {
        game.Put("Downloads/chair.iff", ChairFile());
        game.Put("Downloads/cafe.iff", CafeFile());
        game.Put("GameData/Objects/Pack.far", reshaper_test::MakeArchive({{"Stool.iff", ChairFile()}}));
        game.Scan();
    }
    ObjectEntry& Entry(const std::string& file) {
        ObjectFile* f = game.catalog.Find(file);
        EXPECT_NE(f, nullptr) << file;
        return *f->objects.at(0);
    }
    ObjectDefinition Stored(const std::string& file) {
        ObjectDefinition d;
        EXPECT_EQ(LoadObjectDefinition(*game.catalog.Find(file)->file, 128, d), kNoErr);
        return d;
    }
    CatalogStrings StoredTexts(int languageCode, const std::string& file = "chair", ResID catalogId = 200) {
        LanguageGuard restore;
        SetGameLanguage(languageCode);
        CatalogStrings texts;
        EXPECT_EQ(texts.Load(*game.catalog.Find(file)->file, catalogId, false), kNoErr);
        return texts;
    }
    static void Leave(QWidget* edit) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(edit, &out);
    }
    // Key clicks for any character (QTest::keyClicks knows only ASCII keys): each key carries its text.
    static void KeyIn(QWidget* edit, const QString& text) {
        for (QChar c : text) QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    static void Type(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        KeyIn(edit, text);
        Leave(edit);
    }
    static void ClickLine(QListWidget* list, int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualItemRect(list->item(row)).center());
    }
};

TEST_F(Editors, ObjectEditorClampsThePriceAndStoresTheTexts) {
    CSimpleEditObjectDialog dialog(Entry("chair"));
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Edit Object");
    EXPECT_EQ(Control<QLabel>(dialog, 1042)->text(), "Object is Editable, so you may change it.");
    EXPECT_EQ(Control<QLineEdit>(dialog, 1041)->text(), "Chair");
    EXPECT_EQ(Control<QPlainTextEdit>(dialog, 1040)->toPlainText(), "Sit on it");
    EXPECT_EQ(Control<QLineEdit>(dialog, 1030)->text(), "450");
    EXPECT_EQ(Control<QComboBox>(dialog, 1106)->count(), 20);
    EXPECT_EQ(Control<QComboBox>(dialog, 1106)->currentIndex(), GameLanguage() - 1);
    EXPECT_TRUE(Control<QPushButton>(dialog, 1032)->isEnabled());

    Type(Control<QLineEdit>(dialog, 1030), "40000");
    EXPECT_EQ(Control<QLineEdit>(dialog, 1030)->text(), "32767");
    EXPECT_EQ(Stored("chair").price, 32767);
    Type(Control<QLineEdit>(dialog, 1030), "-5");
    EXPECT_EQ(Control<QLineEdit>(dialog, 1030)->text(), "-5");
    EXPECT_EQ(Stored("chair").price, -5);

    Type(Control<QLineEdit>(dialog, 1041), "Armchair");
    Control<QPlainTextEdit>(dialog, 1040)->setPlainText("Sit\non it");
    // OK applies before it closes.
    Control<QPushButton>(dialog, 1)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    CatalogStrings texts = StoredTexts(1);
    EXPECT_EQ(texts.name, "Armchair");
    EXPECT_EQ(texts.description, "Sit\r\non it");
}

TEST_F(Editors, ObjectEditorShowsEightBitTextsAsThemselvesAndStoresExactlyTheirBytes) {
    iResFile& file = *game.catalog.Find("cafe")->file;
    const std::vector<uint8_t> before = reshaper_test::ReadFileBytes(game.HostPath("Downloads/cafe.iff"));
    {
        CSimpleEditObjectDialog dialog(Entry("cafe"));
        dialog.show();
        EXPECT_EQ(Control<QLineEdit>(dialog, 1041)->text(), QString::fromUtf8("Caf\u00e9"));
        EXPECT_EQ(Control<QPlainTextEdit>(dialog, 1040)->toPlainText(), QString::fromUtf8("Un\n\u2013 deux \u2122"));
        // Opened and closed without a change: nothing is written.
        Control<QPushButton>(dialog, 1)->click();
    }
    file.Update();
    ASSERT_EQ(file.GetError(), kNoErr);
    EXPECT_EQ(reshaper_test::ReadFileBytes(game.HostPath("Downloads/cafe.iff")), before);

    CSimpleEditObjectDialog dialog(Entry("cafe"));
    dialog.show();
    Type(Control<QLineEdit>(dialog, 1041), QString::fromUtf8("Caf\u00e9 \u2019 \u2013 \u2122"));
    EXPECT_EQ(StoredTexts(1, "cafe", 300).name, "Caf\xE9 \x92 \x96 \x99");
    // A description keeps the line ends the stored one had (here line feeds) and its non-breaking space.
    auto* description = Control<QPlainTextEdit>(dialog, 1040);
    description->moveCursor(QTextCursor::End);
    QTest::keyClicks(description, "!");
    Leave(description);
    EXPECT_EQ(StoredTexts(1, "cafe", 300).description, "Un\n\x96 deux\xA0\x99!");

    // A character the 8-bit texts cannot hold is refused with a message; the edit shows the stored text again.
    Type(Control<QLineEdit>(dialog, 1041), QString::fromUtf8("Snow \u2603"));
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0].title, "Text Not Stored");
    EXPECT_NE(prompts.calls[0].text.find("U+2603"), std::string::npos) << prompts.calls[0].text;
    EXPECT_EQ(Control<QLineEdit>(dialog, 1041)->text(), QString::fromUtf8("Caf\u00e9 \u2019 \u2013 \u2122"));
    EXPECT_EQ(StoredTexts(1, "cafe", 300).name, "Caf\xE9 \x92 \x96 \x99");
}

TEST_F(Editors, ObjectEditorLanguagesAndSetAll) {
    CSimpleEditObjectDialog dialog(Entry("chair"));
    dialog.show();
    // Choosing German makes it the program's language; its name falls back to US English.
    Control<QComboBox>(dialog, 1106)->setCurrentIndex(5);
    EXPECT_EQ(GameLanguage(), 6);
    EXPECT_EQ(Control<QLineEdit>(dialog, 1041)->text(), "Chair");
    Control<QLineEdit>(dialog, 1041)->setText("Stuhl");

    // Cancelled: nothing but the apply of a focus change.
    prompts.answers = {false, true};
    Control<QPushButton>(dialog, 1032)->click();
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0].title, "Set All Languages?");
    EXPECT_EQ(StoredTexts(1).name, "Chair");
    Control<QPushButton>(dialog, 1032)->click();
    EXPECT_EQ(GameLanguage(), 6);
    for (int code = 1; code <= kLanguageCount; ++code) EXPECT_EQ(StoredTexts(code).name, "Stuhl") << code;
}

TEST_F(Editors, ObjectEditorOnAReadOnlyFileOnlyShows) {
    ObjectDefinition before = Stored("stool");
    CSimpleEditObjectDialog dialog(Entry("stool"));
    dialog.show();
    EXPECT_EQ(Control<QLabel>(dialog, 1042)->text(),
              "Object file is Read-Only, and can't be changed. Please clone it first.");
    EXPECT_TRUE(Control<QLineEdit>(dialog, 1041)->isReadOnly());
    EXPECT_TRUE(Control<QLineEdit>(dialog, 1030)->isReadOnly());
    EXPECT_TRUE(Control<QPlainTextEdit>(dialog, 1040)->isReadOnly());
    EXPECT_FALSE(Control<QPushButton>(dialog, 1032)->isEnabled());
    Control<QLineEdit>(dialog, 1030)->setText("40000");
    Leave(Control<QLineEdit>(dialog, 1030));
    Control<QPushButton>(dialog, 1)->click();
    EXPECT_EQ(Stored("stool").price, before.price);
}

TEST_F(Editors, EditDefinitionOpensTheDefinitionEditorAndShowsItsChanges) {
    static ObjectEntry* opened = nullptr;
    CSimpleEditObjectDialog::SetDefinitionEditorOpener([](ObjectEntry& entry, QWidget* parent) {
        opened = &entry;
        CEditObject editor(entry, parent);
        editor.SelectRow(2);  // Price
        auto* edit = Control<QLineEdit>(editor, 1029);
        edit->selectAll();
        QTest::keyClicks(edit, "77");
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(edit, &out);
    });
    CSimpleEditObjectDialog dialog(Entry("chair"));
    Control<QPushButton>(dialog, 1033)->click();
    CSimpleEditObjectDialog::SetDefinitionEditorOpener(nullptr);
    EXPECT_EQ(opened, &Entry("chair"));
    EXPECT_EQ(Control<QLineEdit>(dialog, 1030)->text(), "77");
}

TEST_F(Editors, DefinitionEditorShowsEachRowInTheEditorOfItsKind) {
    CEditObject editor(Entry("chair"));
    editor.show();
    EXPECT_EQ(editor.windowTitle(), "Edit Object Definition");
    EXPECT_EQ(Control<QPlainTextEdit>(editor, 1032)->toPlainText(),
              "File: .\\downloads\\chair.iff\nObject: Chair\nCatalog ID: 200\n");
    auto* rows = Control<QListWidget>(editor, 1027);
    ASSERT_EQ(rows->count(), 35);
    EXPECT_EQ(rows->currentRow(), 0);
    EXPECT_EQ(Control<QPlainTextEdit>(editor, 1033)->toPlainText(),
              "Name: The name of the object, as it appears in the catalog.");
    EXPECT_EQ(Control<QLabel>(editor, 1038)->text(), "Resource file is writable. Editing property.");
    EXPECT_TRUE(Control<QLineEdit>(editor, 1029)->isVisible());
    EXPECT_EQ(Control<QLineEdit>(editor, 1029)->text(), "Chair");
    EXPECT_FALSE(Control<QPushButton>(editor, 1034)->isVisible());
    EXPECT_FALSE(Control<QPushButton>(editor, 1035)->isVisible());

    // Only the editor of the shown row's kind is visible.
    const std::pair<const char*, int> kinds[] = {{"Description", 1028}, {"Self Depreciating", 1036},
                                                 {"Room Flags", 1037},   {"Wall Style", 1030},
                                                 {"GUID", 1029}};
    for (const auto& [label, visibleId] : kinds) {
        rows->setCurrentRow(rows->row(rows->findItems(label, Qt::MatchExactly).first()));
        for (int id : {1029, 1028, 1036, 1037, 1030})
            EXPECT_EQ(Control<QWidget>(editor, id)->isVisible(), id == visibleId) << label << " " << id;
    }
    EXPECT_EQ(Control<QLineEdit>(editor, 1029)->text(), "11223344");
    rows->setCurrentRow(rows->row(rows->findItems("Footprint Inset Mask", Qt::MatchExactly).first()));
    EXPECT_EQ(Control<QLineEdit>(editor, 1029)->text(), "FFFFF000");
}

TEST_F(Editors, DefinitionEditorShowsAndStoresEightBitTexts) {
    CEditObject editor(Entry("cafe"));
    editor.show();
    EXPECT_EQ(Control<QPlainTextEdit>(editor, 1032)->toPlainText(),
              QString::fromUtf8("File: .\\downloads\\cafe.iff\nObject: Caf\u00e9 \u2019\nCatalog ID: 300\n"));
    EXPECT_EQ(Control<QLineEdit>(editor, 1029)->text(), QString::fromUtf8("Caf\u00e9"));
    Type(Control<QLineEdit>(editor, 1029), QString::fromUtf8("\u2019Caf\u00e9\u2019"));
    EXPECT_EQ(StoredTexts(1, "cafe", 300).name, "\x92" "Caf\xE9\x92");
    auto* rows = Control<QListWidget>(editor, 1027);
    rows->setCurrentRow(rows->row(rows->findItems("Description", Qt::MatchExactly).first()));
    auto* description = Control<QPlainTextEdit>(editor, 1028);
    KeyIn(description, QString::fromUtf8("\u2603"));
    Leave(description);
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0].title, "Text Not Stored");
    EXPECT_EQ(description->toPlainText(), QString::fromUtf8("Un\n\u2013 deux \u2122"));
    EXPECT_EQ(StoredTexts(1, "cafe", 300).description, "Un\n\x96 deux\xA0\x99");
}

TEST_F(Editors, DefinitionEditorStoresWhatItsEditorsHold) {
    CEditObject editor(Entry("chair"));
    editor.show();
    auto* rows = Control<QListWidget>(editor, 1027);
    auto show = [&](const char* label) {
        rows->setCurrentRow(rows->row(rows->findItems(label, Qt::MatchExactly).first()));
    };
    show("Footprint Inset Mask");
    Type(Control<QLineEdit>(editor, 1029), "FFFFF000");
    show("Wall Style");
    auto* choice = Control<QListWidget>(editor, 1030);
    EXPECT_TRUE(choice->item(1)->isSelected());  // Normal=1
    ClickLine(choice, choice->count() - 1);      // Custom
    show("Build Mode Type");
    ClickLine(choice, 7);  // Pool
    show("Room Flags");
    auto* flags = Control<QListWidget>(editor, 1037);
    ClickLine(flags, 0);
    ClickLine(flags, 2);
    show("Disabled");
    Control<QCheckBox>(editor, 1036)->click();
    // A value typed and then left for another row is stored on the way.
    show("Tile Width");
    Control<QLineEdit>(editor, 1029)->setText("70000");
    QTest::keyClick(Control<QLineEdit>(editor, 1029), Qt::Key_Backspace);
    QTest::keyClicks(Control<QLineEdit>(editor, 1029), "0");
    show("Price");

    const ObjectDefinition d = Stored("chair");
    EXPECT_EQ(static_cast<uint16_t>(d.footprintinsetmask), 0xF000);
    EXPECT_EQ(d.wallstyle, 22);
    EXPECT_EQ(d.buildmodetype, 7);
    EXPECT_EQ(d.roomflags, 5);
    EXPECT_EQ(d.disabled, 1);
    EXPECT_EQ(d.tilewidth, 70000 - 65536);
}

TEST_F(Editors, DefinitionEditorRemapsAChangedGuidOnly) {
    CEditObject editor(Entry("chair"));
    editor.show();
    auto* rows = Control<QListWidget>(editor, 1027);
    rows->setCurrentRow(rows->row(rows->findItems("GUID", Qt::MatchExactly).first()));
    iResFile& file = *game.catalog.Find("chair")->file;
    auto behaviour = [&] {
        DataHandle* h = file.GetResource(kTypeBHAV, 4096, nullptr);
        if (!h) return std::vector<uint8_t>{};
        std::vector<uint8_t> bytes = h->bytes;
        file.ReleaseAndFree(h);
        return bytes;
    };
    const std::vector<uint8_t> before = behaviour();
    Type(Control<QLineEdit>(editor, 1029), "11223344");
    EXPECT_EQ(behaviour(), before);
    Type(Control<QLineEdit>(editor, 1029), "aa00bb01");
    EXPECT_EQ(Control<QLineEdit>(editor, 1029)->text(), "AA00BB01");
    EXPECT_EQ(clone_test::GetLE32(behaviour(), 16), 0xAA00BB01u);
    EXPECT_EQ(clone_test::GetLE32(behaviour(), 28), 0x55555555u);
    EXPECT_EQ(static_cast<uint32_t>(Stored("chair").guid), 0xAA00BB01u);
    // The catalogue's copy follows, so GUID checks see the new value.
    EXPECT_EQ(Entry("chair").definition.guid, 0xAA00BB01u);
}

TEST_F(Editors, DefinitionEditorOnAReadOnlyFileSnapsListChoicesBack) {
    const ObjectDefinition before = Stored("stool");
    CEditObject editor(Entry("stool"));
    editor.show();
    auto* rows = Control<QListWidget>(editor, 1027);
    EXPECT_TRUE(Control<QLineEdit>(editor, 1029)->isReadOnly());
    rows->setCurrentRow(rows->row(rows->findItems("Wall Style", Qt::MatchExactly).first()));
    EXPECT_EQ(Control<QLabel>(editor, 1038)->text(), "Resource file is read-only. Viewing property.");
    auto* choice = Control<QListWidget>(editor, 1030);
    ClickLine(choice, choice->count() - 1);
    EXPECT_TRUE(choice->item(1)->isSelected());
    EXPECT_FALSE(choice->item(choice->count() - 1)->isSelected());
    rows->setCurrentRow(rows->row(rows->findItems("Disabled", Qt::MatchExactly).first()));
    EXPECT_FALSE(Control<QCheckBox>(editor, 1036)->isEnabled());
    EXPECT_EQ(Stored("stool").wallstyle, before.wallstyle);
}

TEST_F(Editors, TheMainWindowOpensTheObjectEditor) {
    CReshaperDlg window(game.catalog);
    window.FillList(game.catalog.Find("chair"));
    int opened = 0;
    auto answer = [&] {
        QTimer::singleShot(0, [&] {
            if (auto* open = qobject_cast<CSimpleEditObjectDialog*>(QApplication::activeModalWidget())) {
                ++opened;
                open->accept();
            }
        });
    };
    answer();
    Control<QPushButton>(window, 1025)->click();
    auto* tree = Control<QTreeWidget>(window, 1048);
    answer();
    QTest::keyClick(tree, Qt::Key_Return);
    answer();
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier,
                       tree->visualItemRect(tree->topLevelItem(0)).center());
    EXPECT_EQ(opened, 3);
    EXPECT_TRUE(prompts.calls.empty());
}

TEST_F(Editors, AnEditThatCannotBeSavedIsShownAndTheFileIsReadAfresh) {
    const std::string path = game.HostPath("Downloads/chair.iff");
    const auto before = reshaper_test::ReadFileBytes(path);
    // The journal lands on a device that is always full, as a full disk refuses the first write.
    ASSERT_EQ(symlink("/dev/full", (path + "-journal").c_str()), 0);
    CReshaperDlg window(game.catalog);
    window.FillList(game.catalog.Find("chair"));
    QTimer::singleShot(0, [&] {
        if (auto* open = qobject_cast<CSimpleEditObjectDialog*>(QApplication::activeModalWidget())) {
            Type(Control<QLineEdit>(*open, 1041), "Throne");
            Control<QPushButton>(*open, 1)->click();
        }
    });
    Control<QPushButton>(window, 1025)->click();
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0].title, "Error!");
    EXPECT_NE(prompts.calls[0].text.find("error #-46"), std::string::npos) << prompts.calls[0].text;
    EXPECT_EQ(reshaper_test::ReadFileBytes(path), before);
    // What the window shows is what the disk holds.
    EXPECT_FALSE(game.catalog.Find("chair")->saveFailed);
    EXPECT_EQ(StoredTexts(GameLanguage()).name, "Chair");
}

}  // namespace
