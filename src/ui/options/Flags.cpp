#include "ui/options/Flags.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace wakelatch::qtui {
namespace {

QIcon FromPainter(const std::function<void(QPainter&, double, double)>& draw) {
    QIcon icon;
    for (const int scale : {1, 2}) {
        QPixmap pixmap(kFlagSize * scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        draw(painter, kFlagSize.width(), kFlagSize.height());
        painter.setPen(QPen(QColor(0x55, 0x55, 0x55), 0.8));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(0.4, 0.4, kFlagSize.width() - 0.8, kFlagSize.height() - 0.8));
        pixmap.setDevicePixelRatio(scale);
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

QIcon GermanFlag() {
    return FromPainter([](QPainter& painter, double width, double height) {
        // Bands on whole pixels, without smoothing: crisp edges at the size the dialog shows.
        painter.setRenderHint(QPainter::Antialiasing, false);
        const int band = static_cast<int>(height) / 3;
        const int w = static_cast<int>(width);
        painter.fillRect(QRect(0, 0, w, band), QColor(0x00, 0x00, 0x00));
        painter.fillRect(QRect(0, band, w, band), QColor(0xdd, 0x00, 0x00));
        painter.fillRect(QRect(0, 2 * band, w, static_cast<int>(height) - 2 * band),
                         QColor(0xff, 0xce, 0x00));
        painter.setRenderHint(QPainter::Antialiasing, true);
    });
}

// The Union Flag: blue field, white saltire with the red saltire counterchanged, white cross fimbriating
// the red cross.
QIcon EnglishFlag() {
    return FromPainter([](QPainter& painter, double width, double height) {
        const QColor blue(0x01, 0x21, 0x69);
        const QColor red(0xc8, 0x10, 0x2e);
        painter.fillRect(QRectF(0, 0, width, height), blue);
        painter.save();
        painter.setClipRect(QRectF(0, 0, width, height));
        const double unit = height / 30.0;  // the flag's own proportions: 30 units high, 60 wide
        painter.setPen(QPen(Qt::white, 6 * unit));
        painter.drawLine(QPointF(0, 0), QPointF(width, height));
        painter.drawLine(QPointF(width, 0), QPointF(0, height));
        painter.setPen(QPen(red, 2 * unit));
        const double shift = unit;  // the red saltire sits off the middle of the white one
        painter.drawLine(QPointF(0, -shift), QPointF(width / 2, height / 2 - shift));
        painter.drawLine(QPointF(width / 2, height / 2 + shift), QPointF(width, height + shift));
        painter.drawLine(QPointF(width, -shift) + QPointF(0, 2 * shift),
                         QPointF(width / 2, height / 2 + shift));
        painter.drawLine(QPointF(width / 2, height / 2 - shift), QPointF(0, height - shift) + QPointF(0, 0));
        painter.restore();
        painter.fillRect(QRectF(width / 2 - 5 * unit, 0, 10 * unit, height), Qt::white);
        painter.fillRect(QRectF(0, height / 2 - 5 * unit, width, 10 * unit), Qt::white);
        painter.fillRect(QRectF(width / 2 - 3 * unit, 0, 6 * unit, height), red);
        painter.fillRect(QRectF(0, height / 2 - 3 * unit, width, 6 * unit), red);
    });
}

}  // namespace wakelatch::qtui
