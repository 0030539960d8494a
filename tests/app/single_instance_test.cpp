#include "app/single_instance.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QCoreApplication>
#include <atomic>
#include <memory>
#include <thread>

namespace photara {
namespace {

TEST(SingleInstanceLock, ASecondHolderIsRefusedUntilTheFirstEnds) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("photara.lock"));
    auto first = std::make_unique<SingleInstance>(path);
    ASSERT_EQ(first->acquire(), SingleInstance::Outcome::Acquired);
    SingleInstance second(path);
    EXPECT_EQ(second.acquire(), SingleInstance::Outcome::AlreadyRunning);
    first.reset();
    SingleInstance third(path);
    EXPECT_EQ(third.acquire(), SingleInstance::Outcome::Acquired);
}

TEST(SingleInstanceLock, ALockLeftByAProgramThatDiedIsTakenOver) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("photara.lock"));
    {
        // What a crashed Photara leaves: its process id (no longer running), name and host.
        QFile stale(path);
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
        stale.write("2147483646\nphotara\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    }
    SingleInstance instance(path);
    EXPECT_EQ(instance.acquire(), SingleInstance::Outcome::Acquired);
}

// A long run keeps its lock: only a dead owner makes it stale, never the file's age.
TEST(SingleInstanceLock, AnOldLockOfARunningPhotaraStillRefuses) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("photara.lock"));
    SingleInstance first(path);
    ASSERT_EQ(first.acquire(), SingleInstance::Outcome::Acquired);
    QFile lockFile(path);
    ASSERT_TRUE(lockFile.open(QIODevice::ReadWrite));
    const QDateTime dayAgo = QDateTime::currentDateTime().addDays(-1);
    ASSERT_TRUE(lockFile.setFileTime(dayAgo, QFileDevice::FileModificationTime));
    lockFile.close();
    SingleInstance second(path);
    EXPECT_EQ(second.acquire(), SingleInstance::Outcome::AlreadyRunning);
}

TEST(SingleInstanceLock, ALockFileThatCannotBeMadeIsSaidSoNotAnotherPhotara) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no-such-folder/photara.lock"));
    SingleInstance instance(path);
    const auto outcome = instance.acquire();
    EXPECT_EQ(outcome, SingleInstance::Outcome::LockFileUnusable);
    EXPECT_TRUE(instance.refusalMessage(outcome).contains(path));
    EXPECT_FALSE(instance.refusalMessage(outcome).contains(QStringLiteral("already running")));
}

TEST(SingleInstanceLock, LivesInTheRuntimeDirectoryAndExplainsTheRefusal) {
    EXPECT_TRUE(SingleInstance::defaultLockPath().endsWith(QStringLiteral("/photara.lock")));
    const SingleInstance instance(SingleInstance::defaultLockPath());
    EXPECT_TRUE(instance.refusalMessage(SingleInstance::Outcome::AlreadyRunning)
                    .contains(QStringLiteral("already running")));
}

}  // namespace
}  // namespace photara

namespace photara {
namespace {

// A file opened while Photara runs is handed to the running one, which opens it; with no
// Photara listening (or a socket a dead one left), the hand-over fails and says so.
TEST(FileHandoffTest, TheRunningPhotaraOpensAFileASecondOneHandsOver) {
    QTemporaryDir dir;
    const QString lock = dir.filePath(QStringLiteral("photara.lock"));
    FileHandoff second(lock);
    EXPECT_FALSE(second.handOver(QStringLiteral("a.pxd"), 200)) << "no Photara runs";

    FileHandoff running(lock);
    QStringList opened;
    ASSERT_TRUE(running.listen([&](const QString& file) { opened << file; }));
    const QString file = dir.filePath(QStringLiteral("night shift ü.pxd"));
    std::atomic<int> taken{-1};
    std::thread other([&] { taken = second.handOver(file) ? 1 : 0; });
    while (taken < 0) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    other.join();
    EXPECT_EQ(taken, 1);
    EXPECT_EQ(opened, QStringList{file});

    // A Photara that died left its socket: the next one listens there all the same.
    FileHandoff next(lock);
    EXPECT_TRUE(next.listen([](const QString&) {}));
}

}  // namespace
}  // namespace photara
