// ToolWindowPlacement: the placement rule of the tool windows.
#include "tools/ui/ToolWindowPlacement.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

namespace {
QPointer<QWidget> gReference;
}  // namespace

void SetToolWindowReference(QWidget* mainWindow) { gReference = mainWindow; }

QWidget* ToolWindowReference() { return gReference; }

QPoint PlaceToolWindow(const QRect& mainFrame, const QSize& size, const QSize& screen) {
    int top = mainFrame.bottom() + 1;
    int left = mainFrame.right() + 1 - size.width();
    if (screen.height() - 32 < size.height() + top) {
        top = mainFrame.top() + 74;
        left -= 4;
    }
    if (screen.width() < size.width() + left) {
        // Kept 4 pixels inside the right edge of the screen.
        left = size.width() > screen.width() ? 4 : screen.width() - size.width() - 4;
    }
    return QPoint(left, top);
}

void PlaceToolWindow(QWidget* window) {
    if (!window || !gReference) return;
    QScreen* screen = gReference->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize(1 << 14, 1 << 14);
    const QSize frame = window->frameGeometry().size();
    window->move(PlaceToolWindow(gReference->frameGeometry(), frame, screenSize));
}
