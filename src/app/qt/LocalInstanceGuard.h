#pragma once

#include <QHash>
#include <QLocalServer>
#include <QLockFile>
#include <QObject>

#include <memory>

#include "platform/InstanceGuard.h"

class QLocalSocket;

namespace wakelatch {

// One copy per user: the first copy holds a lock file and listens on a local socket beside it; a later
// copy finds the lock taken and sends the first an "activate" request over the socket. A lock left by a
// copy that died is recovered (its process no longer exists), and so is one that cannot be read or
// names another program or machine, unless a first copy answers on the socket. What is not a file at
// the lock's place (a folder, a FIFO, a link) is cleared away first.
//
// The socket takes requests as lines: "activate" brings the window to the front and ends the
// connection; "ping" is answered "pong" on the user-interface thread and changes nothing, so a client
// can measure how long that thread takes to answer.
class LocalInstanceGuard final : public QObject, public platform::InstanceGuard {
    Q_OBJECT

  public:
    // `folder` holds the lock and the socket; by default the user's runtime folder
    // (linux_xdg::RuntimeFolder).
    explicit LocalInstanceGuard(QString folder = {}, QObject* parent = nullptr);
    ~LocalInstanceGuard() override;

    bool PreviousInstanceRunning() override;
    std::string ApplicationTitle() const override { return title_; }
    void SetApplicationTitle(const std::string& title) override;
    void ActivateWindow(const std::string& title) override;

    // Stops answering and gives up the lock (the program is ending), so that a copy started now runs.
    void Release();

  signals:
    // Another copy asked this one to come to the front.
    void activationRequested();

  private:
    void Listen();
    bool FirstCopyAnswers() const;
    static bool NamesACopyOfThisProgram(const QLockFile& lock);
    void OnNewConnection();
    void ReadRequest(QLocalSocket* socket);

    QString folder_;
    std::string title_ = "Wakelatch";
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
    QHash<QLocalSocket*, QByteArray> pending_;  // what each connection has sent so far
};

}  // namespace wakelatch
