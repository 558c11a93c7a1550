// DialogControls: controls made the way every dialog of the program makes them: named by their control number,
// so tests and the help find them, and buttons that never become the default by taking the focus.
#pragma once

#include <QString>

class QPushButton;
class QWidget;

// A push button with `caption` (UTF-8) named `id`; only a button set default on purpose answers Enter.
QPushButton* MakeButton(QWidget* parent, int id, const char* caption);

// Names a control by its number and hands it back, for use where it is made.
template <class T>
T* Named(T* widget, int id) {
    widget->setObjectName(QString::number(id));
    return widget;
}
