// HexResourceEditor: the hex view window.
#include "tools/ui/HexResourceEditor.h"

#include <QFontDatabase>
#include <QPlainTextEdit>

#include "app/ui/UiText.h"
#include "tools/HexResourceText.h"
#include "tools/ui/ToolWindowPlacement.h"

HexResourceEditor::HexResourceEditor(iResFile& file, ResType type, ResID id, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("9049"));
    setWindowTitle(QStringLiteral("Hex Resource Editor"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("1019"));
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // Bytes show as the characters of their codes, 0x7F and 0x80 and above included.
    text_->setPlainText(WithoutCarriageReturns(FromGameText(HexResourceText(file, type, id))));
    QFontMetrics metrics(text_->font());
    resize(metrics.horizontalAdvance(QLatin1Char('0')) * 70 + 40, 360);
}

HexResourceEditor* HexResourceEditor::Open(iResFile& file, ResType type, ResID id) {
    auto* view = new HexResourceEditor(file, type, id, ToolWindowReference());
    PlaceToolWindow(view);
    view->show();
    return view;
}

void HexResourceEditor::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    text_->setGeometry(rect().adjusted(1, 1, -1, -1));
}
