#pragma once

#include <QStyledItemDelegate>

namespace wakelatch::qtui {

// The item role that says a drive's last touch did not reach it.
inline constexpr int kMissedRole = Qt::UserRole + 1;

// Draws a drive row as usual and, on a ticked row whose last touch missed the drive, a warning triangle at
// the row's right end, over the blank room the padded columns leave there: the row's text stays as it
// is.
class DriveRowDelegate final : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // Where the mark goes in a row's rectangle.
    static QRect MarkRect(const QRect& row);
    // Whether the row shows the mark.
    static bool ShowsMark(const QModelIndex& index);
};

}  // namespace wakelatch::qtui
