// ResourceTextView: the text control, its geometry and where the window opens.
#include "tools/ui/ResourceTextView.h"

#include <QPlainTextEdit>

#include "tools/ui/ToolWindowPlacement.h"

ResourceTextView::ResourceTextView(const char* dialogId, const QString& title, QWidget* parent) : QDialog(parent) {
    setObjectName(QString::fromLatin1(dialogId));
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("1019"));
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
}

void ResourceTextView::PlaceAndShow(ResourceTextView* view) {
    PlaceToolWindow(view);
    view->show();
}

void ResourceTextView::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    text_->setGeometry(rect().adjusted(1, 1, -1, -1));
}
