// ToolWindowPlacement: where the resource tool windows (browser, hex view, string view) open: under the main
// window, right-aligned with it, kept on the screen.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// The main window that tool windows are placed against (start-up remembers it); null for none.
void SetToolWindowReference(QWidget* mainWindow);
QWidget* ToolWindowReference();

// The top-left corner of a tool window of `size` (its frame): top at the main window's bottom, right edge at
// the main window's right edge. When it would reach into the bottom 32 pixels of the screen, its top moves to the
// main window's top plus 74 and it moves 4 pixels left. When it would pass the screen's right edge, its left
// edge becomes the screen width minus its width and 4 more pixels (4 when it is wider than the screen).
QPoint PlaceToolWindow(const QRect& mainFrame, const QSize& size, const QSize& screen);
// Moves the window by that rule against the reference window; nothing without one.
void PlaceToolWindow(QWidget* window);
