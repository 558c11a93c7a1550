// CReshaperDlg: the main window: list fill, filter, tree rebuild, commands, object actions, deletion and the
// import's file dialog.
#include "app/ui/CReshaperDlg.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QStringList>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/AppSettings.h"
#include "app/ObjectCatalog.h"
#include "app/Prompt.h"
#include "app/ui/CAboutDlg.h"
#include "app/ui/DialogControls.h"
#include "app/ui/ProgramPictures.h"
#include "app/ui/UiText.h"
#include "clone/ui/CCloneObjectDialog.h"
#include "export/ui/CExportWhizzer.h"
#include "import/ObjectImporter.h"
#include "objects/ui/CSimpleEditObjectDialog.h"
#include "objects/ui/CViewDrawGroups.h"
#include "resfile/StdResFile.h"
#include "tools/ui/ResEditDialog.h"
#include "tools/ui/ToolWindowPlacement.h"

namespace {

constexpr int kAboutCommand = 16;
constexpr int kBlinkTimerMilliseconds = 500;
constexpr int kEntryRole = Qt::UserRole;

// The import proper: the document's directory becomes the current one while it runs.
void ImportDocument(ObjectFile& file, const std::string& directory, const std::string& documentName) {
    ImportObjectDocument(file, directory.empty() ? documentName : directory + "/" + documentName);
}

CReshaperDlg::ImportHandler& ImportHandlerSlot() {
    static CReshaperDlg::ImportHandler handler = ImportDocument;
    return handler;
}

QString ChooseDocument(QWidget* parent, const QString& proposedName) {
    QFileDialog dialog(parent, QStringLiteral("Import Object File"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("xml"));
    dialog.setNameFilter(QStringLiteral("XML File (*.xml)"));
    dialog.setDirectory(QDir::currentPath());
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().first();
}

CReshaperDlg::OpenFileChooser& FileChooserSlot() {
    static CReshaperDlg::OpenFileChooser chooser = ChooseDocument;
    return chooser;
}

}  // namespace

void CReshaperDlg::SetImportHandler(ImportHandler handler) {
    ImportHandlerSlot() = handler ? std::move(handler) : ImportHandler(ImportDocument);
}

void CReshaperDlg::SetOpenFileChooser(OpenFileChooser chooser) {
    FileChooserSlot() = chooser ? std::move(chooser) : OpenFileChooser(ChooseDocument);
}

CReshaperDlg::CReshaperDlg(ObjectCatalog& catalog, QWidget* parent) : QDialog(parent), catalog_(catalog) {
    setObjectName(QStringLiteral("102"));
    BuildControls();
    setWindowTitle(QString::fromUtf8(kMainWindowTitle));
    SetToolWindowReference(this);

    // Entry 0 of the filter: "All Object Files".
    filter_->setCurrentIndex(0);

    // The window menu's About item: a separator and the item, on the window's context menu and on F1.
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    addAction(separator);
    aboutAction_ = new QAction(QStringLiteral("&About The Domizens Reshaper..."), this);
    aboutAction_->setObjectName(QString::number(kAboutCommand));
    aboutAction_->setShortcut(QKeySequence::HelpContents);
    connect(aboutAction_, &QAction::triggered, this, &CReshaperDlg::OnAbout);
    addAction(aboutAction_);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    setWindowIcon(ProgramIcon());

    blink_.setInterval(kBlinkTimerMilliseconds);
    connect(&blink_, &QTimer::timeout, this, &CReshaperDlg::OnBlink);
}

CReshaperDlg::~CReshaperDlg() {
    if (ToolWindowReference() == this) SetToolWindowReference(nullptr);
    // The lists point into the catalogue's records.
    const QSignalBlocker blockList(list_);
    const QSignalBlocker blockTree(tree_);
    tree_->clear();
    list_->clear();
}

void CReshaperDlg::BuildControls() {
    about_ = MakeButton(this, 1028, kAboutCaption);
    connect(about_, &QPushButton::clicked, this, &CReshaperDlg::OnAbout);

    auto* filesLabel = new QLabel(QStringLiteral("Object Files in The Domizens Directories:"), this);
    filter_ = new QComboBox(this);
    filter_->setObjectName(QStringLiteral("1098"));
    filter_->addItem(QStringLiteral("All Object Files"));
    filter_->addItem(QStringLiteral("Editable Object Files"));
    connect(filter_, &QComboBox::currentIndexChanged, this, &CReshaperDlg::OnFilterChanged);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("1001"));
    list_->setSortingEnabled(false);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setUniformItemSizes(true);
    list_->setContextMenuPolicy(Qt::PreventContextMenu);
    list_->installEventFilter(this);
    list_->viewport()->installEventFilter(this);
    // A click makes the row current before it selects it: the tree follows the selection too.
    connect(list_, &QListWidget::currentRowChanged, this, [this](int) { RebuildTree(); });
    connect(list_, &QListWidget::itemSelectionChanged, this, [this] { RebuildTree(); });

    clone_ = MakeButton(this, 1023, "Clone Object File...");
    delete_ = MakeButton(this, 1029, "Delete Object File...");
    export_ = MakeButton(this, 1026, "Export Object File...");
    import_ = MakeButton(this, 1024, "Import Object File...");
    connect(clone_, &QPushButton::clicked, this, &CReshaperDlg::OnClone);
    connect(delete_, &QPushButton::clicked, this, &CReshaperDlg::OnDelete);
    connect(export_, &QPushButton::clicked, this, &CReshaperDlg::OnExport);
    connect(import_, &QPushButton::clicked, this, &CReshaperDlg::OnImport);

    fileBox_ = new QGroupBox(QStringLiteral("No object file selected"), this);
    fileBox_->setObjectName(QStringLiteral("1039"));
    state_ = new QLabel(QStringLiteral("If you see this, the object files can't be found."), fileBox_);
    state_->setObjectName(QStringLiteral("1040"));
    count_ = new QLabel(QStringLiteral("Install Reshaper.exe in \"The Domizens\" directory."), fileBox_);
    count_->setObjectName(QStringLiteral("1041"));
    auto* objectsLabel = new QLabel(QStringLiteral("Objects in Selected File:"), fileBox_);

    tree_ = new QTreeWidget(fileBox_);
    tree_->setObjectName(QStringLiteral("1048"));
    tree_->setHeaderHidden(true);
    tree_->setRootIsDecorated(true);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setDragEnabled(false);
    tree_->setContextMenuPolicy(Qt::PreventContextMenu);
    tree_->setExpandsOnDoubleClick(false);
    tree_->installEventFilter(this);
    tree_->viewport()->installEventFilter(this);
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this] { UpdateObjectButtons(); });

    edit_ = MakeButton(fileBox_, 1025, "Edit Object...");
    view_ = MakeButton(fileBox_, 1027, "View Object...");
    connect(edit_, &QPushButton::clicked, this, &CReshaperDlg::OnEdit);
    connect(view_, &QPushButton::clicked, this, &CReshaperDlg::OnView);

    auto* fileButtons = new QGridLayout;
    fileButtons->addWidget(clone_, 0, 0);
    fileButtons->addWidget(delete_, 0, 1);
    fileButtons->addWidget(export_, 1, 0);
    fileButtons->addWidget(import_, 1, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(filesLabel);
    left->addWidget(filter_);
    left->addWidget(list_, 1);
    left->addLayout(fileButtons);

    auto* objectButtons = new QHBoxLayout;
    objectButtons->addWidget(edit_);
    objectButtons->addWidget(view_);

    auto* box = new QVBoxLayout(fileBox_);
    box->addWidget(state_);
    box->addWidget(count_);
    box->addWidget(objectsLabel);
    box->addWidget(tree_, 1);
    box->addLayout(objectButtons);

    auto* right = new QVBoxLayout;
    right->addWidget(about_);
    right->addWidget(fileBox_, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right, 1);
    resize(640, 480);

    // Nothing is selected until start-up fills the list.
    for (QPushButton* b : {clone_, delete_, export_, import_, edit_, view_}) b->setEnabled(false);
}

StartupResult CReshaperDlg::StartUp(bool seedRandom) {
    StartupOptions options;
    options.seedRandom = seedRandom;
    options.buildCatalogue = [this] {
        catalog_.Scan(ObjectDirectories(), InternalObjectPaths(), CloneDirectory);
        FillList(nullptr);
    };
    StartupResult result = RunStartup(options);
    if (!result.gameFilesFound) StartBlinking();
    return result;
}

void CReshaperDlg::StartBlinking() {
    blinkShowsNormal_ = false;
    blink_.start();
}

void CReshaperDlg::OnBlink() {
    // Ticks alternate, the first one showing the normal caption.
    blinkShowsNormal_ = !blinkShowsNormal_;
    about_->setText(QString::fromUtf8(blinkShowsNormal_ ? kAboutCaption : kBlinkCaption));
}

void CReshaperDlg::OnFilterChanged(int) {
    // The first file of the new list is selected.
    {
        const QSignalBlocker block(list_);
        list_->setCurrentRow(-1);
    }
    FillList(nullptr);
}

void CReshaperDlg::FillList(ObjectFile* select) { FillListRemembering(select, list_->currentRow()); }

void CReshaperDlg::FillListRemembering(ObjectFile* select, int rememberedRow) {
    const bool editableOnly = filter_->currentIndex() == 1;
    {
        const QSignalBlocker blockList(list_);
        const QSignalBlocker blockTree(tree_);
        list_->setUpdatesEnabled(false);
        tree_->clear();
        list_->clear();
        int selectRow = -1;
        // The rows go in with one insertion; the file of a row is found by its place in listed_.
        listed_ = catalog_.Listed(editableOnly);
        QStringList names;
        names.reserve(static_cast<qsizetype>(listed_.size()));
        for (size_t row = 0; row < listed_.size(); ++row) {
            names.append(FromHostText(listed_[row]->displayName));
            if (listed_[row] == select && select) selectRow = static_cast<int>(row);
        }
        list_->addItems(names);
        if (selectRow < 0) selectRow = rememberedRow < 0 ? 0 : rememberedRow;
        // A row past the end (the list got shorter) selects the last one.
        if (selectRow >= list_->count()) selectRow = list_->count() - 1;
        list_->setCurrentRow(selectRow);
        list_->setUpdatesEnabled(true);
    }
    if (QListWidgetItem* item = list_->currentItem()) list_->scrollToItem(item);
    RebuildTree();
}

ObjectFile* CReshaperDlg::SelectedFile() const {
    QListWidgetItem* item = list_->currentItem();
    if (!item || !item->isSelected()) return nullptr;
    const int row = list_->row(item);
    return row >= 0 && static_cast<size_t>(row) < listed_.size() ? listed_[static_cast<size_t>(row)] : nullptr;
}

ObjectEntry* CReshaperDlg::SelectedEntry() const {
    QTreeWidgetItem* item = tree_->currentItem();
    if (!item) return nullptr;
    return reinterpret_cast<ObjectEntry*>(item->data(0, kEntryRole).value<quintptr>());
}

int CReshaperDlg::SelectedRootIndex() const {
    ObjectEntry* entry = SelectedEntry();
    return entry ? entry->rootIndex : -1;
}

void CReshaperDlg::RebuildTree() {
    const QSignalBlocker blockTree(tree_);
    tree_->setUpdatesEnabled(false);
    tree_->clear();
    ObjectFile* file = SelectedFile();
    if (!file) {
        fileBox_->setTitle(QString());
        state_->setText(QString::fromUtf8(kNoFileSelected));
        count_->clear();
        for (QPushButton* b : {clone_, delete_, export_, import_}) b->setEnabled(false);
    } else {
        fileBox_->setTitle(FromHostText(file->path));
        const bool editable = file->IsEditable();
        state_->setText(QString::fromUtf8(editable ? kFileEditable : kFileReadOnly));
        clone_->setEnabled(true);
        for (QPushButton* b : {delete_, export_, import_}) b->setEnabled(editable);
        count_->setText(QStringLiteral("Total objects in file: %1").arg(file->CountObjects()));
        for (ObjectEntry* root : file->roots) {
            auto* node = new QTreeWidgetItem(tree_, {FromGameText(root->name)});
            node->setData(0, kEntryRole, QVariant::fromValue(reinterpret_cast<quintptr>(root)));
            for (ObjectEntry* tile : root->tiles) {
                auto* child = new QTreeWidgetItem(node, {FromGameText(tile->name)});
                child->setData(0, kEntryRole, QVariant::fromValue(reinterpret_cast<quintptr>(tile)));
            }
        }
    }
    tree_->setUpdatesEnabled(true);
    UpdateObjectButtons();
}

void CReshaperDlg::UpdateObjectButtons() {
    if (tree_->topLevelItemCount() == 0) {
        edit_->setEnabled(false);
        view_->setEnabled(false);
        return;
    }
    if (!tree_->currentItem()) {
        const QSignalBlocker blockTree(tree_);
        tree_->setCurrentItem(tree_->topLevelItem(0));
    }
    edit_->setEnabled(true);
    view_->setEnabled(true);
}

void CReshaperDlg::OnClone() {
    ObjectFile* file = SelectedFile();
    if (!file) return;
    CCloneObjectDialog dialog(catalog_, *file, SelectedRootIndex(), this);
    if (dialog.exec() == QDialog::Accepted && dialog.Outcome().ok) {
        FillList(dialog.Outcome().file);
        return;
    }
    RebuildTree();
}

void CReshaperDlg::OnDelete() {
    ObjectFile* file = SelectedFile();
    if (!file || !delete_->isEnabled()) return;
    const std::string question =
        "Oh, my! Are you really sure you want to delete the object file \"" + file->path + "\"?";
    if (!AskOkCancel(kDeleteTitle, question, MessageKind::Warning)) return;

    const int rememberedRow = list_->currentRow();
    {
        // The rows and nodes point into the record that goes now.
        const QSignalBlocker blockList(list_);
        const QSignalBlocker blockTree(tree_);
        tree_->clear();
        list_->clear();
    }
    ResEditDialog::ForgetFile(file->file.get());
    bool deleted = false;
    const std::string path = file->path;
    ObjectFile* next = catalog_.DeleteFile(file, &deleted);
    FillListRemembering(deleted ? next : file, rememberedRow);
    if (!deleted) ShowMessageBox(kDeleteTitle, "Could not delete the object file \"" + path + "\".", MessageKind::Error);
}

void CReshaperDlg::OnExport() {
    ObjectFile* file = SelectedFile();
    if (!file) return;
    CExportWhizzer whizzer(this);
    whizzer.SetObjectFile(file);
    whizzer.exec();
    RebuildTree();
}

void CReshaperDlg::OnImport() {
    ObjectFile* file = SelectedFile();
    if (!file) return;
    const QString remembered = QDir::currentPath();
    QDir::setCurrent(FromHostText(GameDirectory()));

    // The file's name up to its first '.', with ".xml".
    std::string name = file->path.substr(file->path.rfind('\\') == std::string::npos ? 0 : file->path.rfind('\\') + 1);
    name = name.substr(0, name.find('.'));
    const QString chosen = FileChooserSlot()(this, FromHostText(name + ".xml"));

    if (chosen.isEmpty()) {
        SetGameDirectory(ToHostText(QDir::currentPath()));
        QDir::setCurrent(remembered);
        RebuildTree();
        return;
    }
    // The file dialog leaves the game directory where the document was chosen.
    const qsizetype slash = chosen.lastIndexOf(QLatin1Char('/'));
    const QString directory = slash < 0 ? remembered : (slash == 0 ? QStringLiteral("/") : chosen.left(slash));
    const QString documentName = chosen.mid(slash + 1);
    SetGameDirectory(ToHostText(directory));
    QDir::setCurrent(directory);
    ImportHandlerSlot()(*file, ToHostText(directory), ToHostText(documentName));
    QDir::setCurrent(remembered);
    ReopenIfUnsaved(file);
    RebuildTree();
}

void CReshaperDlg::OnEdit() { ObjectAction(kActionEdit, Qt::NoModifier); }

void CReshaperDlg::OnView() {
    if (!SelectedFile()) return;
    if (ObjectEntry* entry = SelectedEntry()) OpenViewer(entry);
}

void CReshaperDlg::OnAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CReshaperDlg::ObjectAction(int type, Qt::KeyboardModifiers modifiers) {
    ObjectEntry* entry = SelectedEntry();
    if (!entry) return;
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool alt = modifiers & Qt::AltModifier;
    if (type == kActionOpen && ctrl) {
        OpenBrowser(entry->owner);
    } else if (type == kActionView || (type == kActionOpen && (shift || alt))) {
        OpenViewer(entry);
    } else if ((type == kActionOpen && !(modifiers & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier))) ||
               type == kActionEdit) {
        if (!entry->owner || !entry->owner->file) return;
        ObjectFile* owner = entry->owner;
        {
            CSimpleEditObjectDialog editor(*entry, this);
            editor.exec();
        }
        if (owner->saveFailed) {
            ReopenIfUnsaved(owner);
            RebuildTree();
        }
    }
}

void CReshaperDlg::ReopenIfUnsaved(ObjectFile* file) {
    if (!file || !file->saveFailed) return;
    // The open file holds changes the disk does not have: the windows let go of it and it is read afresh.
    ResEditDialog::ForgetFile(file->file.get());
    ReopenObjectFile(*file);
}

void CReshaperDlg::OpenBrowser(ObjectFile* file) {
    ResEditDialog::OpenOn(file && file->file ? file->file.get() : nullptr);
}

void CReshaperDlg::OpenViewer(ObjectEntry* entry) {
    if (!entry || !entry->owner || !entry->owner->file) return;
    CViewDrawGroups viewer(*entry, this);
    viewer.exec();
}

bool CReshaperDlg::eventFilter(QObject* watched, QEvent* event) {
    const bool onList = watched == list_ || watched == list_->viewport();
    const bool onTree = watched == tree_ || watched == tree_->viewport();
    if (event->type() == QEvent::MouseButtonDblClick &&
        (watched == list_->viewport() || watched == tree_->viewport())) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const Qt::KeyboardModifiers modifiers = mouse->modifiers();
        if (onList && mouse->button() == Qt::LeftButton) {
            // Shift opens the browser on the selected file; Ctrl, object action 0 with Ctrl, on the file of its
            // object, which is the same file (and a file without objects gets the browser too).
            if (modifiers & (Qt::ShiftModifier | Qt::ControlModifier)) {
                if (ObjectFile* file = SelectedFile()) OpenBrowser(file);
            } else {
                ObjectAction(kActionOpen, modifiers);
            }
            return true;
        }
        if (onTree && mouse->button() == Qt::LeftButton) {
            ObjectAction(modifiers & Qt::ControlModifier ? kActionView : kActionOpen, modifiers);
            return true;
        }
        if (onTree && mouse->button() == Qt::RightButton) {
            ObjectAction(kActionView, modifiers);
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonPress && watched == list_->viewport()) {
        // The list selects one file at a time: a Ctrl+click selects the row under the mouse, as a plain click
        // does, instead of taking the selection away (which would leave no file for the Ctrl+double-click).
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && (mouse->modifiers() & Qt::ControlModifier)) {
            if (QListWidgetItem* item = list_->itemAt(mouse->position().toPoint())) {
                list_->setCurrentItem(item);
                item->setSelected(true);
            }
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonPress && watched == tree_->viewport()) {
        // A right click selects the node under the mouse, as a left click does.
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton)
            if (QTreeWidgetItem* item = tree_->itemAt(mouse->position().toPoint())) tree_->setCurrentItem(item);
    }
    if (event->type() == QEvent::KeyPress && (onList || onTree)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            ObjectAction(kActionEdit, Qt::NoModifier);
            return true;
        }
        if (key->key() == Qt::Key_Delete) {
            OnDelete();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
