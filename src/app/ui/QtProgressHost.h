// QtProgressHost: the GUI's progress host: each log is a CProgressMeter window centred over the main window.
#pragma once

#include <QObject>
#include <QPointer>

#include "app/Progress.h"
#include "app/ui/CProgressMeter.h"

class QWidget;

// Finished windows stay on screen until dismissed. When the user closes the current window before the
// operation ends, the log operations stop writing into it.
class QtProgressHost : public QObject, public iProgressHost {
    Q_OBJECT
public:
    // `centreOver`: the window new logs are centred over (the main window); may be null.
    explicit QtProgressHost(QWidget* centreOver = nullptr);
    ~QtProgressHost() override;

    void SetCentreWindow(QWidget* window) { centreOver_ = window; }
    // The window the log writes into; null between logs.
    CProgressMeter* CurrentWindow() const { return current_; }

public:  // iProgressHost
    void Begin(const char* title, int32_t total, int32_t start) override;
    void Log(int32_t step, const char* text, int style, uint8_t red, uint8_t green, uint8_t blue, bool redraw) override;
    void End() override;
    void SetRange(int32_t total, int32_t position) override;

private:
    void OnClosing(CProgressMeter* meter);

    QPointer<QWidget> centreOver_;
    QPointer<CProgressMeter> current_;
};
