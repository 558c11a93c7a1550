// CExportWhizzer: builds the presets dialog's controls from the model's control table, relays every click to the
// model and shows its state again; OK hands the recorded options to the exporter.
#include "export/ui/CExportWhizzer.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <functional>
#include <utility>

#include "app/ObjectFile.h"
#include "app/ui/ProgramPictures.h"
#include "app/ui/UiText.h"
#include "resfile/StdResFile.h"

namespace {

constexpr int kDescriptionWidth = 360;
constexpr int kDescriptionLines = 3;

// A label or picture that acts on the control it describes when clicked.
class ShortcutLabel : public QLabel {
public:
    ShortcutLabel(QWidget* parent, std::function<void()> onClick) : QLabel(parent), onClick_(std::move(onClick)) {
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) onClick_();
        QLabel::mouseReleaseEvent(event);
    }

private:
    std::function<void()> onClick_;
};

std::string ChooseDocumentToSave(const std::string& startDirectory, const std::string& defaultName,
                                 std::string& endDirectory) {
    QFileDialog dialog(QApplication::activeWindow(), QStringLiteral("Export Object File"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("xml"));
    dialog.setNameFilter(QStringLiteral("XML File (*.xml)"));
    dialog.setDirectory(FromHostText(startDirectory));
    dialog.selectFile(FromHostText(defaultName));
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    endDirectory = ToHostText(dialog.directory().absolutePath());
    return chosen ? ToHostText(dialog.selectedFiles().first()) : std::string();
}

ExportSaveDialog& SaveDialogSlot() {
    static ExportSaveDialog dialog = ChooseDocumentToSave;
    return dialog;
}

}  // namespace

CExportWhizzer::CExportWhizzer(QWidget* parent) : QDialog(parent) {
    setObjectName(QString::number(kExportWhizzerDialogId));
    setWindowTitle(QString::fromUtf8(kExportWhizzerTitle));
    setModal(true);
    BuildControls();
    Refresh();
}

void CExportWhizzer::SetSaveDialog(ExportSaveDialog dialog) {
    SaveDialogSlot() = dialog ? std::move(dialog) : ExportSaveDialog(ChooseDocumentToSave);
}

void CExportWhizzer::SetObjectFile(ObjectFile* file) {
    file_ = file;
    std::string path;
    if (file && file->file && file->file->GetPath(path) != kNoErr) path.clear();
    model_.SetObjectFilePath(path);
    Refresh();
}

void CExportWhizzer::ClickControl(int id) {
    model_.Click(id);
    Refresh();
}

void CExportWhizzer::BuildControls() {
    auto* outer = new QVBoxLayout(this);
    QGridLayout* grid = nullptr;
    int row = -1;
    int column = 0;
    auto newGrid = [&](QWidget* holder) {
        grid = new QGridLayout(holder);
        grid->setColumnStretch(3, 1);
        row = -1;
    };
    auto* top = new QWidget(this);
    newGrid(top);
    outer->addWidget(top);
    auto* buttons = new QDialogButtonBox(this);

    for (const WhizControl& c : GetExportWhizzerControls()) {
        const QString text = QString::fromUtf8(c.text);
        QWidget* widget = nullptr;
        const int id = c.id;
        switch (c.kind) {
        case WhizControlKind::Group: {
            auto* group = new QGroupBox(text, this);
            outer->addWidget(group);
            newGrid(group);
            widget = group;
            break;
        }
        case WhizControlKind::CheckBox:
        case WhizControlKind::Radio: {
            QAbstractButton* button = c.kind == WhizControlKind::CheckBox
                                          ? static_cast<QAbstractButton*>(new QCheckBox(text))
                                          : static_cast<QAbstractButton*>(new QRadioButton(text));
            // The model decides which preset is selected; Qt's own exclusivity would fight it.
            if (auto* radio = qobject_cast<QRadioButton*>(button)) radio->setAutoExclusive(false);
            connect(button, &QAbstractButton::clicked, this, [this, id] { ClickControl(id); });
            grid->addWidget(button, ++row, 0);
            column = 1;
            widget = button;
            break;
        }
        case WhizControlKind::Label:
        case WhizControlKind::Picture: {
            QLabel* label = c.target ? new ShortcutLabel(nullptr, [this, id] { ClickControl(id); }) : new QLabel;
            if (c.kind == WhizControlKind::Picture) {
                label->setPixmap(QPixmap::fromImage(ProgramPicture(c.picture)));
            } else {
                label->setText(text);
            }
            if (!c.target) {
                // The caption of the path: it starts a row of its own.
                grid->addWidget(label, ++row, 0);
                column = 1;
            } else if (c.kind == WhizControlKind::Label && c.target >= kWhizPresetOneZoomOneChannel &&
                       c.target <= kWhizPresetAllZoomsAllChannels) {
                // A preset's description takes the rest of its row.
                label->setWordWrap(true);
                label->setMinimumWidth(kDescriptionWidth);
                // Room for the longest of the texts it takes, so a changed text never gets cut.
                label->setMinimumHeight(label->fontMetrics().lineSpacing() * kDescriptionLines);
                grid->addWidget(label, row, column++, 1, -1);
            } else {
                grid->addWidget(label, row, column++);
            }
            widget = label;
            break;
        }
        case WhizControlKind::Edit: {
            auto* edit = new QLineEdit;
            edit->setReadOnly(true);
            grid->addWidget(edit, row, column, 1, -1);
            widget = edit;
            break;
        }
        case WhizControlKind::Button: {
            QPushButton* button = buttons->addButton(
                text, id == kWhizOk ? QDialogButtonBox::AcceptRole : QDialogButtonBox::RejectRole);
            button->setDefault(id == kWhizOk);
            widget = button;
            break;
        }
        }
        if (id > 0) widget->setObjectName(QString::number(id));
        widget->setToolTip(QString::fromUtf8(c.tip));
        if (id > 0) controls_[id] = widget;
    }
    outer->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CExportWhizzer::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CExportWhizzer::reject);
}

void CExportWhizzer::Refresh() {
    for (const auto& [id, widget] : controls_) {
        const WhizControl* c = FindExportWhizzerControl(id);
        if (!c) continue;
        widget->setEnabled(model_.IsEnabled(id));
        if (c->kind != WhizControlKind::Group && c->kind != WhizControlKind::Button)
            widget->setVisible(model_.IsVisible(id));
        if (auto* button = qobject_cast<QAbstractButton*>(widget); button && button->isCheckable()) {
            const QSignalBlocker quiet(button);
            button->setChecked(model_.IsChecked(id));
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            edit->setText(FromHostText(model_.GetText(id)));
        } else if (auto* label = qobject_cast<QLabel*>(widget); label && c->kind == WhizControlKind::Label) {
            label->setText(FromHostText(model_.GetText(id)));
        }
    }
}

void CExportWhizzer::accept() {
    if (!file_) {
        done(kWhizResultCancel);
        return;
    }
    ObjectExporter exporter(*file_);
    const bool ran = exporter.Export(model_.BuildOptions(), SaveDialogSlot());
    done(ExportWhizzerModel::ResultAfterExport(ran));
}

void CExportWhizzer::reject() { done(kWhizResultCancel); }
