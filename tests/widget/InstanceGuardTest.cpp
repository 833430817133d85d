#include <gtest/gtest.h>

#include <QCoreApplication>
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

// The first copy runs; a later one finds it and asks it to come to the front, also past a socket file
// left by a copy that died; once the first has let go, a new copy runs itself.
TEST(InstanceGuard, TheFirstCopyRunsALaterCopyAsksItToComeToTheFront) {
    for (const bool leftoverSocket : {false, true}) {
        SCOPED_TRACE(leftoverSocket ? "socket left over" : "clean folder");
        testing::TempFolder temp;
        const QString folder = QString::fromStdString(temp.path());
        if (leftoverSocket) {
            QFile leftover(folder + "/Wakelatch.socket");
            ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
        }
        LocalInstanceGuard first(folder);
        ASSERT_FALSE(first.PreviousInstanceRunning());
        QSignalSpy activations(&first, &LocalInstanceGuard::activationRequested);

        LocalInstanceGuard second(folder);
        ASSERT_TRUE(second.PreviousInstanceRunning());
        second.ActivateWindow("Wakelatch");
        EXPECT_TRUE(activations.wait(3000));
        EXPECT_EQ(activations.count(), 1);

        first.Release();
        LocalInstanceGuard(folder).ActivateWindow("Wakelatch");  // nobody answers: it gives up
        EXPECT_FALSE(LocalInstanceGuard(folder).PreviousInstanceRunning());
    }
}

// What names no copy of this program that could be running is no lock: an empty file, another machine's
// lock, or what is not a file at all (a folder is moved aside with what it holds). It is taken over, not
// waited on, and the program runs.
TEST(InstanceGuard, WhatNamesNoRunningCopyIsTakenOver) {
    testing::TempFolder temp;
    const std::string lock = temp.path() + "/Wakelatch.lock";
    const std::string aside = lock + ".aside." + std::to_string(getpid());
    const auto write = [&lock](QByteArray content) {
        return [&lock, content] {
            QFile file(QString::fromStdString(lock));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(content);
        };
    };
    const std::vector<std::pair<const char*, std::function<void()>>> cases = {
        {"empty", write({})},
        {"another machine's", write(QByteArray::number(getpid()) + "\nwakelatch\nanother-machine\n")},
        {"folder", [&] { std::filesystem::create_directories(lock + "/kept"); }},
        {"FIFO", [&] { mkfifo(lock.c_str(), 0600); }},
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

TEST(InstanceGuard, AnUnusableFolderLetsTheProgramRun) {
    LocalInstanceGuard guard(QStringLiteral("/nonexistent/wakelatch/folder"));
    EXPECT_FALSE(guard.PreviousInstanceRunning());
}

}  // namespace
}  // namespace wakelatch
