// CSimpleEditObjectDialog: the object editor (dialog 9054, "Edit Object"): the catalogue name and description per
// language and the price; opens the definition editor and the viewer. Every change is stored at once.
#pragma once

#include <QDialog>

#include "objects/EditObjectSession.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class CSimpleEditObjectDialog : public QDialog {
    Q_OBJECT
public:
    // Modal; opens on one entry of the catalogue (its file must be open) in the program's current language.
    explicit CSimpleEditObjectDialog(ObjectEntry& entry, QWidget* parent = nullptr);

    // Stores the three edits (price clamped at 32767, texts saved for the current language); nothing on a
    // read-only file.
    void Apply();
    const EditObjectSession& Session() const { return session_; }

    // Opens the definition editor modally; tests replace it. The default runs CEditObject.
    using DefinitionEditorOpener = void (*)(ObjectEntry& entry, QWidget* parent);
    static void SetDefinitionEditorOpener(DefinitionEditorOpener opener);

public slots:
    void OnLanguageChosen(int index);
    void OnSetAll();
    void OnEditDefinition();
    void OnViewObject();
    void accept() override;
    // Saves what the editor stored as the dialog closes, however it closes; a failure is shown.
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void Show();

    EditObjectSession session_;
    ObjectEntry& entry_;
    bool showing_ = false;

    QLabel* state_ = nullptr;
    QComboBox* language_ = nullptr;
    QPushButton* setAll_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* price_ = nullptr;
    QPlainTextEdit* description_ = nullptr;
};
