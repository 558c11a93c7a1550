// CProgressMeter: the progress log window and its text styles.
#include "app/ui/CProgressMeter.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextEdit>

#include "app/Progress.h"

namespace {
constexpr int kMargin = 4;
constexpr int kLogId = 1045;
constexpr int kBarId = 1043;
}  // namespace

CProgressMeter::CProgressMeter(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("9055"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setSizeGripEnabled(true);

    log_ = new QTextEdit(this);
    log_->setObjectName(QString::number(kLogId));
    log_->setReadOnly(true);
    log_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    log_->setLineWrapMode(QTextEdit::WidgetWidth);
    log_->setUndoRedoEnabled(false);

    bar_ = new QProgressBar(this);
    bar_->setObjectName(QString::number(kBarId));
    bar_->setTextVisible(false);

    ok_ = new QPushButton(tr("OK"), this);
    ok_->setObjectName(QStringLiteral("1"));
    ok_->hide();
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    resize(520, 340);
    Layout();
}

void CProgressMeter::Begin(const QString& title, int32_t total, int32_t start) {
    total_ = total;
    position_ = start;
    ShowPosition();
    log_->clear();
    // A fresh document starts in the plain face.
    QTextCharFormat plain;
    plain.setFontFamilies({QStringLiteral("Helvetica")});
    plain.setFontWeight(QFont::Normal);
    plain.setForeground(QColor(0, 0, 0));
    log_->setCurrentCharFormat(plain);
    ok_->hide();
    bar_->show();
    setWindowTitle(title);
    show();
    PaintNow();
}

void CProgressMeter::Step(int32_t step) {
    if (step <= 0) return;
    position_ += step;
    ShowPosition();
}

void CProgressMeter::Append(const QString& text, int style, uint8_t red, uint8_t green, uint8_t blue, bool redraw) {
    const QString lines = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QTextCursor cursor(log_->document());
    cursor.movePosition(QTextCursor::End);
    const int start = cursor.position();
    cursor.insertText(lines);
    // Select what was added and give it the colour, and the face and weight of its style.
    cursor.setPosition(start);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    QTextCharFormat format;
    format.setForeground(QColor(red, green, blue));
    switch (style) {
        case 0:
            format.setFontFamilies({QStringLiteral("Helvetica")});
            format.setFontWeight(QFont::Normal);
            break;
        case 1:
        case 2:
        case 3:
            format.setFontFamilies({QStringLiteral("Helvetica")});
            format.setFontWeight(QFont::Bold);
            break;
        case 4:
            format.setFontFamilies({QStringLiteral("Courier")});
            format.setFontWeight(QFont::Bold);
            break;
        default:
            break;  // only the colour changes
    }
    cursor.mergeCharFormat(format);
    cursor.clearSelection();
    cursor.movePosition(QTextCursor::End);
    log_->setTextCursor(cursor);
    // The last line stays in view without the user scrolling.
    log_->ensureCursorVisible();
    log_->verticalScrollBar()->setValue(log_->verticalScrollBar()->maximum());
    if (redraw) PaintNow();
}

void CProgressMeter::SetRange(int32_t total, int32_t position) {
    total_ = total;
    position_ = position;
    ShowPosition();
}

void CProgressMeter::Finish() {
    bar_->hide();
    ok_->show();
    PaintNow();
}

void CProgressMeter::PaintNow() {
    if (!isVisible()) return;
    repaint();
    // Work that logs runs on this thread: let the window system see the new picture (paint and expose
    // events only; input waits until the work is done).
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CProgressMeter::ShowPosition() {
    // The bar shows an empty range as empty, not as busy, and a position past the range as full.
    const int maximum = total_ > 0 ? total_ : 1;
    bar_->setRange(0, maximum);
    int64_t value = position_ < 0 ? 0 : position_;
    if (value > maximum) value = maximum;
    bar_->setValue(static_cast<int>(value));
}

void CProgressMeter::Layout() {
    const int w = width();
    const int h = height();
    const int rowHeight = std::max(bar_->sizeHint().height(), ok_->sizeHint().height());
    const int rowTop = h - kMargin - rowHeight;
    log_->setGeometry(0, 0, w, std::max(0, rowTop - kMargin));
    bar_->setGeometry(kMargin, rowTop, std::max(0, w - 2 * kMargin), rowHeight);
    ok_->setGeometry(kMargin, rowTop, std::max(0, w - 2 * kMargin), rowHeight);
}

void CProgressMeter::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Layout();
}

void CProgressMeter::closeEvent(QCloseEvent* event) {
    if (!closingSent_) {
        closingSent_ = true;
        emit closing(this);
    }
    QDialog::closeEvent(event);
}

void CProgressMeter::done(int result) {
    if (!closingSent_) {
        closingSent_ = true;
        emit closing(this);
    }
    QDialog::done(result);
}
