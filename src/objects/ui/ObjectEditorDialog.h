// ObjectEditorDialog: what the two object editors share: the session on one catalogue entry, the viewer they open,
// and the save as they close.
#pragma once

#include <QDialog>

#include "objects/definitions/EditObjectSession.h"

class ObjectEditorDialog : public QDialog {
    Q_OBJECT
public:
    const EditObjectSession& Session() const { return session_; }

public slots:
    // Stores the edits, then shows the object in the viewer, modally (nothing when its file is no longer open).
    void OnViewObject();
    // Saves what the editor stored as the dialog closes, however it closes; a failure is shown.
    void done(int result) override;

protected:
    // Modal, named and titled as the dialog `dialogId`; the entry's file must be open.
    ObjectEditorDialog(ObjectEntry& entry, const char* dialogId, const QString& title, QWidget* parent);
    // Stores what the editors hold, as leaving them would.
    virtual void StoreEdits() = 0;
    // Tells that the typed catalogue `what` ("name", "description") was not stored: it holds the character of
    // `fault`, which the game's texts cannot hold.
    static void WarnUnstorableText(const char* what, const Windows1252Fault& fault);

    EditObjectSession session_;
    ObjectEntry& entry_;
};
