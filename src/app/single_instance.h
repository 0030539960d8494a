#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "core/common/instance_lock.h"

class QLocalServer;

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

// A data file opened from the file manager while Photara runs goes to the running Photara,
// which opens it: the one that holds the lock listens on a local socket beside the lock file,
// and a second one hands its file over there and ends.
class FileHandoff {
  public:
    explicit FileHandoff(const QString& lockPath = SingleInstance::defaultLockPath());
    ~FileHandoff();

    // In the running Photara: calls open with each file handed over. False when the socket
    // cannot be made (the files are then refused as before).
    bool listen(std::function<void(const QString& file)> open);
    // In a second Photara: hands file over and waits, at most timeoutMs, for the running
    // one to take it. False when no Photara took it.
    bool handOver(const QString& file, int timeoutMs = 3000) const;

  private:
    QString socketPath_;
    std::unique_ptr<QLocalServer> server_;
};

}  // namespace photara
