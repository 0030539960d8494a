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

    // True when this is the only Photara; the lock is held until this object ends.
    bool acquire();

    static QString defaultLockPath();
    static QString refusalMessage();

  private:
    QLockFile lock_;
};

}  // namespace photara
