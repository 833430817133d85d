#include "ui/tray/HourglassPicture.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QWidget>

namespace wakelatch::qtui {
namespace {

const QColor kGreen(0x2e, 0x9d, 0x3a);
const QColor kRed(0xd3, 0x2f, 0x2f);
const QColor kWood(0x7a, 0x4e, 0x2d);
const QColor kOutline(0x33, 0x33, 0x33);

// A checker of 2 x 2 units in the given colour and white, filling the path.
void FillCheckered(QPainter& painter, const QPainterPath& path, const QColor& colour) {
    painter.save();
    painter.setClipPath(path);
    painter.fillRect(path.boundingRect(), Qt::white);
    const QRectF box = path.boundingRect();
    for (int y = static_cast<int>(box.top()); y < box.bottom(); y += 2) {
        for (int x = static_cast<int>(box.left()); x < box.right(); x += 2) {
            if (((x + y) / 2) % 2 == 0) {
                painter.fillRect(QRectF(x, y, 2, 2), colour);
            }
        }
    }
    painter.restore();
}

// Drawn on a 32 x 32 grid, scaled to the pixmap.
QPixmap Draw(int size, bool working) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);

    QPainterPath upper;
    upper.moveTo(8, 5);
    upper.lineTo(24, 5);
    upper.cubicTo(24, 11, 18, 13, 17, 16);
    upper.lineTo(15, 16);
    upper.cubicTo(14, 13, 8, 11, 8, 5);
    upper.closeSubpath();
    QPainterPath lower;
    lower.moveTo(15, 16);
    lower.lineTo(17, 16);
    lower.cubicTo(18, 19, 24, 21, 24, 27);
    lower.lineTo(8, 27);
    lower.cubicTo(8, 21, 14, 19, 15, 16);
    lower.closeSubpath();

    FillCheckered(painter, upper, kGreen);
    FillCheckered(painter, lower, working ? kRed : kGreen);
    painter.setPen(QPen(kOutline, 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(upper.united(lower));

    // The frame: a bar above and below, and two posts.
    painter.setPen(QPen(kOutline, 0.8));
    painter.setBrush(kWood);
    painter.drawRoundedRect(QRectF(5, 2, 22, 3), 1, 1);
    painter.drawRoundedRect(QRectF(5, 27, 22, 3), 1, 1);
    painter.drawRect(QRectF(5.5, 5, 1.5, 22));
    painter.drawRect(QRectF(25, 5, 1.5, 22));
    return pixmap;
}

}  // namespace

void SetUpProgramWindow(QWidget* window, const char* name) {
    window->setObjectName(QString::fromLatin1(name));
    window->setWindowTitle(QString::fromLatin1(name));
    window->setWindowIcon(HourglassIcon(false));
    QFont font = window->font();
    font.setPointSizeF(8);
    window->setFont(font);
}

QIcon HourglassIcon(bool working) {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64}) {
        icon.addPixmap(Draw(size, working));
    }
    return icon;
}

}  // namespace wakelatch::qtui
