// ResourceTextView: the text control, its layout and where the window opens.
#include "tools/ui/ResourceTextView.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

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
    // The text fills the window, one pixel inside its edges.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(text_);
}

void ResourceTextView::PlaceAndShow(ResourceTextView* view) {
    PlaceToolWindow(view);
    view->show();
}
