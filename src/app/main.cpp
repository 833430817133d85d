#include <QApplication>

#include "app/Application.h"

int main(int argc, char* argv[]) {
    QApplication qtApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wakelatch"));
    QApplication::setOrganizationName(QStringLiteral("Wakelatch"));
    // The program ends when its main window unloads, not when its last visible window closes: the main
    // window may be hidden in the tray while a dialog closes.
    QApplication::setQuitOnLastWindowClosed(false);
    wakelatch::Application application;
    return application.Run();
}
