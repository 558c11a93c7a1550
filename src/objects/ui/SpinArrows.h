// SpinArrows: a pair of arrow buttons attached to a number edit, stepping its value by one within a range whose
// ends may be given in either order (a reversed range makes the up arrow lower the value).
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

class SpinArrows : public QWidget {
    Q_OBJECT
public:
    explicit SpinArrows(QWidget* parent = nullptr);

    // The edit whose number the arrows change.
    void SetBuddy(QLineEdit* buddy) { buddy_ = buddy; }
    // The up arrow moves the value toward `upper`, the down arrow toward `lower`.
    void SetRange(int lower, int upper);

    // One step toward the upper end (up arrow) or the lower end (down arrow), clamped to the range; the edit
    // shows the new value. Nothing without an edit.
    void StepUp() { Step(+1); }
    void StepDown() { Step(-1); }

    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

signals:
    // An arrow changed the edit's value.
    void stepped();

private:
    void Step(int towardUpper);

    QLineEdit* buddy_ = nullptr;
    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
    int lower_ = 0;
    int upper_ = 100;
};
