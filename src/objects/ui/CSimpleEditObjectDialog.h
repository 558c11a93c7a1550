// CSimpleEditObjectDialog: the object editor (dialog 9054, "Edit Object"): the catalogue name and description per
// language and the price; opens the definition editor and the viewer. Every change is stored at once.
#pragma once

#include "objects/ui/ObjectEditorDialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class CSimpleEditObjectDialog : public ObjectEditorDialog {
    Q_OBJECT
public:
    // Modal; opens on one entry of the catalogue (its file must be open) in the program's current language.
    explicit CSimpleEditObjectDialog(ObjectEntry& entry, QWidget* parent = nullptr);

    // Stores the three edits (price clamped at 32767, texts saved for the current language); nothing on a
    // read-only file.
    void Apply();

    // Opens the definition editor modally; tests replace it. The default runs CEditObject.
    using DefinitionEditorOpener = void (*)(ObjectEntry& entry, QWidget* parent);
    static void SetDefinitionEditorOpener(DefinitionEditorOpener opener);

public slots:
    void OnLanguageChosen(int index);
    void OnSetAll();
    void OnEditDefinition();
    void accept() override;

protected:
    void StoreEdits() override { Apply(); }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void Show();

    bool showing_ = false;

    QLabel* state_ = nullptr;
    QComboBox* language_ = nullptr;
    QPushButton* setAll_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* price_ = nullptr;
    QPlainTextEdit* description_ = nullptr;
};
