#pragma once

#include <memory>
#include <string>

namespace photara {

// An advisory lock on the meter's device node (/dev/hidrawN), held while the node is open, so
// that two programs cannot talk to one meter at once even when their instance locks differ
// (two users, or two lock folders): they would read each other's answers. The system releases
// it when the holder closes the node or ends, however it ends.
class DeviceNodeLock {
  public:
    // The lock on path, or null with refusal set when another program holds it (or the node
    // cannot be opened to lock it, which hidapi would meet as well).
    static std::unique_ptr<DeviceNodeLock> take(const std::string& path, std::string& refusal);
    ~DeviceNodeLock();
    DeviceNodeLock(const DeviceNodeLock&) = delete;
    DeviceNodeLock& operator=(const DeviceNodeLock&) = delete;

    // What a refused opener is told: "the meter /dev/hidraw3 is in use by another program
    // (Photara or photara-cli)".
    static std::string inUseText(const std::string& path);

  private:
    explicit DeviceNodeLock(int fd) : fd_(fd) {}
    int fd_;
};

}  // namespace photara
