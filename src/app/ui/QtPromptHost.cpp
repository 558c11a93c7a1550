// QtPromptHost: message boxes over the active window.
#include "app/ui/QtPromptHost.h"

#include <QApplication>
#include <QMessageBox>

#include "app/ui/UiText.h"

namespace {

QMessageBox::Icon IconOf(MessageKind kind) {
    switch (kind) {
        case MessageKind::Warning:
            return QMessageBox::Warning;
        case MessageKind::Error:
            return QMessageBox::Critical;
        case MessageKind::Question:
            return QMessageBox::Question;
        case MessageKind::Information:
            break;
    }
    return QMessageBox::Information;
}

}  // namespace

QtPromptHost::~QtPromptHost() {
    if (GetPromptHost() == this) SetPromptHost(nullptr);
}

void QtPromptHost::ShowMessage(const std::string& title, const std::string& text, MessageKind kind) {
    QMessageBox box(IconOf(kind), FromDisplayText(title), FromDisplayText(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool QtPromptHost::AskOkCancel(const std::string& title, const std::string& text, MessageKind kind) {
    QMessageBox box(IconOf(kind), FromDisplayText(title), FromDisplayText(text), QMessageBox::Ok | QMessageBox::Cancel,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}
