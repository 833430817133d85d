// The yardstick for start-up time: about the least a Qt 6 tray program does before its window shows.
#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QPixmap picture(16, 16);
    picture.fill(Qt::darkGreen);
    QSystemTrayIcon icon{QIcon(picture)};
    icon.show();
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal tray program"));
    window.resize(640, 480);
    window.show();
    return QApplication::exec();
}
