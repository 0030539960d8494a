#include "core/common/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>

namespace photara {
namespace {

// The first line of the holder's file: "name pid".
std::string readHolder(int fd) {
    char text[256];
    const ssize_t n = ::pread(fd, text, sizeof text - 1, 0);
    std::string_view line(text, n > 0 ? static_cast<std::size_t>(n) : 0);
    line = line.substr(0, line.find('\n'));
    const std::size_t space = line.rfind(' ');
    if (line.empty() || space == std::string_view::npos) return "another Photara program";
    return std::string(line.substr(0, space)) + " (process " + std::string(line.substr(space + 1)) +
           ")";
}

}  // namespace

InstanceLock::InstanceLock(std::string path, std::string programName)
    : path_(std::move(path)), programName_(std::move(programName)) {}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) ::close(fd_);  // releases the lock; the file stays for the next holder
}

InstanceLock::Outcome InstanceLock::acquire() {
    if (fd_ >= 0) return Outcome::Acquired;
    // Not through a link, and only a file of this user's: the folder is shared by all users.
    const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return Outcome::LockFileUnusable;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
        ::close(fd);
        return Outcome::LockFileUnusable;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        if (held) holder_ = readHolder(fd);
        ::close(fd);
        return held ? Outcome::AlreadyRunning : Outcome::LockFileUnusable;
    }
    const std::string line = programName_ + " " + std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd, 0) != 0 ||
        ::pwrite(fd, line.data(), line.size(), 0) != static_cast<ssize_t>(line.size())) {
        // Held all the same: only the name in a refusal would be missing.
    }
    fd_ = fd;
    return Outcome::Acquired;
}

std::string InstanceLock::defaultPath() {
    if (const char* test = std::getenv("PHOTARA_TEST_LOCK_FOLDER"); test && *test)
        return pathIn(test);
    // /run/lock outlives no boot and is never aged out by a temporary-file cleaner.
    return pathIn(::access("/run/lock", W_OK | X_OK) == 0 ? "/run/lock" : "/tmp");
}

std::string InstanceLock::pathIn(const std::string& base) {
    const std::string folder = base + "/photara-" + std::to_string(::geteuid());
    // An existing folder (or another user's file by that name) is left as it is: acquire()
    // then takes only a lock file of this user's.
    (void)::mkdir(folder.c_str(), 0700);
    return folder + "/photara.lock";
}

}  // namespace photara
