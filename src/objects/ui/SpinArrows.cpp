// SpinArrows: arrow buttons stepping the number of an attached edit.
#include "objects/ui/SpinArrows.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/ui/UiText.h"
#include "objects/definitions/EditObjectProperties.h"

SpinArrows::SpinArrows(QWidget* parent) : QWidget(parent) {
    up_ = new QToolButton(this);
    up_->setObjectName(QStringLiteral("up"));
    up_->setArrowType(Qt::UpArrow);
    up_->setAutoRepeat(true);
    down_ = new QToolButton(this);
    down_->setObjectName(QStringLiteral("down"));
    down_->setArrowType(Qt::DownArrow);
    down_->setAutoRepeat(true);
    for (QToolButton* b : {up_, down_}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(18, 11);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    connect(up_, &QToolButton::clicked, this, &SpinArrows::StepUp);
    connect(down_, &QToolButton::clicked, this, &SpinArrows::StepDown);
}

void SpinArrows::SetRange(int lower, int upper) {
    lower_ = lower;
    upper_ = upper;
}

void SpinArrows::Step(int towardUpper) {
    if (!buddy_) return;
    const int low = std::min(lower_, upper_);
    const int high = std::max(lower_, upper_);
    int value = std::clamp(ParseLeadingDecimal(buddy_->text().toStdString()), low, high);
    const int direction = (upper_ >= lower_ ? 1 : -1) * towardUpper;
    value = std::clamp(value + direction, low, high);
    buddy_->setText(QString::number(value));
    emit stepped();
}
