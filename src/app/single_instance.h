#pragma once

#include <QString>

#include "core/common/instance_lock.h"

namespace photara {

// Keeps a second Photara, or a photara-cli, from talking to the meter at the same time: two
// programs polling one meter would read each other's answers. The GUI's face of the lock
// both programs share (InstanceLock): a lock left by a program that died is taken over.
class SingleInstance {
  public:
    explicit SingleInstance(const QString& lockPath = defaultLockPath());

    enum class Outcome {
        Acquired,          // this is the only Photara; the lock is held until this object ends
        AlreadyRunning,    // another Photara program holds the lock
        LockFileUnusable,  // the lock file cannot be made (no permission, no such folder)
    };
    Outcome acquire();

    static QString defaultLockPath();
    // What the user is told when the outcome is not Acquired.
    QString refusalMessage(Outcome outcome) const;

  private:
    InstanceLock lock_;
};

}  // namespace photara
