#pragma once

#include <string>

namespace photara::test {

// The test's end of the uhid bridge's control FIFOs: one command line out, one reply in.
class BridgeControl {
  public:
    explicit BridgeControl(const std::string& dir);  // throws if the FIFOs can't be opened
    ~BridgeControl();
    BridgeControl(const BridgeControl&) = delete;
    BridgeControl& operator=(const BridgeControl&) = delete;

    // Sends one command and returns the bridge's reply ("ok ..." or "error ..."); throws
    // if no reply comes within five seconds.
    std::string send(const std::string& command);

    // The number after "name=" in the reply to "stats".
    long stat(const std::string& name);

  private:
    int in_ = -1;
    int out_ = -1;
    std::string pending_;
};

}  // namespace photara::test
