// ObjectEditorDialog: the shared session, viewer and save.
#include "objects/ui/ObjectEditorDialog.h"

#include "app/ObjectFile.h"
#include "app/Prompt.h"
#include "objects/ui/CViewDrawGroups.h"

ObjectEditorDialog::ObjectEditorDialog(ObjectEntry& entry, const char* dialogId, const QString& title,
                                       QWidget* parent)
    : QDialog(parent), session_(entry), entry_(entry) {
    setObjectName(QString::fromLatin1(dialogId));
    setWindowTitle(title);
    setModal(true);
}

void ObjectEditorDialog::OnViewObject() {
    StoreEdits();
    if (!entry_.owner || !entry_.owner->file) return;
    CViewDrawGroups viewer(entry_, this);
    viewer.exec();
}

void ObjectEditorDialog::WarnUnstorableText(const char* what, const Windows1252Fault& fault) {
    ShowMessageBox(kUnstorableTextTitle, UnstorableTextMessage(what, fault), MessageKind::Warning);
}

void ObjectEditorDialog::done(int result) {
    if (ResErr err = session_.Save()) ShowMessageBox("Error!", SaveFailureText(session_.GetPath(), err), MessageKind::Error);
    QDialog::done(result);
}
