// HexResourceEditor: the hex view window.
#include "tools/ui/HexResourceEditor.h"

#include <QFontDatabase>
#include <QPlainTextEdit>

#include "app/ui/UiText.h"
#include "tools/HexResourceText.h"
#include "tools/ui/ToolWindowPlacement.h"

HexResourceEditor::HexResourceEditor(iResFile& file, ResType type, ResID id, QWidget* parent)
    : ResourceTextView("9049", QStringLiteral("Hex Resource Editor"), parent) {
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // Bytes show as the characters of their codes, 0x7F and 0x80 and above included.
    text_->setPlainText(WithoutCarriageReturns(FromGameText(HexResourceText(file, type, id))));
    QFontMetrics metrics(text_->font());
    resize(metrics.horizontalAdvance(QLatin1Char('0')) * 70 + 40, 360);
}

HexResourceEditor* HexResourceEditor::Open(iResFile& file, ResType type, ResID id) {
    auto* view = new HexResourceEditor(file, type, id, ToolWindowReference());
    PlaceAndShow(view);
    return view;
}
