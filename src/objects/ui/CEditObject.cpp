// CEditObject: the definition editor's controls; showing a row puts its value into the editor of its kind, and
// every editor stores what it holds when it is left or clicked.
#include "objects/ui/CEditObject.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ui/DialogControls.h"
#include "app/ui/UiText.h"

namespace {

const ObjectProperty& PropertyAt(int row) { return GetObjectProperties()[static_cast<size_t>(row)]; }

bool IsLineKind(PropertyKind kind) {
    return kind == PropertyKind::Decimal || kind == PropertyKind::Hex16 || kind == PropertyKind::Hex32 ||
           kind == PropertyKind::Text;
}

}  // namespace

CEditObject::CEditObject(ObjectEntry& entry, QWidget* parent)
    : ObjectEditorDialog(entry, "9051", QStringLiteral("Edit Object Definition"), parent) {
    BuildControls();

    session_.Load();
    summary_->setPlainText(WithoutCarriageReturns(FromHostText(session_.SummaryTextUtf8())));
    for (const ObjectProperty& property : GetObjectProperties())
        properties_->addItem(QString::fromUtf8(property.label));
    SelectRow(0);
    connect(properties_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row == row_ || row < 0) return;
        // Leaving a row leaves its editor: what it holds is stored first.
        if (editDirty_) StoreCurrentRow();
        ShowRow(row);
    });
}

void CEditObject::BuildControls() {
    auto* layout = new QGridLayout(this);

    auto* definitionBox = new QGroupBox(QStringLiteral("Object Definition"), this);
    auto* definitionLayout = new QVBoxLayout(definitionBox);
    summary_ = Named(new QPlainTextEdit(definitionBox), 1032);
    summary_->setReadOnly(true);
    summary_->setMaximumHeight(70);
    definitionLayout->addWidget(summary_);
    layout->addWidget(definitionBox, 0, 0, 1, 2);

    auto* listBox = new QGroupBox(QStringLiteral("Editable Properties"), this);
    auto* listLayout = new QVBoxLayout(listBox);
    properties_ = Named(new QListWidget(listBox), 1027);
    properties_->setSelectionMode(QAbstractItemView::SingleSelection);
    listLayout->addWidget(properties_);
    layout->addWidget(listBox, 1, 0);

    auto* editorBox = new QGroupBox(QStringLiteral("Property Editor"), this);
    auto* editorLayout = new QVBoxLayout(editorBox);
    help_ = Named(new QPlainTextEdit(editorBox), 1033);
    help_->setReadOnly(true);
    help_->setMaximumHeight(110);
    editorLayout->addWidget(help_);
    state_ = Named(new QLabel(QStringLiteral("Read-Only"), editorBox), 1038);
    editorLayout->addWidget(state_);
    // The value editors share one place; only the one of the shown row's kind is visible.
    line_ = Named(new QLineEdit(editorBox), 1029);
    text_ = Named(new QPlainTextEdit(editorBox), 1028);
    check_ = Named(new QCheckBox(QStringLiteral("Boolean"), editorBox), 1036);
    flags_ = Named(new QListWidget(editorBox), 1037);
    flags_->setSelectionMode(QAbstractItemView::MultiSelection);
    choice_ = Named(new QListWidget(editorBox), 1030);
    choice_->setSelectionMode(QAbstractItemView::SingleSelection);
    for (QWidget* editor : {static_cast<QWidget*>(line_), static_cast<QWidget*>(text_),
                            static_cast<QWidget*>(check_), static_cast<QWidget*>(flags_),
                            static_cast<QWidget*>(choice_)}) {
        editor->hide();
        editorLayout->addWidget(editor);
    }
    // The bitmap buttons belong to an editor kind no property uses.
    QPushButton* importBitmap = MakeButton(editorBox, 1034, "Import Bitmap...");
    QPushButton* exportBitmap = MakeButton(editorBox, 1035, "Export Bitmap...");
    importBitmap->hide();
    exportBitmap->hide();
    editorLayout->addStretch();
    layout->addWidget(editorBox, 1, 1);

    line_->installEventFilter(this);
    text_->installEventFilter(this);
    connect(line_, &QLineEdit::textEdited, this, [this] { editDirty_ = true; });
    connect(line_, &QLineEdit::returnPressed, this, [this] { StoreCurrentRow(); });
    connect(text_, &QPlainTextEdit::textChanged, this, [this] {
        if (!showing_) editDirty_ = true;
    });
    connect(check_, &QCheckBox::clicked, this, [this] { StoreCurrentRow(); });
    connect(flags_, &QListWidget::itemSelectionChanged, this, &CEditObject::OnListChoice);
    connect(choice_, &QListWidget::itemSelectionChanged, this, &CEditObject::OnListChoice);

    auto* buttons = new QHBoxLayout;
    QPushButton* view = MakeButton(this, 1031, "View Object...");
    connect(view, &QPushButton::clicked, this, &ObjectEditorDialog::OnViewObject);
    buttons->addWidget(view);
    buttons->addStretch();
    QPushButton* ok = MakeButton(this, 1, "OK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CEditObject::accept);
    buttons->addWidget(ok);
    layout->addLayout(buttons, 2, 0, 1, 2);
}

void CEditObject::SelectRow(int row) {
    if (row < 0 || row >= properties_->count()) return;
    if (row == row_) return;
    if (editDirty_) StoreCurrentRow();
    {
        const QSignalBlocker block(properties_);
        properties_->setCurrentRow(row);
    }
    ShowRow(row);
}

void CEditObject::ShowRow(int row) {
    showing_ = true;
    row_ = row;
    editDirty_ = false;
    const ObjectProperty& property = PropertyAt(row);
    const PropertyView view = session_.ShowProperty(property);

    help_->setPlainText(QString::fromUtf8(property.label) + QStringLiteral(": ") + QString::fromUtf8(property.help));
    line_->setVisible(IsLineKind(property.kind));
    text_->setVisible(property.kind == PropertyKind::LongText);
    check_->setVisible(property.kind == PropertyKind::Boolean);
    flags_->setVisible(property.kind == PropertyKind::FlagList);
    choice_->setVisible(property.kind == PropertyKind::ChoiceList);
    state_->setText(QString::fromUtf8(session_.PropertyStateLine()));

    line_->setReadOnly(view.readOnly);
    text_->setReadOnly(view.readOnly);
    check_->setEnabled(view.checkEnabled);

    if (IsLineKind(property.kind)) line_->setText(FromGameText(view.text));
    if (property.kind == PropertyKind::LongText) text_->setPlainText(WithoutCarriageReturns(FromGameText(view.text)));
    if (property.kind == PropertyKind::Boolean) check_->setChecked(view.checked);
    QListWidget* list = property.kind == PropertyKind::FlagList     ? flags_
                        : property.kind == PropertyKind::ChoiceList ? choice_
                                                                    : nullptr;
    if (list) {
        const QSignalBlocker block(list);
        list->clear();
        for (size_t i = 0; i < view.choices.size(); ++i) {
            auto* item = new QListWidgetItem(QString::fromUtf8(view.choices[i].label), list);
            item->setData(Qt::UserRole, view.choices[i].value);
        }
        for (size_t i = 0; i < view.selected.size() && i < view.choices.size(); ++i)
            list->item(static_cast<int>(i))->setSelected(view.selected[i]);
        for (size_t i = 0; i < view.selected.size(); ++i)
            if (view.selected[i]) {
                list->scrollToItem(list->item(static_cast<int>(i)));
                break;
            }
    }
    showing_ = false;
}

PropertyInput CEditObject::ReadEditor(bool* refused, Windows1252Fault* fault) const {
    PropertyInput input;
    *refused = false;
    const ObjectProperty& property = PropertyAt(row_);
    // Catalogue texts are the 8-bit bytes of what the edit shows (the session gives a description its line ends);
    // `refused` tells of a character those texts cannot hold.
    const bool catalogText = property.source == PropertySource::CatalogStrings;
    if (IsLineKind(property.kind)) {
        if (catalogText)
            *refused = !ToGameText(line_->text(), input.text, fault);
        else
            input.text = line_->text().toStdString();  // a number: only its leading digits are read
    }
    if (property.kind == PropertyKind::LongText) *refused = !ToGameText(PlainTextOf(*text_), input.text, fault);
    input.checked = check_->isChecked();
    const QListWidget* list = property.kind == PropertyKind::FlagList     ? flags_
                              : property.kind == PropertyKind::ChoiceList ? choice_
                                                                          : nullptr;
    if (list)
        for (int i = 0; i < list->count(); ++i) input.selected.push_back(list->item(i)->isSelected());
    return input;
}

void CEditObject::StoreCurrentRow() {
    if (row_ < 0) return;
    editDirty_ = false;
    const ObjectProperty& property = PropertyAt(row_);
    bool refused = false;
    Windows1252Fault fault;
    const PropertyInput input = ReadEditor(&refused, &fault);
    if (refused) {
        // A catalogue text with a character those texts cannot hold: nothing is stored, and the edit shows the
        // stored text again. (The message box takes the focus; the edit is no longer dirty, so that stores nothing.)
        WarnUnstorableText(property.code == kPropertyCatalogName ? "name" : "description", fault);
        ShowRow(row_);
        return;
    }
    if (!session_.StoreProperty(property, input)) {
        // Nothing was stored: the editor shows the stored value again (a list choice snaps back).
        if (property.kind == PropertyKind::FlagList || property.kind == PropertyKind::ChoiceList ||
            property.kind == PropertyKind::Boolean)
            ShowRow(row_);
        return;
    }
    // The edit shows what was stored, as the kind formats it.
    if (IsLineKind(property.kind) && property.source == PropertySource::Definition) ShowRow(row_);
}

void CEditObject::OnListChoice() {
    if (showing_) return;
    StoreCurrentRow();
}

bool CEditObject::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == line_ || watched == text_) && event->type() == QEvent::FocusOut && editDirty_) StoreCurrentRow();
    return QDialog::eventFilter(watched, event);
}

void CEditObject::accept() {
    if (editDirty_) StoreCurrentRow();
    QDialog::accept();
}
