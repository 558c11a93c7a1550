// CViewDrawGroups: the draw group viewer (dialog 9053, "View Object"): an object's graphical states in four
// rotations and three zooms, its tiles together or one at a time, and the items of the shown view, which may be
// moved and mirrored on a writable file.
#pragma once

#include <QDialog>
#include <QImage>
#include <QTimer>

#include "objects/drawing/ViewDrawGroupsSession.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;
class SpinArrows;

class CViewDrawGroups : public QDialog {
    Q_OBJECT
public:
    // Modal; opens on one entry of the catalogue (its file must be open).
    explicit CViewDrawGroups(ObjectEntry& entry, QWidget* parent = nullptr);
    ~CViewDrawGroups() override;

    // The view the sliders show.
    int32_t ViewIndex() const;
    bool WhiteBackground() const { return white_; }
    // The picture shown; null when there is none.
    const QImage& Picture() const { return picture_; }
    // Composes and shows the selected state again.
    void Render();
    // Writes the shown item's offsets and Flip into its draw group (on a writable file) and renders again.
    void StoreSelectedItem();
    // True while a spin arrow's store waits for its timer.
    bool IsStorePending() const { return storePending_; }

    static constexpr int kSpinStoreMilliseconds = 100;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void FillStates();
    void ShowSelectedItem();
    void HideItemEditors();
    void OnSpinStepped();
    void OnSpinTimer();
    int TileChoice() const;
    void SetPicture(QImage picture);

    ViewDrawGroupsSession session_;
    ObjectEntry* itemsTile_ = nullptr;  // whose items are listed; null for "All Tiles"
    bool white_ = true;
    bool storePending_ = false;
    bool busy_ = false;  // rendering or storing
    QImage picture_;
    QTimer spinTimer_;

    QLabel* tileLabel_ = nullptr;
    QComboBox* tiles_ = nullptr;
    QListWidget* states_ = nullptr;
    QSlider* rotation_ = nullptr;
    QSlider* zoom_ = nullptr;
    QFrame* frame_ = nullptr;  // the picture frame
    QLabel* itemsHeader_ = nullptr;
    QListWidget* items_ = nullptr;
    QLabel* hint1_ = nullptr;
    QLabel* hint2_ = nullptr;
    QLabel* badToken_ = nullptr;  // 1121: the frames the picture drew only up to a bad token, in red
    QLabel* xLabel_ = nullptr;
    QLineEdit* xEdit_ = nullptr;
    SpinArrows* xSpin_ = nullptr;
    QLabel* yLabel_ = nullptr;
    QLineEdit* yEdit_ = nullptr;
    SpinArrows* ySpin_ = nullptr;
    QCheckBox* flip_ = nullptr;
    QPushButton* ok_ = nullptr;
};
