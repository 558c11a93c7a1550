// ResourceTextView: the window the hex and string views share: one read-only, unwrapped text filling it.
#pragma once

#include <QDialog>

class QPlainTextEdit;

// Modeless; deletes itself when closed. The text is set once as the window opens.
class ResourceTextView : public QDialog {
    Q_OBJECT
public:
    QPlainTextEdit* Text() const { return text_; }

protected:
    // `dialogId` names the window as the program's dialogs are named (the text control is 1019).
    ResourceTextView(const char* dialogId, const QString& title, QWidget* parent);
    // Places a new view by the tool window rule and shows it.
    static void PlaceAndShow(ResourceTextView* view);

    QPlainTextEdit* text_ = nullptr;
};
