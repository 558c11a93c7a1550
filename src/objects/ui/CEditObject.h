// CEditObject: the definition editor (dialog 9051, "Edit Object Definition"): every editable property of an object
// with its help text and the editor of its kind. Every change is stored at once.
#pragma once

#include "objects/ui/ObjectEditorDialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

class CEditObject : public ObjectEditorDialog {
    Q_OBJECT
public:
    // Modal; opens on one entry of the catalogue (its file must be open), loads it and shows row 0.
    explicit CEditObject(ObjectEntry& entry, QWidget* parent = nullptr);

    // Selects a row of the property list and shows it.
    void SelectRow(int row);
    int CurrentRow() const { return row_; }
    // Reads the shown editor back and stores it (nothing on a read-only file; list choices then snap back).
    void StoreCurrentRow();

public slots:
    void accept() override;

protected:
    void StoreEdits() override { StoreCurrentRow(); }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void ShowRow(int row);
    void OnListChoice();
    // The editor's value; `refused` when a catalogue text holds a character the game's texts cannot hold.
    PropertyInput ReadEditor(bool* refused, Windows1252Fault* fault) const;

    int row_ = -1;
    bool showing_ = false;  // editors are being filled: their signals store nothing
    bool editDirty_ = false;

    QPlainTextEdit* summary_ = nullptr;
    QListWidget* properties_ = nullptr;
    QPlainTextEdit* help_ = nullptr;
    QLabel* state_ = nullptr;
    QLineEdit* line_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    QCheckBox* check_ = nullptr;
    QListWidget* flags_ = nullptr;
    QListWidget* choice_ = nullptr;
};
