#include "ui/shaped/ShapedWindow.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QWindow>

#include "ui/shaped/Region.h"

namespace wakelatch::qtui {
namespace {

class ImagePicture final : public sml_GIF_TO_FRM::Picture {
  public:
    explicit ImagePicture(const QImage& image) : image_(image.convertToFormat(QImage::Format_RGB32)) {}
    int Width() const override { return image_.width(); }
    int Height() const override { return image_.height(); }
    std::uint32_t Pixel(int x, int y) const override {
        return reinterpret_cast<const QRgb*>(image_.constScanLine(y))[x] & 0xFFFFFFU;  // RGB32: one word each
    }

  private:
    QImage image_;
};

}  // namespace

ShapedWindow::ShapedWindow(QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags | Qt::FramelessWindowHint) {}

bool ShapedWindow::ShapeFormFromBitmap(const QString& path) {
    QImage picture;
    if (!picture.load(path)) {
        return false;
    }
    picture_ = picture;
    setFixedSize(picture_.size());
    // The runs come row by row, left to right, and never overlap: the region takes them in one go
    // instead of being united with each.
    std::vector<QRect> runs;
    for (const auto& rect : sml_GIF_TO_FRM::MakeRegionFromPicture(ImagePicture(picture_))) {
        runs.emplace_back(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    }
    QRegion region;
    region.setRects(runs.data(), static_cast<int>(runs.size()));
    if (region.isEmpty()) {
        clearMask();  // nothing to cut: the window stays a plain rectangle showing the picture
    } else {
        setMask(region);
    }
    update();
    return true;
}

void ShapedWindow::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

void ShapedWindow::DragForm() {
    if (QWindow* handle = windowHandle(); handle != nullptr && handle->startSystemMove()) {
        return;
    }
    manualDrag_ = true;
    dragOffset_ = QCursor::pos() - frameGeometry().topLeft();
}

void ShapedWindow::DragBy(QWidget* child) {
    child->installEventFilter(this);
}

void ShapedWindow::CentreOnScreen() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void ShapedWindow::mousePressEvent(QMouseEvent* event) {
    // The window system's move follows the left button only: begun with another one it would wait for a
    // left release that never comes, holding the pointer and the keyboard meanwhile.
    if (event->button() == Qt::LeftButton) {
        DragForm();
    }
}

void ShapedWindow::mouseMoveEvent(QMouseEvent* event) {
    if (manualDrag_ && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - dragOffset_);
    }
}

void ShapedWindow::mouseReleaseEvent(QMouseEvent* /*event*/) {
    manualDrag_ = false;
}

bool ShapedWindow::eventFilter(QObject* watched, QEvent* event) {
    // A label moves the window only while the left button is held; a pointer just passing over it must
    // not start a move.
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        DragForm();
        return true;
    }
    if (event->type() == QEvent::MouseMove && manualDrag_) {
        mouseMoveEvent(static_cast<QMouseEvent*>(event));
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        manualDrag_ = false;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace wakelatch::qtui
