#include <QApplication>
#include <QIcon>

#include "app/qt/Application.h"
#include "platform/EndRequests.h"

int main(int argc, char* argv[]) {
    // Before anything else: a desktop session that ends right after login signals a program that is
    // still starting, and that signal must end it in order, not kill it or be ignored.
    wakelatch::platform::InstallEndRequestHandlers();
    QApplication qtApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wakelatch"));
    QApplication::setOrganizationName(QStringLiteral("Wakelatch"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.wakelatch.Wakelatch"));
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("io.github.wakelatch.Wakelatch"),
                         QIcon(QStringLiteral(":/icons/io.github.wakelatch.Wakelatch.png"))));
    // The program ends when its main window unloads, not when its last visible window closes: the main
    // window may be hidden in the tray while a dialog closes.
    QApplication::setQuitOnLastWindowClosed(false);
    wakelatch::Application application;
    return application.Run();
}
