#include "single_instance.h"

#include <QDir>
#include <QStandardPaths>

namespace photara {

SingleInstance::SingleInstance(const QString& lockPath) : lock_(lockPath) {
    // Only a dead owner makes the lock stale, never its age: a long run keeps its lock.
    lock_.setStaleLockTime(0);
}

bool SingleInstance::acquire() {
    return lock_.tryLock(0);
}

QString SingleInstance::defaultLockPath() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    return dir + QStringLiteral("/photara.lock");
}

QString SingleInstance::refusalMessage() {
    return QStringLiteral(
        "Photara is already running.\n"
        "Only one Photara can talk to the meter at a time: two would read each other's "
        "answers. Close the other Photara first.");
}

}  // namespace photara
