// CSplashWnd: the splash window shown at program start: picture 137, borderless, for 750 ms or until the user
// presses a key or a mouse button.
#pragma once

#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class CSplashWnd : public QWidget {
    Q_OBJECT
public:
    // Shows the splash unless `enabled` is false or one exists already. No window is made when the picture
    // cannot be had. Returns the window (null when none was made).
    static CSplashWnd* ShowSplashScreen(bool enabled = true);
    // The splash on screen; null when there is none.
    static CSplashWnd* Current();
    // Hides and destroys the splash, then repaints the other windows of the program.
    void HideSplashScreen();

    static constexpr int kLifeMilliseconds = 750;

protected:
    explicit CSplashWnd(const QImage& picture);
    ~CSplashWnd() override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QImage picture_;
    QTimer timer_;
    bool hiding_ = false;
    static QPointer<CSplashWnd> current_;
};
