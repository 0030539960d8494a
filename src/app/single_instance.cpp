#include "app/single_instance.h"

namespace photara {

SingleInstance::SingleInstance(const QString& lockPath)
    : lock_(lockPath.toStdString(), "photara") {}

SingleInstance::Outcome SingleInstance::acquire() {
    switch (lock_.acquire()) {
        case InstanceLock::Outcome::Acquired:
            return Outcome::Acquired;
        case InstanceLock::Outcome::AlreadyRunning:
            return Outcome::AlreadyRunning;
        case InstanceLock::Outcome::LockFileUnusable:
            break;
    }
    return Outcome::LockFileUnusable;
}

QString SingleInstance::defaultLockPath() {
    return QString::fromStdString(InstanceLock::defaultPath());
}

QString SingleInstance::refusalMessage(Outcome outcome) const {
    if (outcome == Outcome::LockFileUnusable)
        return QStringLiteral(
                   "Photara cannot create its lock file %1, which keeps a second Photara from "
                   "talking to the same meter. Check that the folder exists and that you may "
                   "write in it.")
            .arg(QString::fromStdString(lock_.path()));
    const QString holder = lock_.holder().empty()
                               ? QStringLiteral("another Photara program")
                               : QString::fromStdString(lock_.holder());
    return QStringLiteral(
               "Photara is already running (%1 holds the meter).\n"
               "Only one Photara can talk to the meter at a time: two would read each other's "
               "answers. Close the other Photara first.")
        .arg(holder);
}

}  // namespace photara
