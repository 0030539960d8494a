#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/link/hid_backend.h"

namespace photara::test {

// Passes everything to another backend, except that it can turn the meter silent the way a
// real one is: a read then waits until released (or for a given time) and times out, as a
// meter that stopped answering keeps the reader for its whole time-out.
class StallingBackend final : public HidBackend {
  public:
    explicit StallingBackend(HidBackend& inner) : inner_(inner) {}

    // On: each read waits until stall(false) or for `wait` (whichever comes first), then
    // times out. Off: reads pass through again, and a read waiting now ends (timed out).
    void stall(bool on, std::chrono::milliseconds wait = std::chrono::hours(1));
    // Whether a read is waiting in a stall now.
    bool stalledReadWaiting() const;

    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendorId, std::uint16_t productId) override {
        return inner_.enumerate(vendorId, productId);
    }
    std::unique_ptr<HidDevice> open(const std::string& path) override;

  private:
    class Device;
    ReadStatus stalledRead();

    HidBackend& inner_;
    mutable std::mutex mutex_;
    std::condition_variable released_;
    bool stalling_ = false;
    std::chrono::milliseconds wait_{0};
    int waiting_ = 0;
};

}  // namespace photara::test
