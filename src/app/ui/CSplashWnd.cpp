// CSplashWnd: the splash window and the input that ends it early.
#include "app/ui/CSplashWnd.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "app/ui/ProgramPictures.h"

QPointer<CSplashWnd> CSplashWnd::current_;

CSplashWnd* CSplashWnd::ShowSplashScreen(bool enabled) {
    if (!enabled || current_) return nullptr;
    QImage picture = ProgramPicture(kSplashPicture);
    if (picture.isNull()) return nullptr;
    auto* splash = new CSplashWnd(picture);
    current_ = splash;
    if (QScreen* screen = QGuiApplication::primaryScreen())
        splash->move(screen->geometry().center() - splash->rect().center());
    splash->show();
    splash->repaint();
    return splash;
}

CSplashWnd* CSplashWnd::Current() { return current_; }

CSplashWnd::CSplashWnd(const QImage& picture)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), picture_(picture) {
    setObjectName(QStringLiteral("splash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(picture_.size());
    setCursor(Qt::ArrowCursor);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &CSplashWnd::HideSplashScreen);
    timer_.start(kLifeMilliseconds);
    // Key presses and mouse presses anywhere in the program end the splash and go no further.
    qApp->installEventFilter(this);
}

CSplashWnd::~CSplashWnd() {
    if (qApp) qApp->removeEventFilter(this);
}

void CSplashWnd::HideSplashScreen() {
    if (hiding_) return;
    hiding_ = true;
    timer_.stop();
    qApp->removeEventFilter(this);
    hide();
    close();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible()) w->update();
}

void CSplashWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, picture_);
}

bool CSplashWnd::eventFilter(QObject* watched, QEvent* event) {
    // Only widget-level events count: the same input passes through the window object first.
    if (!watched->isWidgetType() || hiding_) return QWidget::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::ShortcutOverride:
            // Claimed, so that no shortcut fires; the key press that follows ends the splash.
            event->accept();
            return true;
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonDblClick:
            HideSplashScreen();
            return true;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}
