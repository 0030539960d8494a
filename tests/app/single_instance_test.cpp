#include "single_instance.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <memory>

namespace photara {
namespace {

TEST(SingleInstanceLock, ASecondHolderIsRefusedUntilTheFirstEnds) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("photara.lock"));
    auto first = std::make_unique<SingleInstance>(path);
    ASSERT_TRUE(first->acquire());
    SingleInstance second(path);
    EXPECT_FALSE(second.acquire());
    first.reset();
    SingleInstance third(path);
    EXPECT_TRUE(third.acquire());
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
    EXPECT_TRUE(instance.acquire());
}

TEST(SingleInstanceLock, LivesInTheRuntimeDirectoryAndExplainsTheRefusal) {
    EXPECT_TRUE(SingleInstance::defaultLockPath().endsWith(QStringLiteral("/photara.lock")));
    EXPECT_TRUE(SingleInstance::refusalMessage().contains(QStringLiteral("already running")));
}

}  // namespace
}  // namespace photara
