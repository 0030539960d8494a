#include "single_instance.h"

#include <QDir>
#include <QStandardPaths>

namespace photara {

SingleInstance::SingleInstance(const QString& lockPath) : lock_(lockPath) {
    // Only a dead owner makes the lock stale, never its age: a long run keeps its lock.
    lock_.setStaleLockTime(0);
}

SingleInstance::Outcome SingleInstance::acquire() {
    if (lock_.tryLock(0)) return Outcome::Acquired;
    return lock_.error() == QLockFile::LockFailedError ? Outcome::AlreadyRunning
                                                       : Outcome::LockFileUnusable;
}

QString SingleInstance::defaultLockPath() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    return dir + QStringLiteral("/photara.lock");
}

QString SingleInstance::refusalMessage(Outcome outcome) const {
    if (outcome == Outcome::LockFileUnusable)
        return QStringLiteral(
                   "Photara cannot create its lock file %1, which keeps a second Photara from "
                   "talking to the same meter. Check that the folder exists and that you may "
                   "write in it.")
            .arg(lock_.fileName());
    return QStringLiteral(
        "Photara is already running.\n"
        "Only one Photara can talk to the meter at a time: two would read each other's "
        "answers. Close the other Photara first.");
}

}  // namespace photara
