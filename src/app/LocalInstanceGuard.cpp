#include "app/LocalInstanceGuard.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QGuiApplication>
#include <QLocalSocket>
#include <QThread>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <utility>

namespace wakelatch {
namespace {

constexpr int kConnectMilliseconds = 1200;
const QByteArray kActivateRequest = QByteArrayLiteral("activate\n");

QString LockPath(const QString& folder) {
    return folder + QStringLiteral("/Wakelatch.lock");
}
QString SocketPath(const QString& folder) {
    return folder + QStringLiteral("/Wakelatch.socket");
}

}  // namespace

LocalInstanceGuard::LocalInstanceGuard(QString folder, QObject* parent)
    : QObject(parent), folder_(folder.isEmpty() ? DefaultFolder() : std::move(folder)) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &LocalInstanceGuard::OnNewConnection);
}

LocalInstanceGuard::~LocalInstanceGuard() {
    Release();
}

void LocalInstanceGuard::Release() {
    server_.close();
    if (lock_) {
        lock_->unlock();
    }
}

QString LocalInstanceGuard::DefaultFolder() {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(QString::fromLocal8Bit(runtime)).exists()) {
        return QString::fromLocal8Bit(runtime);
    }
    // A folder of our own in /tmp, private and owned by this user; somebody else's folder is not used.
    const QString folder = QDir::tempPath() + QStringLiteral("/wakelatch-%1").arg(getuid());
    const QByteArray path = QFile::encodeName(folder);
    mkdir(path.constData(), 0700);
    struct stat info {};
    if (lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid()) {
        chmod(path.constData(), 0700);
        return folder;
    }
    return QDir::homePath();
}

bool LocalInstanceGuard::PreviousInstanceRunning() {
    lock_ = std::make_unique<QLockFile>(LockPath(folder_));
    lock_->setStaleLockTime(0);  // stale only when its process is gone, however long ago it was taken
    if (lock_->tryLock(0)) {
        // A socket file left behind by a copy that died would keep the server from listening.
        QLocalServer::removeServer(SocketPath(folder_));
        if (!server_.listen(SocketPath(folder_))) {
            QLocalServer::removeServer(SocketPath(folder_));
            server_.listen(SocketPath(folder_));
        }
        return false;
    }
    if (lock_->error() == QLockFile::LockFailedError) {
        return true;
    }
    // The lock cannot be taken at all (no folder, no permission): run without the guard.
    return false;
}

void LocalInstanceGuard::SetApplicationTitle(const std::string& title) {
    title_ = title;
    QGuiApplication::setApplicationDisplayName(QString::fromStdString(title));
}

void LocalInstanceGuard::ActivateWindow(const std::string& /*title*/) {
    // The first copy may hold the lock but not listen yet; give it a moment, but never so long that
    // the user waits for this copy to end.
    const QDeadlineTimer deadline(kConnectMilliseconds);
    QLocalSocket socket;
    while (!deadline.hasExpired()) {
        socket.connectToServer(SocketPath(folder_));
        if (socket.waitForConnected(static_cast<int>(std::min<qint64>(100, deadline.remainingTime())))) {
            socket.write(kActivateRequest);
            socket.waitForBytesWritten(static_cast<int>(std::min<qint64>(300, deadline.remainingTime())));
            socket.disconnectFromServer();
            return;
        }
        socket.abort();
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(50, deadline.remainingTime())));
    }
}

void LocalInstanceGuard::OnNewConnection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            pending_.remove(socket);
            socket->deleteLater();
        });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadRequest(socket); });
        // The request may have arrived (and the other copy gone) before the signals were connected.
        ReadRequest(socket);
    }
}

void LocalInstanceGuard::ReadRequest(QLocalSocket* socket) {
    pending_[socket] += socket->readAll();
    if (pending_[socket].contains(kActivateRequest)) {
        pending_.remove(socket);
        socket->disconnectFromServer();
        emit activationRequested();
    }
}

}  // namespace wakelatch
