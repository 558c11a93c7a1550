// CCloneObjectDialog: the clone dialog (dialog 129, "Clone Object File"): the new file's name, the magic cookie and
// the objects to clone.
#pragma once

#include <QDialog>
#include <string>

#include "clone/CloneIntoCatalog.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class CCloneObjectDialog : public QDialog {
    Q_OBJECT
public:
    // Modal; proposes a unique default name, lists the source's roots and preselects the root at `selectedRoot`
    // (none when it is -1), and shows the program's magic cookie.
    CCloneObjectDialog(ObjectCatalog& catalog, ObjectFile& source, int selectedRoot, QWidget* parent = nullptr);

    // What OK did: on success the new catalogue record; on failure the error text. Empty before OK.
    const CloneOutcome& Outcome() const { return outcome_; }
    // The settings the controls hold now.
    CloneSettings Settings() const;

public slots:
    void accept() override;
    void OnSelectAll();
    void OnSelectNone();
    // Refreshes both status lines and OK's state.
    void UpdateStatus();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void StoreCookie();

    ObjectCatalog& catalog_;
    ObjectFile& source_;
    CloneOutcome outcome_;

    QLineEdit* name_ = nullptr;
    QLabel* nameStatus_ = nullptr;
    QLineEdit* cookie_ = nullptr;
    QLabel* selectionStatus_ = nullptr;
    QListWidget* roots_ = nullptr;
    QPushButton* ok_ = nullptr;
};
