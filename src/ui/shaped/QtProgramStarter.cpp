#include "ui/shaped/QtProgramStarter.h"

#include <QProcess>
#include <QStandardPaths>

namespace wakelatch::qtui {

std::optional<std::string> QtProgramStarter::Find(std::string_view program) {
    const QString path =
        QStandardPaths::findExecutable(QString::fromUtf8(program.data(), static_cast<int>(program.size())));
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return path.toStdString();
}

bool QtProgramStarter::Start(const std::string& path) {
    return QProcess::startDetached(QString::fromStdString(path), {});
}

}  // namespace wakelatch::qtui
