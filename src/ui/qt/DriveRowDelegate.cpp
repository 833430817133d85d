#include "ui/qt/DriveRowDelegate.h"

#include <QPainter>
#include <QPainterPath>

namespace wakelatch::qtui {
namespace {

// A warning triangle with an exclamation mark, drawn rather than taken from the icon theme, which a
// plain desktop may not have.
void PaintWarningMark(QPainter& painter, const QRectF& box) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath triangle;
    triangle.moveTo(box.center().x(), box.top() + 0.5);
    triangle.lineTo(box.right() - 0.5, box.bottom() - 0.5);
    triangle.lineTo(box.left() + 0.5, box.bottom() - 0.5);
    triangle.closeSubpath();
    painter.setPen(QPen(QColor(0x80, 0x50, 0x00), 1.0));
    painter.setBrush(QColor(0xf5, 0xb4, 0x00));
    painter.drawPath(triangle);
    const qreal unit = box.height() / 16.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRect(QRectF(box.center().x() - unit, box.top() + 5 * unit, 2 * unit, 6 * unit));
    painter.drawRect(QRectF(box.center().x() - unit, box.top() + 12 * unit, 2 * unit, 2 * unit));
    painter.restore();
}

}  // namespace

QRect DriveRowDelegate::MarkRect(const QRect& row) {
    const int side = qMax(8, qMin(row.height() - 2, 16));
    return {row.right() - side - 2, row.top() + (row.height() - side) / 2, side, side};
}

bool DriveRowDelegate::ShowsMark(const QModelIndex& index) {
    return index.data(kMissedRole).toBool() && index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
}

void DriveRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    if (ShowsMark(index)) {
        PaintWarningMark(*painter, MarkRect(option.rect));
    }
}

}  // namespace wakelatch::qtui
