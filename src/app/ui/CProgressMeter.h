// CProgressMeter: the progress log window (dialog 9055): a rich-text log in styles and colours, a bar, and an OK
// button that takes the bar's place when the operation is over.
#pragma once

#include <QDialog>
#include <cstdint>

class QProgressBar;
class QPushButton;
class QTextEdit;

// Modeless; deletes itself when closed (OK or the close box). Long operations run on the user-interface
// thread, so every append that asks for it paints at once.
class CProgressMeter : public QDialog {
    Q_OBJECT
public:
    explicit CProgressMeter(QWidget* parent = nullptr);

    // Range 0..total, position start, empty log, OK hidden, bar shown, the title; shows and paints the window.
    void Begin(const QString& title, int32_t total, int32_t start);
    // Advances the bar when step > 0.
    void Step(int32_t step);
    // Appends text (its "\r\n" line ends kept as line breaks) in the style and colour; keeps the last line in
    // view; paints at once when `redraw`.
    void Append(const QString& text, int style, uint8_t red, uint8_t green, uint8_t blue, bool redraw);
    void SetRange(int32_t total, int32_t position);
    // The operation is over: OK shown, bar hidden. The window stays until the user dismisses it.
    void Finish();
    // Paints the window now, also in the middle of synchronous work.
    void PaintNow();

    QTextEdit* Log() const { return log_; }
    QProgressBar* Bar() const { return bar_; }
    QPushButton* OkButton() const { return ok_; }
    int64_t Position() const { return position_; }

signals:
    // The window is closing (OK or close box); emitted once, before it is destroyed.
    void closing(CProgressMeter* meter);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

private:
    void Layout();
    void ShowPosition();

    QTextEdit* log_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QPushButton* ok_ = nullptr;
    int32_t total_ = 0;
    int64_t position_ = 0;
    bool closingSent_ = false;
};
