// QtProgressHost: opening, writing and finishing progress windows for the core's log operations.
#include "app/ui/QtProgressHost.h"

#include <QGuiApplication>
#include <QScreen>

#include "app/ui/CProgressMeter.h"
#include "app/ui/UiText.h"

QtProgressHost::QtProgressHost(QWidget* centreOver) : centreOver_(centreOver) {}

QtProgressHost::~QtProgressHost() {
    if (GetProgressHost() == this) SetProgressHost(nullptr);
}

void QtProgressHost::Begin(const char* title, int32_t total, int32_t start) {
    auto* meter = new CProgressMeter(centreOver_);
    connect(meter, &CProgressMeter::closing, this, &QtProgressHost::OnClosing);
    current_ = meter;
    // Centred over the main window (over the screen without one) before it is first shown.
    QRect over = centreOver_ ? centreOver_->frameGeometry() : QRect();
    if (over.isEmpty() && QGuiApplication::primaryScreen()) over = QGuiApplication::primaryScreen()->geometry();
    if (!over.isEmpty()) meter->move(over.center() - meter->rect().center());
    meter->Begin(FromDisplayText(title ? title : ""), total, start);
}

void QtProgressHost::Log(int32_t step, const char* text, int style, uint8_t red, uint8_t green, uint8_t blue,
                         bool redraw) {
    if (!current_) return;
    current_->Step(step);
    if (text) current_->Append(FromDisplayText(text), style, red, green, blue, false);
    if (redraw && current_) current_->PaintNow();
}

void QtProgressHost::End() {
    if (!current_) return;
    CProgressMeter* meter = current_;
    current_ = nullptr;
    meter->Finish();
}

void QtProgressHost::SetRange(int32_t total, int32_t position) {
    if (current_) current_->SetRange(total, position);
}

void QtProgressHost::OnClosing(CProgressMeter* meter) {
    if (meter != current_) return;
    current_ = nullptr;
    // The operation goes on without a window: its log lines go nowhere.
    if (GetProgressHost() == this) ProgressDropCurrent();
}
