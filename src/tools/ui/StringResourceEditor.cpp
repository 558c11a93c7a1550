// StringResourceEditor: the string view window.
#include "tools/ui/StringResourceEditor.h"

#include <QPlainTextEdit>

#include "app/ui/UiText.h"
#include "tools/StringResourceText.h"
#include "tools/ui/ToolWindowPlacement.h"

StringResourceEditor::StringResourceEditor(iResFile& file, ResID id, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("9050"));
    setWindowTitle(QStringLiteral("String Resource Editor"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("1019"));
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    const StringResourceView view = StringResourceText(file, id);
    setWindowTitle(FromGameText(view.title));
    text_->setPlainText(WithoutCarriageReturns(FromGameText(view.text)));
    resize(480, 360);
}

StringResourceEditor* StringResourceEditor::Open(iResFile& file, ResID id) {
    auto* view = new StringResourceEditor(file, id, ToolWindowReference());
    PlaceToolWindow(view);
    view->show();
    return view;
}

void StringResourceEditor::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    text_->setGeometry(rect().adjusted(1, 1, -1, -1));
}
