#pragma once

#include <QLockFile>
#include <QString>

namespace photara {

// Keeps a second Photara from starting: two programs polling one meter would read each
// other's answers. The lock is a file in the user's runtime directory; a lock left behind by
// a program that died is taken over.
class SingleInstance {
  public:
    explicit SingleInstance(const QString& lockPath = defaultLockPath());

    enum class Outcome {
        Acquired,          // this is the only Photara; the lock is held until this object ends
        AlreadyRunning,    // another Photara holds the lock
        LockFileUnusable,  // the lock file cannot be made (no permission, no such folder)
    };
    Outcome acquire();

    static QString defaultLockPath();
    // What the user is told when the outcome is not Acquired.
    QString refusalMessage(Outcome outcome) const;

  private:
    QLockFile lock_;
};

}  // namespace photara
