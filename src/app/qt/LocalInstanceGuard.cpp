#include "app/qt/LocalInstanceGuard.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocalSocket>
#include <QSysInfo>
#include <QThread>

#include <sys/stat.h>

#include <algorithm>
#include <utility>

#include "platform/linux/XdgPaths.h"

namespace wakelatch {
namespace {

constexpr int kConnectMilliseconds = 1200;
constexpr int kProbeMilliseconds = 200;
constexpr qsizetype kLongestRequest = 64;
// The requests are lines; the socket's owner alone can connect (UserAccessOption).
const QByteArray kActivateRequest = QByteArrayLiteral("activate");
const QByteArray kPingRequest = QByteArrayLiteral("ping");
const QByteArray kPingAnswer = QByteArrayLiteral("pong\n");

QString LockPath(const QString& folder) {
    return folder + QStringLiteral("/Wakelatch.lock");
}
QString SocketPath(const QString& folder) {
    return folder + QStringLiteral("/Wakelatch.socket");
}

}  // namespace

LocalInstanceGuard::LocalInstanceGuard(QString folder, QObject* parent)
    : QObject(parent),
      folder_(folder.isEmpty() ? QFile::decodeName(platform::linux_xdg::RuntimeFolder().c_str())
                               : std::move(folder)) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &LocalInstanceGuard::OnNewConnection);
}

LocalInstanceGuard::~LocalInstanceGuard() {
    // Connections still open are closed by the server's destructor, after pending_ is gone: they must not
    // tell this object any more.
    for (QLocalSocket* socket : server_.findChildren<QLocalSocket*>()) {
        socket->disconnect(this);
    }
    Release();
}

void LocalInstanceGuard::Release() {
    server_.close();
    if (lock_) {
        lock_->unlock();
    }
}

bool LocalInstanceGuard::PreviousInstanceRunning() {
    // A lock is a regular file. Anything else at its place was never written by a copy of this program:
    // a folder could not be taken over, and reading a FIFO or a link to a device would wait for ever.
    const std::string lockPath = QFile::encodeName(LockPath(folder_)).toStdString();
    struct stat info {};
    if (lstat(lockPath.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        platform::linux_xdg::ClearAway(lockPath);
    }
    lock_ = std::make_unique<QLockFile>(LockPath(folder_));
    lock_->setStaleLockTime(0);  // stale only when its process is gone, however long ago it was taken
    if (lock_->tryLock(0)) {
        Listen();
        return false;
    }
    if (lock_->error() != QLockFile::LockFailedError) {
        return false;  // the lock cannot be taken at all (no folder, no permission): run without the guard
    }
    if (FirstCopyAnswers() || NamesACopyOfThisProgram(*lock_)) {
        return true;  // a copy that answers, or one that lives and is still starting
    }
    // Empty (a kill between creating and writing it), garbage, or another program's or machine's: stale.
    // The removal fails while a process holds the lock's native lock, as a copy writing it now does.
    if (lock_->removeStaleLockFile() && lock_->tryLock(0)) {
        Listen();
        return false;
    }
    return true;
}

void LocalInstanceGuard::Listen() {
    // A socket file left behind by a copy that died would keep the server from listening.
    QLocalServer::removeServer(SocketPath(folder_));
    if (!server_.listen(SocketPath(folder_))) {
        QLocalServer::removeServer(SocketPath(folder_));
        server_.listen(SocketPath(folder_));
    }
}

bool LocalInstanceGuard::FirstCopyAnswers() const {
    QLocalSocket socket;
    socket.connectToServer(SocketPath(folder_));
    return socket.waitForConnected(kProbeMilliseconds);
}

bool LocalInstanceGuard::NamesACopyOfThisProgram(const QLockFile& lock) {
    qint64 pid = 0;
    QString host;
    QString program;
    // A lock it could read on this machine that names a process that is gone has already been taken
    // over by tryLock; what is left names a living process.
    return lock.getLockInfo(&pid, &host, &program) && pid > 0 && host == QSysInfo::machineHostName() &&
           program == QFileInfo(QCoreApplication::applicationFilePath()).fileName();
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
            socket.write(kActivateRequest + '\n');
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
    QByteArray& pending = pending_[socket];
    pending += socket->readAll();
    for (qsizetype end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
        const QByteArray line = pending.left(end);
        pending.remove(0, end + 1);
        if (line == kPingRequest) {
            socket->write(kPingAnswer);  // answered here, on the user-interface thread: a liveness probe
        } else if (line == kActivateRequest) {
            pending_.remove(socket);
            socket->disconnectFromServer();
            emit activationRequested();
            return;
        }
    }
    if (pending.size() > kLongestRequest) {
        pending_.remove(socket);
        socket->abort();  // not one of ours: nothing it sends is worth keeping
    }
}

}  // namespace wakelatch
