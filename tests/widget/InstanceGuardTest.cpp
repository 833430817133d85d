#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QLockFile>
#include <QSignalSpy>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/qt/LocalInstanceGuard.h"
#include "fakes/TempFolder.h"

namespace wakelatch {
namespace {

TEST(InstanceGuard, TheFirstCopyRunsALaterCopyFindsItAndAsksItToComeToTheFront) {
    testing::TempFolder temp;
    LocalInstanceGuard first(QString::fromStdString(temp.path()));
    ASSERT_FALSE(first.PreviousInstanceRunning());
    QSignalSpy activations(&first, &LocalInstanceGuard::activationRequested);

    LocalInstanceGuard second(QString::fromStdString(temp.path()));
    ASSERT_TRUE(second.PreviousInstanceRunning());
    second.SetApplicationTitle("#XYZ");
    EXPECT_EQ(second.ApplicationTitle(), "#XYZ");
    second.ActivateWindow("Wakelatch");
    EXPECT_TRUE(activations.wait(3000));
    EXPECT_EQ(activations.count(), 1);
}

// The liveness probe: every "ping" line is answered "pong" on the same connection, and nothing comes
// to the front.
TEST(InstanceGuard, PingIsAnsweredWithoutActivating) {
    testing::TempFolder temp;
    LocalInstanceGuard first(QString::fromStdString(temp.path()));
    ASSERT_FALSE(first.PreviousInstanceRunning());
    QSignalSpy activations(&first, &LocalInstanceGuard::activationRequested);
    QLocalSocket probe;
    probe.connectToServer(QString::fromStdString(temp.path() + "/Wakelatch.socket"));
    ASSERT_TRUE(probe.waitForConnected(1000));
    for (int round = 0; round < 2; ++round) {
        probe.write("ping\n");
        QByteArray answer;
        for (int wait = 0; wait < 100 && !answer.endsWith('\n'); ++wait) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            probe.waitForReadyRead(10);
            answer += probe.readAll();
        }
        EXPECT_EQ(answer, "pong\n");
    }
    EXPECT_EQ(activations.count(), 0);
}

// Empty, garbage or another machine's: a lock that names no copy of this program that could be
// running is taken over.
TEST(InstanceGuard, ALockThatCannotBeReadIsStale) {
    testing::TempFolder temp;
    const QString folder = QString::fromStdString(temp.path());
    for (const QByteArray& content : {QByteArray(), QByteArray("\x01\xff garbage\n"),
                                      QByteArray::number(getpid()) + "\nwakelatch\nanother-machine\n"}) {
        SCOPED_TRACE(content.toStdString());
        QFile file(folder + "/Wakelatch.lock");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        LocalInstanceGuard guard(folder);
        EXPECT_FALSE(guard.PreviousInstanceRunning());
        guard.Release();
    }
}

// What is not a file at the lock's place is no lock: it is cleared away (a folder moved aside with what
// it holds), not waited on, and the program runs.
TEST(InstanceGuard, WhatIsNotAFileAtTheLockIsClearedAway) {
    testing::TempFolder temp;
    const std::string lock = temp.path() + "/Wakelatch.lock";
    const std::string aside = lock + ".aside." + std::to_string(getpid());
    const std::vector<std::pair<const char*, std::function<void()>>> cases = {
        {"folder", [&] { std::filesystem::create_directories(lock + "/kept"); }},
        {"FIFO", [&] { mkfifo(lock.c_str(), 0600); }},
        {"link to /dev/zero", [&] { std::filesystem::create_symlink("/dev/zero", lock); }},
    };
    for (const auto& [name, plant] : cases) {
        SCOPED_TRACE(name);
        plant();
        LocalInstanceGuard guard(QString::fromStdString(temp.path()));
        EXPECT_FALSE(guard.PreviousInstanceRunning());
        EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(lock)));
        guard.Release();
    }
    EXPECT_TRUE(std::filesystem::is_directory(aside + "/kept"));
}

// A lock file as the lock writes it, but naming the given process.
void LeaveLockNaming(pid_t owner, const QString& lockPath) {
    QByteArray content;
    {
        QLockFile lock(lockPath);
        ASSERT_TRUE(lock.tryLock(0));
        QFile file(lockPath);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        content = file.readAll();
    }
    content.replace(0, content.indexOf('\n'), QByteArray::number(owner));
    QFile file(lockPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

TEST(InstanceGuard, ALockLeftByACopyThatDiedIsRecovered) {
    testing::TempFolder temp;
    const QString folder = QString::fromStdString(temp.path());

    // A process that still lives keeps its lock ...
    const pid_t living = fork();
    if (living == 0) {
        pause();
        _exit(0);
    }
    LeaveLockNaming(living, folder + "/Wakelatch.lock");
    EXPECT_TRUE(LocalInstanceGuard(folder).PreviousInstanceRunning());

    // ... one that died does not.
    kill(living, SIGKILL);
    waitpid(living, nullptr, 0);
    LocalInstanceGuard guard(folder);
    EXPECT_FALSE(guard.PreviousInstanceRunning());
}

TEST(InstanceGuard, ASocketLeftByACopyThatDiedDoesNotBlockActivation) {
    testing::TempFolder temp;
    const QString folder = QString::fromStdString(temp.path());
    QFile leftover(folder + "/Wakelatch.socket");
    ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    leftover.close();

    LocalInstanceGuard first(folder);
    ASSERT_FALSE(first.PreviousInstanceRunning());
    QSignalSpy activations(&first, &LocalInstanceGuard::activationRequested);
    LocalInstanceGuard second(folder);
    ASSERT_TRUE(second.PreviousInstanceRunning());
    second.ActivateWindow("Wakelatch");
    EXPECT_TRUE(activations.wait(3000));
}

TEST(InstanceGuard, AfterReleaseANewCopyRunsItself) {
    testing::TempFolder temp;
    const QString folder = QString::fromStdString(temp.path());
    LocalInstanceGuard first(folder);
    ASSERT_FALSE(first.PreviousInstanceRunning());
    first.Release();
    LocalInstanceGuard second(folder);
    EXPECT_FALSE(second.PreviousInstanceRunning());
}

TEST(InstanceGuard, ASecondCopyGivesUpQuicklyWhenNobodyAnswers) {
    testing::TempFolder temp;
    LocalInstanceGuard lonely(QString::fromStdString(temp.path()));
    QElapsedTimer timer;
    timer.start();
    lonely.ActivateWindow("Wakelatch");
    EXPECT_LT(timer.elapsed(), 2000);
}

TEST(InstanceGuard, AnUnusableFolderLetsTheProgramRun) {
    LocalInstanceGuard guard(QStringLiteral("/nonexistent/wakelatch/folder"));
    EXPECT_FALSE(guard.PreviousInstanceRunning());
}

}  // namespace
}  // namespace wakelatch
