// CReshaperDlg: the main window (dialog 102): the list of object files, the objects of the selected file, and
// the commands that start every operation on them.
#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "app/Startup.h"

class ObjectCatalog;
struct ObjectEntry;
struct ObjectFile;
class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

constexpr const char* kMainWindowTitle = "The Domizens Reshaper Release 1.3";
constexpr const char* kAboutCaption = "About The Domizens Reshaper...";
constexpr const char* kBlinkCaption = "12:00";
constexpr const char* kNoFileSelected = "No object file is selected.";
constexpr const char* kFileEditable = "The selected file is Editable.";
constexpr const char* kFileReadOnly = "The selected file is Read-Only. Clone to modify.";
constexpr const char* kDeleteTitle = "Gadzooks!";

class CReshaperDlg : public QDialog {
    Q_OBJECT
public:
    // Object actions on the selected tree node's entry.
    enum ObjectActionType { kActionOpen = 0, kActionEdit = 1, kActionView = 3 };

    // The window steps of start-up that need nothing from disk: title, filter "All Object Files", the About
    // item of the window menu, icons; remembers the window as the reference for placing the tool windows.
    explicit CReshaperDlg(ObjectCatalog& catalog, QWidget* parent = nullptr);
    ~CReshaperDlg() override;

    // The rest of start-up: settings, the game file check (the About caption blinks when the game's files are
    // missing), language, the object directories, the catalogue scan and the list fill, the magic cookie.
    StartupResult StartUp(bool seedRandom = false);

    // Refills the file list (all files, or the editable ones by the filter) and selects `select`; when it is not
    // listed, the row selected before (the last row when that is past the end), or the first row. Rebuilds the
    // tree.
    void FillList(ObjectFile* select);
    // Shows the selected file's objects, its state lines and the enabled buttons.
    void RebuildTree();
    // Starts the 500 ms blinking of the About button's caption.
    void StartBlinking();
    bool IsBlinking() const { return blink_.isActive(); }

    ObjectFile* SelectedFile() const;
    // The entry of the selected tree node; null when none is selected or the node has no entry.
    ObjectEntry* SelectedEntry() const;
    // The selected object as a root index: -1 when no node is selected, it has no entry or the entry is a tile.
    int SelectedRootIndex() const;

    // Object action 0, 1 or 3 with the modifier keys that were held.
    void ObjectAction(int type, Qt::KeyboardModifiers modifiers);

    // The import hands the file, the chosen document's directory and its name to this; by default it is the
    // import of the document. Tests replace it; an empty function restores the default.
    using ImportHandler =
        std::function<void(ObjectFile& file, const std::string& directory, const std::string& documentName)>;
    static void SetImportHandler(ImportHandler handler);
    // The import's file dialog; tests replace it. Given the proposed name, returns the chosen path, or empty when
    // cancelled.
    using OpenFileChooser = std::function<QString(QWidget* parent, const QString& proposedName)>;
    static void SetOpenFileChooser(OpenFileChooser chooser);

public slots:
    void OnClone();
    void OnDelete();
    void OnExport();
    void OnImport();
    void OnEdit();
    void OnView();
    void OnAbout();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void OnFilterChanged(int index);
    void UpdateObjectButtons();
    void OnBlink();
    void OpenBrowser(ObjectFile* file);
    // After an operation whose changes could not be saved, the file is opened afresh from the disk.
    void ReopenIfUnsaved(ObjectFile* file);
    void OpenViewer(ObjectEntry* entry);
    void FillListRemembering(ObjectFile* select, int rememberedRow);

    ObjectCatalog& catalog_;
    QPushButton* about_ = nullptr;
    QComboBox* filter_ = nullptr;
    QListWidget* list_ = nullptr;
    std::vector<ObjectFile*> listed_;  // the file of each row of list_
    QPushButton* clone_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* export_ = nullptr;
    QPushButton* import_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    QPushButton* edit_ = nullptr;
    QPushButton* view_ = nullptr;
    QGroupBox* fileBox_ = nullptr;
    QLabel* state_ = nullptr;
    QLabel* count_ = nullptr;
    QAction* aboutAction_ = nullptr;
    QTimer blink_;
    bool blinkShowsNormal_ = false;
};
