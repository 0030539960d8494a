#include "device/device_node_lock.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "device/hidapi_backend.h"

namespace photara {
namespace {

// A temporary file standing in for the meter's /dev/hidrawN.
class NodeFile {
  public:
    NodeFile() {
        char name[] = "/tmp/photara-node-XXXXXX";
        const int fd = ::mkstemp(name);
        if (fd >= 0) ::close(fd);
        path_ = name;
    }
    ~NodeFile() { ::unlink(path_.c_str()); }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

TEST(DeviceNodeLock, ASecondLockerIsRefusedByNameUntilTheFirstLetsGo) {
    const NodeFile node;
    std::string refusal = "stale";
    auto first = DeviceNodeLock::take(node.path(), refusal);
    ASSERT_TRUE(first);
    EXPECT_TRUE(refusal.empty());

    EXPECT_FALSE(DeviceNodeLock::take(node.path(), refusal));
    EXPECT_EQ(refusal, "the meter " + node.path() +
                           " is in use by another program (Photara or photara-cli)");

    first.reset();
    EXPECT_TRUE(DeviceNodeLock::take(node.path(), refusal));
    EXPECT_TRUE(refusal.empty());
}

TEST(DeviceNodeLock, ANodeThatCannotBeOpenedIsNoRefusal) {
    std::string refusal = "stale";
    EXPECT_FALSE(DeviceNodeLock::take("/nonexistent/hidraw9", refusal));
    EXPECT_TRUE(refusal.empty());
}

TEST(HidApiBackend, OpensNothingWhileAnotherProgramHoldsTheNode) {
    const NodeFile node;
    std::string refusal;
    const auto other = DeviceNodeLock::take(node.path(), refusal);
    ASSERT_TRUE(other);

    HidApiBackend backend;
    EXPECT_FALSE(backend.open(node.path()));
    EXPECT_EQ(backend.openRefusal(), DeviceNodeLock::inUseText(node.path()));
    // A node that is not there is no meter, not a refusal.
    EXPECT_FALSE(backend.open("/nonexistent/hidraw9"));
    EXPECT_TRUE(backend.openRefusal().empty());
}

}  // namespace
}  // namespace photara
