#pragma once

#include <string>

namespace photara {

// Keeps two programs from talking to one meter at once (the GUI, the command-line program or
// a second copy of either): they would read each other's answers. The lock is an advisory
// lock on a file whose path follows from the user id alone, so the desktop's Photara and a
// cron job (which has no session variables) meet at the same file; the system releases it
// when its holder ends, however it ends, so a crashed program never blocks the next. The
// holder writes its name and process id into the file, so a refusal can say who holds the
// meter.
class InstanceLock {
  public:
    enum class Outcome {
        Acquired,          // held until this object ends
        AlreadyRunning,    // another program holds it; holder() names it
        LockFileUnusable,  // the lock file cannot be made (no permission, no such folder)
    };

    // programName is what a refused program is told holds the meter ("photara-cli").
    InstanceLock(std::string path, std::string programName);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    Outcome acquire();

    // After AlreadyRunning: "photara-cli (process 1234)", or "another Photara program" when the
    // holder has not written its name yet.
    std::string holder() const { return holder_; }
    const std::string& path() const { return path_; }

    // /run/lock/photara-UID/photara.lock (/tmp/… where /run/lock cannot be written),
    // whatever the environment says; the user's folder is made (owner only) if missing.
    // PHOTARA_TEST_LOCK_FOLDER replaces /run/lock for tests alone, so each test has its own.
    static std::string defaultPath();
    // base/photara-UID/photara.lock, its folder made if missing.
    static std::string pathIn(const std::string& base);

  private:
    std::string path_;
    std::string programName_;
    std::string holder_;
    int fd_ = -1;
};

}  // namespace photara
