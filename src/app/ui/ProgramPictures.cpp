// ProgramPictures: the icon and the splash picture, painted with QPainter (the program's own artwork).
#include "app/ui/ProgramPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <map>

namespace {

// An isometric box standing on the floor point `base`: top face, left face, right face.
void PaintBox(QPainter& p, QPointF base, qreal halfWidth, qreal height, QColor colour) {
    const qreal d = halfWidth / 2;  // the floor's 2:1 slope
    QPolygonF left(
        {base, base + QPointF(-halfWidth, -d), base + QPointF(-halfWidth, -d - height), base + QPointF(0, -height)});
    QPolygonF right(
        {base, base + QPointF(halfWidth, -d), base + QPointF(halfWidth, -d - height), base + QPointF(0, -height)});
    QPolygonF top({base + QPointF(0, -height), base + QPointF(-halfWidth, -d - height),
                   base + QPointF(0, -2 * d - height), base + QPointF(halfWidth, -d - height)});
    p.setPen(QPen(colour.darker(220), 1));
    p.setBrush(colour.darker(125));
    p.drawPolygon(left);
    p.setBrush(colour.darker(160));
    p.drawPolygon(right);
    p.setBrush(colour.lighter(120));
    p.drawPolygon(top);
}

// A diamond floor of n x n tiles whose front corner is `front`.
void PaintFloor(QPainter& p, QPointF front, int n, qreal tile, QColor a, QColor b) {
    p.setPen(QPen(a.darker(140), 1));
    for (int row = 0; row < n; ++row) {
        for (int col = 0; col < n; ++col) {
            QPointF f = front + QPointF((col - row) * tile, -(col + row) * tile / 2);
            QPolygonF diamond({f, f + QPointF(tile, -tile / 2), f + QPointF(0, -tile), f + QPointF(-tile, -tile / 2)});
            p.setBrush((row + col) % 2 ? a : b);
            p.drawPolygon(diamond);
        }
    }
}

// A chair: seat box, back box and four legs, facing left.
void PaintChair(QPainter& p, QPointF base, qreal s, QColor colour) {
    p.setPen(QPen(colour.darker(250), s / 8));
    for (QPointF leg : {QPointF(-s, -s / 2), QPointF(0, 0), QPointF(s, -s / 2), QPointF(0, -s)})
        p.drawLine(base + leg, base + leg + QPointF(0, -s));
    PaintBox(p, base + QPointF(0, -s), s, s / 4, colour);
    PaintBox(p, base + QPointF(s / 2, -s - s / 4 - s / 4), s / 2, s * 1.3, colour.darker(110));
}

QImage MakeIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal u = size / 32.0;
    // A floor tile with a box on it, and a curved arrow: an object being reshaped.
    PaintFloor(p, QPointF(16 * u, 30 * u), 1, 14 * u, QColor(96, 168, 96), QColor(96, 168, 96));
    PaintBox(p, QPointF(16 * u, 26 * u), 8 * u, 10 * u, QColor(70, 120, 210));
    QPainterPath arrow;
    arrow.moveTo(5 * u, 12 * u);
    arrow.cubicTo(6 * u, 3 * u, 22 * u, 1 * u, 27 * u, 8 * u);
    p.setPen(QPen(QColor(230, 140, 30), 2.5 * u, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arrow);
    p.setBrush(QColor(230, 140, 30));
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({QPointF(29.5 * u, 11.5 * u), QPointF(23 * u, 9 * u), QPointF(29 * u, 4.5 * u)}));
    return image;
}

QImage NewPicture32() {
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// Zoom pictures: one large box, or the same box at three sizes.
QImage MakeZoomPicture(bool all) {
    QImage image = NewPicture32();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colour(70, 120, 210);
    if (!all) {
        PaintBox(p, QPointF(16, 29), 12, 13, colour);
        return image;
    }
    PaintBox(p, QPointF(9, 30), 8, 9, colour);
    PaintBox(p, QPointF(21, 22), 4, 5, colour);
    PaintBox(p, QPointF(28, 16), 2, 3, colour);
    return image;
}

// Channel pictures: a colour sheet, or the colour, depth and alpha sheets fanned out.
QImage MakeChannelPicture(bool all) {
    QImage image = NewPicture32();
    QPainter p(&image);
    auto sheet = [&p](QRectF r, const QBrush& brush) {
        p.setPen(QPen(QColor(40, 40, 40), 1));
        p.setBrush(brush);
        p.drawRect(r);
    };
    QLinearGradient colour(0, 0, 32, 32);
    colour.setColorAt(0, QColor(230, 90, 60));
    colour.setColorAt(0.5, QColor(240, 210, 80));
    colour.setColorAt(1, QColor(70, 150, 220));
    if (!all) {
        sheet(QRectF(5.5, 5.5, 21, 21), colour);
        return image;
    }
    QLinearGradient depth(0, 0, 0, 32);
    depth.setColorAt(0, QColor(30, 30, 30));
    depth.setColorAt(1, QColor(220, 220, 220));
    sheet(QRectF(10.5, 1.5, 19, 19), QColor(255, 255, 255));  // alpha: a white shape on black
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRect(QRectF(11, 2, 18, 18));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(14, 5, 12, 12));
    sheet(QRectF(6.5, 6.5, 19, 19), depth);
    sheet(QRectF(1.5, 11.5, 19, 19), colour);
    return image;
}

QImage MakeSplash() {
    QImage image(288, 212, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 212);
    sky.setColorAt(0, QColor(40, 70, 140));
    sky.setColorAt(1, QColor(150, 190, 235));
    p.fillRect(image.rect(), sky);

    PaintFloor(p, QPointF(144, 200), 4, 22, QColor(120, 170, 110), QColor(140, 190, 125));
    PaintBox(p, QPointF(110, 170), 20, 26, QColor(200, 120, 70));  // a table
    PaintChair(p, QPointF(170, 176), 12, QColor(80, 120, 200));
    PaintBox(p, QPointF(196, 150), 10, 48, QColor(235, 215, 120));  // a lamp post
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 250, 200, 120));
    p.drawEllipse(QPointF(196, 92), 16, 12);

    QFont title(QStringLiteral("Helvetica"), 17, QFont::Bold);
    p.setFont(title);
    p.setPen(QColor(20, 30, 60));
    p.drawText(QRect(2, 14, 288, 30), Qt::AlignHCenter, QStringLiteral("The Domizens Reshaper"));
    p.setPen(Qt::white);
    p.drawText(QRect(0, 12, 288, 30), Qt::AlignHCenter, QStringLiteral("The Domizens Reshaper"));
    QFont sub(QStringLiteral("Helvetica"), 9);
    p.setFont(sub);
    p.drawText(QRect(0, 42, 288, 18), Qt::AlignHCenter, QStringLiteral("Release 1.3"));
    p.setPen(QColor(40, 40, 40, 200));
    p.drawRect(image.rect().adjusted(0, 0, -1, -1));
    return image;
}

}  // namespace

QImage ProgramPicture(int number) {
    static std::map<int, QImage> made;
    auto it = made.find(number);
    if (it != made.end()) return it->second;
    QImage picture;
    switch (number) {
        case kProgramIconPicture:
            picture = MakeIcon(32);
            break;
        case kSplashPicture:
            picture = MakeSplash();
            break;
        case kAllZoomsPicture:
        case kOneZoomPicture:
            picture = MakeZoomPicture(number == kAllZoomsPicture);
            break;
        case kOneChannelPicture:
        case kAllChannelsPicture:
            picture = MakeChannelPicture(number == kAllChannelsPicture);
            break;
        default:
            return QImage();
    }
    made.emplace(number, picture);
    return picture;
}

QImage ProgramIconImage(int size) { return size == 32 ? ProgramPicture(kProgramIconPicture) : MakeIcon(size); }

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) icon.addPixmap(QPixmap::fromImage(ProgramIconImage(size)));
    return icon;
}
