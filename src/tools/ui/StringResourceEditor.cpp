// StringResourceEditor: the string view window.
#include "tools/ui/StringResourceEditor.h"

#include <QPlainTextEdit>

#include "app/ui/UiText.h"
#include "tools/StringResourceText.h"
#include "tools/ui/ToolWindowPlacement.h"

StringResourceEditor::StringResourceEditor(iResFile& file, ResID id, QWidget* parent)
    : ResourceTextView("9050", QStringLiteral("String Resource Editor"), parent) {
    const StringResourceView view = StringResourceText(file, id);
    setWindowTitle(FromGameText(view.title));
    text_->setPlainText(WithoutCarriageReturns(FromGameText(view.text)));
    resize(480, 360);
}

StringResourceEditor* StringResourceEditor::Open(iResFile& file, ResID id) {
    auto* view = new StringResourceEditor(file, id, ToolWindowReference());
    PlaceAndShow(view);
    return view;
}
