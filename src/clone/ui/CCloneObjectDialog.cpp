// CCloneObjectDialog: the clone dialog's controls, its status texts and its OK, which hands over to RunClone.
#include "clone/ui/CCloneObjectDialog.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "app/AppSettings.h"
#include "app/ObjectCatalog.h"
#include "app/WebPage.h"
#include "app/ui/DialogControls.h"
#include "app/ui/UiText.h"
#include "clone/CloneName.h"
#include "objects/definitions/EditObjectProperties.h"

namespace {

constexpr int kMaxFieldText = 255;

QLabel* MakeStatus(QWidget* parent, int id) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::number(id));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

// A field's text as the dialog reads it: at most 255 characters.
std::string FieldText(const QLineEdit* edit) { return ToHostText(edit->text()).substr(0, kMaxFieldText); }

}  // namespace

CCloneObjectDialog::CCloneObjectDialog(ObjectCatalog& catalog, ObjectFile& source, int selectedRoot,
                                       QWidget* parent)
    : QDialog(parent), catalog_(catalog), source_(source) {
    setObjectName(QStringLiteral("129"));
    setWindowTitle(QStringLiteral("Clone Object File"));
    setModal(true);
    BuildControls();

    name_->setText(FromHostText(DefaultCloneName(catalog_, source_)));
    for (const ObjectEntry* root : source_.roots) roots_->addItem(FromGameText(root->name));
    roots_->clearSelection();
    if (selectedRoot >= 0 && selectedRoot < roots_->count()) roots_->item(selectedRoot)->setSelected(true);
    cookie_->setText(QString::number(MagicCookie()));
    UpdateStatus();

    connect(name_, &QLineEdit::textChanged, this, &CCloneObjectDialog::UpdateStatus);
    connect(roots_, &QListWidget::itemSelectionChanged, this, &CCloneObjectDialog::UpdateStatus);
}

void CCloneObjectDialog::BuildControls() {
    auto* layout = new QGridLayout(this);

    layout->addWidget(new QLabel(QStringLiteral("New Object File Name:"), this), 0, 0);
    nameStatus_ = MakeStatus(this, 1050);
    layout->addWidget(nameStatus_, 0, 1);
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("1012"));
    name_->setMaxLength(kMaxFieldText);
    layout->addWidget(name_, 1, 0, 1, 2);

    layout->addWidget(new QLabel(QStringLiteral("Magic Cookie Number (0 if not known):"), this), 2, 0);
    auto* cookieRow = new QHBoxLayout;
    cookie_ = new QLineEdit(this);
    cookie_->setObjectName(QStringLiteral("1109"));
    cookie_->setMaxLength(kMaxFieldText);
    cookie_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), cookie_));
    cookie_->installEventFilter(this);
    cookieRow->addWidget(cookie_);
    QPushButton* getCookie = MakeButton(this, 5, "Get Magic Cookie");
    connect(getCookie, &QPushButton::clicked, this,
            [] { OpenWebPage(kMagicCookieRegistryTitle, kMagicCookieRegistryUrl); });
    cookieRow->addWidget(getCookie);
    layout->addLayout(cookieRow, 3, 0, 1, 2);

    layout->addWidget(new QLabel(QStringLiteral("Select Objects to Clone:"), this), 4, 0);
    selectionStatus_ = MakeStatus(this, 1052);
    layout->addWidget(selectionStatus_, 4, 1);
    auto* selectRow = new QHBoxLayout;
    QPushButton* all = MakeButton(this, 3, "Select All");
    QPushButton* none = MakeButton(this, 4, "Select None");
    connect(all, &QPushButton::clicked, this, &CCloneObjectDialog::OnSelectAll);
    connect(none, &QPushButton::clicked, this, &CCloneObjectDialog::OnSelectNone);
    selectRow->addWidget(all);
    selectRow->addWidget(none);
    selectRow->addStretch();
    layout->addLayout(selectRow, 5, 0, 1, 2);
    roots_ = new QListWidget(this);
    roots_->setObjectName(QStringLiteral("1014"));
    // Each click toggles its line.
    roots_->setSelectionMode(QAbstractItemView::MultiSelection);
    layout->addWidget(roots_, 6, 0, 1, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    ok_ = MakeButton(this, 1, "OK");
    ok_->setDefault(true);
    QPushButton* cancel = MakeButton(this, 2, "Cancel");
    connect(ok_, &QPushButton::clicked, this, &CCloneObjectDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &CCloneObjectDialog::reject);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 7, 0, 1, 2);
}

CloneSettings CCloneObjectDialog::Settings() const {
    CloneSettings settings;
    settings.nameText = FieldText(name_);
    settings.cookie = ParseLeadingDecimal(FieldText(cookie_));
    settings.selectedRoots.resize(static_cast<size_t>(roots_->count()));
    for (int i = 0; i < roots_->count(); ++i) settings.selectedRoots[static_cast<size_t>(i)] = roots_->item(i)->isSelected();
    return settings;
}

void CCloneObjectDialog::UpdateStatus() {
    const CloneSettings settings = Settings();
    const bool anySelected = !roots_->selectedItems().isEmpty();
    selectionStatus_->setText(QString::fromUtf8(anySelected ? kCloneSelectionOk : kCloneSelectionMissing));
    nameStatus_->setText(
        QString::fromUtf8(IsCloneNameUnique(catalog_, settings.nameText) ? kCloneNameUnique : kCloneNameTaken));
    ok_->setEnabled(CanClone(catalog_, settings));
}

void CCloneObjectDialog::OnSelectAll() {
    roots_->selectAll();
    UpdateStatus();
}

void CCloneObjectDialog::OnSelectNone() {
    roots_->clearSelection();
    UpdateStatus();
}

void CCloneObjectDialog::StoreCookie() { StoreMagicCookie(ParseLeadingDecimal(FieldText(cookie_))); }

bool CCloneObjectDialog::eventFilter(QObject* watched, QEvent* event) {
    // The cookie is written whenever its field loses the focus, even when the clone is then cancelled.
    if (watched == cookie_ && event->type() == QEvent::FocusOut) StoreCookie();
    return QDialog::eventFilter(watched, event);
}

void CCloneObjectDialog::accept() {
    if (!ok_->isEnabled()) return;
    outcome_ = RunClone(catalog_, source_, Settings());
    if (outcome_.ok)
        QDialog::accept();
    else
        QDialog::reject();
}
