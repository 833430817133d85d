#include <gtest/gtest.h>

#include <QLockFile>
#include <QSignalSpy>

#include <sys/wait.h>
#include <unistd.h>

#include "app/LocalInstanceGuard.h"
#include "fakes/TempFolder.h"

namespace wakelatch {
namespace {

TEST(InstanceGuard, TheFirstCopyRunsALaterCopyFindsIt) {
    testing::TempFolder temp;
    LocalInstanceGuard first(QString::fromStdString(temp.path()));
    EXPECT_FALSE(first.PreviousInstanceRunning());
    LocalInstanceGuard second(QString::fromStdString(temp.path()));
    EXPECT_TRUE(second.PreviousInstanceRunning());
}

TEST(InstanceGuard, ALaterCopyAsksTheFirstToComeToTheFront) {
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

TEST(InstanceGuard, ALockLeftByACopyThatDiedIsRecovered) {
    testing::TempFolder temp;
    const QString lockPath = QString::fromStdString(temp.path() + "/Wakelatch.lock");
    const pid_t child = fork();
    if (child == 0) {
        QLockFile lock(lockPath);
        lock.tryLock(0);
        _exit(0);  // dies holding the lock: the file stays behind
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(QFile::exists(lockPath));

    LocalInstanceGuard guard(QString::fromStdString(temp.path()));
    EXPECT_FALSE(guard.PreviousInstanceRunning());
}

TEST(InstanceGuard, AnUnusableFolderLetsTheProgramRun) {
    LocalInstanceGuard guard(QStringLiteral("/nonexistent/wakelatch/folder"));
    EXPECT_FALSE(guard.PreviousInstanceRunning());
}

}  // namespace
}  // namespace wakelatch
