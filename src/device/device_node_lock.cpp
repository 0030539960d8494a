#include "device/device_node_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace photara {

std::unique_ptr<DeviceNodeLock> DeviceNodeLock::take(const std::string& path,
                                                     std::string& refusal) {
    refusal.clear();
    // Read-only is enough to lock, and never sends the meter anything.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;  // hidapi cannot open it either: not a refusal of ours
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) refusal = inUseText(path);
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<DeviceNodeLock>(new DeviceNodeLock(fd));
}

DeviceNodeLock::~DeviceNodeLock() { ::close(fd_); }

std::string DeviceNodeLock::inUseText(const std::string& path) {
    return "the meter " + path + " is in use by another program (Photara or photara-cli)";
}

}  // namespace photara
