// StringResourceEditor: the read-only view of one string set in the current language (dialog 9050).
#pragma once

#include <QDialog>

#include "resfile/ResTypes.h"

class iResFile;
class QPlainTextEdit;

// Modeless; deletes itself when closed. Title and text are made once as the window opens.
class StringResourceEditor : public QDialog {
    Q_OBJECT
public:
    StringResourceEditor(iResFile& file, ResID id, QWidget* parent = nullptr);
    // Makes a view, places it by the tool window rule and shows it.
    static StringResourceEditor* Open(iResFile& file, ResID id);

    QPlainTextEdit* Text() const { return text_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QPlainTextEdit* text_ = nullptr;
};
