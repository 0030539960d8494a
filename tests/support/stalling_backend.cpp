#include "support/stalling_backend.h"

namespace photara::test {

class StallingBackend::Device final : public HidDevice {
  public:
    Device(std::unique_ptr<HidDevice> inner, StallingBackend& owner)
        : inner_(std::move(inner)), owner_(owner) {}
    std::size_t inputReportLength() const override { return inner_->inputReportLength(); }
    std::size_t outputReportLength() const override { return inner_->outputReportLength(); }
    bool write(std::span<const std::uint8_t> report) override { return inner_->write(report); }
    ReadStatus read(Report& report, std::chrono::milliseconds timeout) override {
        {
            const std::lock_guard lock(owner_.mutex_);
            if (!owner_.stalling_) return inner_->read(report, timeout);
        }
        return owner_.stalledRead();
    }

  private:
    std::unique_ptr<HidDevice> inner_;
    StallingBackend& owner_;
};

void StallingBackend::stall(bool on, std::chrono::milliseconds wait) {
    {
        const std::lock_guard lock(mutex_);
        stalling_ = on;
        wait_ = wait;
    }
    released_.notify_all();
}

bool StallingBackend::stalledReadWaiting() const {
    const std::lock_guard lock(mutex_);
    return waiting_ > 0;
}

ReadStatus StallingBackend::stalledRead() {
    std::unique_lock lock(mutex_);
    ++waiting_;
    released_.wait_for(lock, wait_, [this] { return !stalling_; });
    --waiting_;
    return ReadStatus::TimedOut;
}

std::unique_ptr<HidDevice> StallingBackend::open(const std::string& path) {
    std::unique_ptr<HidDevice> device = inner_.open(path);
    return device ? std::make_unique<Device>(std::move(device), *this) : nullptr;
}

}  // namespace photara::test
