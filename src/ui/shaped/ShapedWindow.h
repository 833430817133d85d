#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

namespace wakelatch::qtui {

// A window cut to the outline of a picture (the picture's top-left colour is see-through) and moved by
// dragging it anywhere with the left button: its background, and the labels it is told about.
class ShapedWindow : public QWidget {
    Q_OBJECT

  public:
    explicit ShapedWindow(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

    // The window takes the picture's size, shows it as its background and is cut to its outline. False
    // when the file cannot be read as a picture.
    bool ShapeFormFromBitmap(const QString& path);
    // Starts moving the window with the mouse; called while the left button is held down on it.
    void DragForm();
    // Dragging this child moves the window too, while the left button is held.
    void DragBy(QWidget* child);
    void CentreOnScreen();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QImage picture_;
    bool manualDrag_ = false;  // the window system could not move it: the mouse moves it here
    QPoint dragOffset_;
};

}  // namespace wakelatch::qtui
