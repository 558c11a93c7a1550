// CSimpleEditObjectDialog: the object editor's controls; its edits are stored when left and before every button.
#include "objects/ui/CSimpleEditObjectDialog.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/ui/DialogControls.h"
#include "app/ui/UiText.h"
#include "objects/strings/Languages.h"
#include "objects/ui/CEditObject.h"

namespace {

void OpenDefinitionEditor(ObjectEntry& entry, QWidget* parent) {
    CEditObject editor(entry, parent);
    editor.exec();
}

CSimpleEditObjectDialog::DefinitionEditorOpener& OpenerSlot() {
    static CSimpleEditObjectDialog::DefinitionEditorOpener opener = OpenDefinitionEditor;
    return opener;
}

}  // namespace

void CSimpleEditObjectDialog::SetDefinitionEditorOpener(DefinitionEditorOpener opener) {
    OpenerSlot() = opener ? opener : OpenDefinitionEditor;
}

CSimpleEditObjectDialog::CSimpleEditObjectDialog(ObjectEntry& entry, QWidget* parent)
    : ObjectEditorDialog(entry, "9054", QStringLiteral("Edit Object"), parent) {
    BuildControls();
    {
        const QSignalBlocker block(language_);
        language_->setCurrentIndex(GameLanguage() - 1);
    }
    session_.Load();
    Show();
}

void CSimpleEditObjectDialog::BuildControls() {
    auto* layout = new QGridLayout(this);

    state_ = new QLabel(this);
    state_->setObjectName(QStringLiteral("1042"));
    layout->addWidget(state_, 0, 0, 1, 3);

    layout->addWidget(new QLabel(QStringLiteral("Language:"), this), 1, 0);
    language_ = new QComboBox(this);
    language_->setObjectName(QStringLiteral("1106"));
    for (int i = 0; i < kLanguageCount; ++i) language_->addItem(QString::fromUtf8(GetLanguageName(i)));
    layout->addWidget(language_, 1, 1);
    setAll_ = MakeButton(this, 1032, "Set All...");
    layout->addWidget(setAll_, 1, 2);

    layout->addWidget(new QLabel(QStringLiteral("Name:"), this), 2, 0);
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("1041"));
    layout->addWidget(name_, 2, 1, 1, 2);

    layout->addWidget(new QLabel(QStringLiteral("Price:"), this), 3, 0);
    price_ = new QLineEdit(this);
    price_->setObjectName(QStringLiteral("1030"));
    layout->addWidget(price_, 3, 1, 1, 2);

    layout->addWidget(new QLabel(QStringLiteral("Description:"), this), 4, 0, Qt::AlignTop);
    description_ = new QPlainTextEdit(this);
    description_->setObjectName(QStringLiteral("1040"));
    layout->addWidget(description_, 4, 1, 1, 2);

    auto* buttons = new QHBoxLayout;
    QPushButton* view = MakeButton(this, 1031, "View Object...");
    QPushButton* definition = MakeButton(this, 1033, "Edit Definition...");
    QPushButton* ok = MakeButton(this, 1, "OK");
    ok->setDefault(true);
    buttons->addWidget(view);
    buttons->addWidget(definition);
    buttons->addStretch();
    buttons->addWidget(ok);
    layout->addLayout(buttons, 5, 0, 1, 3);

    connect(language_, &QComboBox::currentIndexChanged, this, &CSimpleEditObjectDialog::OnLanguageChosen);
    connect(setAll_, &QPushButton::clicked, this, &CSimpleEditObjectDialog::OnSetAll);
    connect(view, &QPushButton::clicked, this, &ObjectEditorDialog::OnViewObject);
    connect(definition, &QPushButton::clicked, this, &CSimpleEditObjectDialog::OnEditDefinition);
    connect(ok, &QPushButton::clicked, this, &CSimpleEditObjectDialog::accept);
    for (QWidget* edit : {static_cast<QWidget*>(name_), static_cast<QWidget*>(price_),
                          static_cast<QWidget*>(description_)})
        edit->installEventFilter(this);
}

void CSimpleEditObjectDialog::Show() {
    showing_ = true;
    name_->setText(FromGameText(session_.ShownName()));
    description_->setPlainText(WithoutCarriageReturns(FromGameText(session_.ShownDescription())));
    price_->setText(QString::fromStdString(session_.ShownPrice()));
    const bool canEdit = session_.CanEdit();
    const bool textsEditable = canEdit && session_.AreStringsEditable();
    name_->setReadOnly(!textsEditable);
    description_->setReadOnly(!textsEditable);
    price_->setReadOnly(!canEdit);
    setAll_->setEnabled(textsEditable);
    state_->setText(QString::fromUtf8(session_.ObjectStateLine()));
    showing_ = false;
}

void CSimpleEditObjectDialog::Apply() {
    if (showing_ || !session_.CanEdit()) return;
    // A message box takes the focus from the edit: the Apply that this would start again is skipped.
    showing_ = true;
    // The texts are stored as the 8-bit bytes of exactly what the edits show; one holding a character those texts
    // cannot hold is refused with a message, and its edit shows the stored text again.
    std::string name = session_.Name();
    std::string description = session_.Description();
    Windows1252Fault fault;
    std::string typed;
    bool refusedName = false, refusedDescription = false;
    if (ToGameText(name_->text(), typed, &fault)) {
        name = typed;
    } else {
        refusedName = true;
        WarnUnstorableText("name", fault);
    }
    if (ToGameText(PlainTextOf(*description_), typed, &fault)) {
        description = typed;
    } else {
        refusedDescription = true;
        WarnUnstorableText("description", fault);
    }
    std::string shownPrice;
    const std::string priceText = price_->text().toStdString();
    session_.Apply(name, priceText, description, &shownPrice);
    if (priceText != shownPrice) price_->setText(QString::fromStdString(shownPrice));
    if (refusedName) name_->setText(FromGameText(session_.ShownName()));
    if (refusedDescription) description_->setPlainText(WithoutCarriageReturns(FromGameText(session_.ShownDescription())));
    showing_ = false;
}

bool CSimpleEditObjectDialog::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == name_ || watched == price_ || watched == description_) && event->type() == QEvent::FocusOut)
        Apply();
    return QDialog::eventFilter(watched, event);
}

void CSimpleEditObjectDialog::OnLanguageChosen(int index) {
    Apply();
    session_.ChooseLanguage(index + 1);
    Show();
}

void CSimpleEditObjectDialog::OnSetAll() {
    if (!EditObjectSession::ConfirmSetAllLanguages()) return;
    Apply();
    session_.SetAllLanguages();
}

void CSimpleEditObjectDialog::OnEditDefinition() {
    Apply();
    OpenerSlot()(entry_, this);
    session_.Load();
    Show();
}

void CSimpleEditObjectDialog::accept() {
    Apply();
    QDialog::accept();
}
