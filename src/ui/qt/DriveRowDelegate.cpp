#include "ui/qt/DriveRowDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace wakelatch::qtui {

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
    if (!ShowsMark(index)) {
        return;
    }
    const QStyle* style = option.widget != nullptr ? option.widget->style() : QApplication::style();
    const QRect mark = MarkRect(option.rect);
    style->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, option.widget).paint(painter, mark);
}

}  // namespace wakelatch::qtui
