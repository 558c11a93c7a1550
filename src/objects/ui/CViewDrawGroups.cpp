// CViewDrawGroups: the draw group viewer window: states, sliders, the composed picture, tiles and item editors.
#include "objects/ui/CViewDrawGroups.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>

#include "app/ObjectFile.h"
#include "app/ui/UiText.h"
#include "objects/ui/SpinArrows.h"
#include "platform/Bitmap24.h"

namespace {

constexpr int kSpinRange = 999;
constexpr int kFrameBorder = 4;

QImage ToImage(const Bitmap24& bitmap) {
    QImage image(bitmap.GetWidth(), bitmap.GetHeight(), QImage::Format_RGB888);
    if (image.isNull()) return image;
    const size_t rowBytes = static_cast<size_t>(bitmap.GetWidth()) * 3;
    // The bitmap holds blue, green, red per pixel, the image red, green, blue; GetRow counts from the top.
    for (int32_t r = 0; r < bitmap.GetHeight(); ++r) {
        const uint8_t* src = bitmap.GetRow(r);
        uchar* dst = image.scanLine(r);
        for (size_t i = 0; i < rowBytes; i += 3) {
            dst[i] = src[i + 2];
            dst[i + 1] = src[i + 1];
            dst[i + 2] = src[i];
        }
    }
    return image;
}

// Marks the window busy for the life of the object.
class BusyScope {
public:
    explicit BusyScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~BusyScope() { flag_ = false; }

private:
    bool& flag_;
};

// The picture frame: a thin box with the composed picture 4 pixels inside its top-left corner.
class PictureFrame : public QFrame {
public:
    explicit PictureFrame(QWidget* parent) : QFrame(parent) { setFrameShape(QFrame::Box); }
    void SetPicture(const QImage& picture) {
        picture_ = picture;
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        if (picture_.isNull()) return;
        QPainter painter(this);
        painter.drawImage(kFrameBorder, kFrameBorder, picture_);
    }

private:
    QImage picture_;
};

QLabel* MakeLabel(QWidget* parent, int id, const char* text) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    if (id) label->setObjectName(QString::number(id));
    return label;
}

}  // namespace

CViewDrawGroups::CViewDrawGroups(ObjectEntry& entry, QWidget* parent) : QDialog(parent), session_(entry) {
    setObjectName(QStringLiteral("9053"));
    setWindowTitle(QStringLiteral("View Object"));
    BuildControls();

    // Opening: slider ranges and positions, the record, the tile chooser, the states with the first selected.
    rotation_->setRange(0, 3);
    rotation_->setValue(2);
    zoom_->setRange(0, 2);
    zoom_->setValue(0);
    session_.Load();
    if (session_.IsMultiTile()) {
        tileLabel_->setText(QString::fromUtf8(kMultiTileLabel));
        for (const std::string& choice : session_.TileChoices()) tiles_->addItem(FromGameText(choice));
        tiles_->setCurrentIndex(0);
        tiles_->show();
    } else {
        tileLabel_->setText(QString::fromUtf8(kSingleTileLabel));
        tiles_->setCurrentIndex(-1);
        tiles_->hide();
    }
    spinTimer_.setSingleShot(true);
    spinTimer_.setInterval(kSpinStoreMilliseconds);
    connect(&spinTimer_, &QTimer::timeout, this, &CViewDrawGroups::OnSpinTimer);
    xSpin_->SetBuddy(xEdit_);
    xSpin_->SetRange(-kSpinRange, kSpinRange);
    ySpin_->SetBuddy(yEdit_);
    // Reversed: the up arrow lowers the value, as up on the screen is a smaller row.
    ySpin_->SetRange(kSpinRange, -kSpinRange);

    {
        const QSignalBlocker block(states_);
        FillStates();
        if (states_->count() > 0) states_->setCurrentRow(0);
    }
    connect(tiles_, &QComboBox::currentIndexChanged, this, [this] {
        FillStates();
        Render();
    });
    connect(states_, &QListWidget::currentRowChanged, this, &CViewDrawGroups::Render);
    connect(rotation_, &QSlider::valueChanged, this, &CViewDrawGroups::Render);
    connect(zoom_, &QSlider::valueChanged, this, &CViewDrawGroups::Render);
    connect(items_, &QListWidget::currentRowChanged, this, &CViewDrawGroups::ShowSelectedItem);
    connect(flip_, &QCheckBox::clicked, this, &CViewDrawGroups::StoreSelectedItem);
    connect(xSpin_, &SpinArrows::stepped, this, &CViewDrawGroups::OnSpinStepped);
    connect(ySpin_, &SpinArrows::stepped, this, &CViewDrawGroups::OnSpinStepped);
    Render();
}

CViewDrawGroups::~CViewDrawGroups() {
    spinTimer_.stop();
    for (QObject* o : std::initializer_list<QObject*>{frame_, xEdit_, yEdit_}) o->removeEventFilter(this);
}

void CViewDrawGroups::BuildControls() {
    tileLabel_ = MakeLabel(this, 1052, kSingleTileLabel);
    tiles_ = new QComboBox(this);
    tiles_->setObjectName(QStringLiteral("1051"));

    auto* statesLabel = MakeLabel(this, 0, "Graphical States:");
    states_ = new QListWidget(this);
    states_->setObjectName(QStringLiteral("1004"));
    states_->setMinimumHeight(90);

    auto* sliderLabel = MakeLabel(this, 0, "Rotation / Zoom");
    rotation_ = new QSlider(Qt::Horizontal, this);
    rotation_->setObjectName(QStringLiteral("1005"));
    rotation_->setTickPosition(QSlider::TicksBelow);
    rotation_->setPageStep(1);
    zoom_ = new QSlider(Qt::Horizontal, this);
    zoom_->setObjectName(QStringLiteral("1006"));
    zoom_->setTickPosition(QSlider::TicksBelow);
    zoom_->setPageStep(1);

    frame_ = new PictureFrame(this);
    frame_->setObjectName(QStringLiteral("1017"));
    frame_->setFixedSize(10, 10);
    frame_->setCursor(Qt::PointingHandCursor);
    frame_->setToolTip(QStringLiteral("Click to switch between a white and a black background"));
    frame_->installEventFilter(this);

    itemsHeader_ = MakeLabel(this, 1107, "Draw Groups Items:");
    items_ = new QListWidget(this);
    items_->setObjectName(QStringLiteral("1007"));
    items_->setMinimumHeight(70);
    hint1_ = MakeLabel(this, 1108, "Please select an individual tile above in the");
    hint2_ = MakeLabel(this, 1109, "\"Multi Tile Object\" pull-down to see its items.");
    badToken_ = MakeLabel(this, 1121, "");
    badToken_->setWordWrap(true);
    badToken_->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
    badToken_->hide();

    xLabel_ = MakeLabel(this, 1110, "X Offset:");
    xEdit_ = new QLineEdit(this);
    xEdit_->setObjectName(QStringLiteral("1111"));
    xSpin_ = new SpinArrows(this);
    xSpin_->setObjectName(QStringLiteral("1119"));
    yLabel_ = MakeLabel(this, 1112, "Y Offset:");
    yEdit_ = new QLineEdit(this);
    yEdit_->setObjectName(QStringLiteral("1113"));
    ySpin_ = new SpinArrows(this);
    ySpin_->setObjectName(QStringLiteral("1120"));
    for (QLineEdit* edit : {xEdit_, yEdit_}) {
        edit->setMaximumWidth(70);
        edit->installEventFilter(this);
    }
    flip_ = new QCheckBox(QStringLiteral("Flip"), this);
    flip_->setObjectName(QStringLiteral("1114"));

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("1"));
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    auto* offsets = new QGridLayout;
    offsets->addWidget(xLabel_, 0, 0);
    offsets->addWidget(xEdit_, 0, 1);
    offsets->addWidget(xSpin_, 0, 2);
    offsets->addWidget(yLabel_, 1, 0);
    offsets->addWidget(yEdit_, 1, 1);
    offsets->addWidget(ySpin_, 1, 2);
    offsets->addWidget(flip_, 0, 3, 2, 1);
    offsets->setColumnStretch(4, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(tileLabel_);
    left->addWidget(tiles_);
    left->addWidget(statesLabel);
    left->addWidget(states_, 1);
    left->addWidget(sliderLabel);
    left->addWidget(rotation_);
    left->addWidget(zoom_);
    left->addWidget(itemsHeader_);
    left->addWidget(items_, 1);
    left->addWidget(hint1_);
    left->addWidget(hint2_);
    left->addWidget(badToken_);
    left->addLayout(offsets);
    left->addStretch(0);
    auto* okRow = new QHBoxLayout;
    okRow->addStretch(1);
    okRow->addWidget(ok_);
    left->addLayout(okRow);

    auto* leftPane = new QWidget(this);
    leftPane->setLayout(left);
    leftPane->setFixedWidth(300);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(leftPane);
    layout->addWidget(frame_, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addStretch(1);
    // The window grows to show a larger picture and never shrinks by itself.
    layout->setSizeConstraint(QLayout::SetMinimumSize);
}

int CViewDrawGroups::TileChoice() const { return session_.IsMultiTile() ? tiles_->currentIndex() : -1; }

int32_t CViewDrawGroups::ViewIndex() const { return DrawGroupViewIndex(rotation_->value(), zoom_->value()); }

void CViewDrawGroups::FillStates() {
    const QSignalBlocker block(states_);
    const int previous = states_->currentRow();
    states_->clear();
    for (const std::string& line : session_.StateLines(TileChoice())) states_->addItem(FromGameText(line));
    // The previous selection stays, cut to the last line.
    if (previous >= 0 && states_->count() > 0) states_->setCurrentRow(std::min(previous, states_->count() - 1));
}

void CViewDrawGroups::SetPicture(QImage picture) {
    picture_ = std::move(picture);
    static_cast<PictureFrame*>(frame_)->SetPicture(picture_);
    if (picture_.isNull())
        frame_->setFixedSize(10, 10);
    else
        frame_->setFixedSize(picture_.width() + 2 * kFrameBorder, picture_.height() + 2 * kFrameBorder);
}

void CViewDrawGroups::Render() {
    // Hiding an edit that has the focus stores it; that must not start a second rendering inside this one.
    if (busy_) return;
    const BusyScope busy(busy_);
    const int state = states_->currentRow();
    if (state < 0) {
        rotation_->hide();
        zoom_->hide();
        {
            const QSignalBlocker block(items_);
            items_->clear();
        }
        itemsHeader_->setText(QString::fromUtf8(kDrawGroupItemsHeader));
        HideItemEditors();
        hint1_->hide();
        hint2_->hide();
        itemsTile_ = nullptr;
        SetPicture(QImage());
        badToken_->hide();
        return;
    }
    itemsTile_ = session_.ApplyState(state, TileChoice());
    rotation_->show();
    zoom_->show();
    const int32_t view = ViewIndex();
    std::unique_ptr<Bitmap24> composed = session_.Compose(view, white_);
    SetPicture(composed ? ToImage(*composed) : QImage());
    const std::string badToken = session_.BadTokenText();
    badToken_->setText(FromDisplayText(badToken));
    badToken_->setVisible(!badToken.empty());

    DrawGroupItemListing listing;
    if (itemsTile_) listing = session_.ListItems(*itemsTile_, view);
    if (itemsTile_ && listing.found) {
        itemsHeader_->setText(FromGameText(listing.header));
        const QSignalBlocker block(items_);
        const int previous = items_->currentRow();
        items_->clear();
        for (const std::string& line : listing.lines) items_->addItem(FromGameText(line));
        if (items_->count() > 0) items_->setCurrentRow(std::clamp(previous, 0, items_->count() - 1));
        items_->show();
        hint1_->hide();
        hint2_->hide();
    } else {
        {
            const QSignalBlocker block(items_);
            items_->clear();
        }
        items_->hide();
        itemsHeader_->setText(QString::fromUtf8(kDrawGroupItemsHeader));
        hint1_->setVisible(itemsTile_ == nullptr);
        hint2_->setVisible(itemsTile_ == nullptr);
    }
    frame_->update();
    ShowSelectedItem();
}

void CViewDrawGroups::HideItemEditors() {
    for (QWidget* w : std::initializer_list<QWidget*>{xLabel_, xEdit_, xSpin_, yLabel_, yEdit_, ySpin_, flip_})
        w->hide();
}

void CViewDrawGroups::ShowSelectedItem() {
    const int row = items_->currentRow();
    if (!itemsTile_ || row < 0 || items_->isHidden()) {
        HideItemEditors();
        return;
    }
    const DrawGroupItemListing listing = session_.ListItems(*itemsTile_, ViewIndex());
    if (!listing.found || row >= static_cast<int>(listing.items.size())) {
        HideItemEditors();
        return;
    }
    const DrawGroupItem& item = listing.items[static_cast<size_t>(row)];
    xEdit_->setText(QString::number(item.pixelx));
    yEdit_->setText(QString::number(item.pixely));
    flip_->setChecked(item.IsFlipped());
    const bool writable = session_.IsWritable();
    for (QWidget* w : std::initializer_list<QWidget*>{xLabel_, xEdit_, yLabel_, yEdit_, flip_}) w->show();
    xEdit_->setReadOnly(!writable);
    yEdit_->setReadOnly(!writable);
    xSpin_->setVisible(writable);
    ySpin_->setVisible(writable);
    flip_->setEnabled(writable);
}

void CViewDrawGroups::StoreSelectedItem() {
    if (busy_ || !itemsTile_ || items_->isHidden()) return;
    const int row = items_->currentRow();
    if (row < 0) return;
    {
        const BusyScope busy(busy_);
        session_.StoreItem(*itemsTile_, ViewIndex(), row, xEdit_->text().toStdString(), yEdit_->text().toStdString(),
                           flip_->isChecked());
    }
    Render();
}

void CViewDrawGroups::OnSpinStepped() {
    storePending_ = true;
    if (!spinTimer_.isActive()) spinTimer_.start();
}

void CViewDrawGroups::OnSpinTimer() {
    if (!storePending_) return;
    storePending_ = false;
    StoreSelectedItem();
}

bool CViewDrawGroups::eventFilter(QObject* watched, QEvent* event) {
    if (watched == frame_ && event->type() == QEvent::MouseButtonPress) {
        white_ = !white_;
        Render();
        return true;
    }
    if ((watched == xEdit_ || watched == yEdit_) && event->type() == QEvent::FocusOut) StoreSelectedItem();
    return QDialog::eventFilter(watched, event);
}
