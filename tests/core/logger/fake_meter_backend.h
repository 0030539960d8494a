#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/hid_backend.h"
#include "link/meter_identity.h"
#include "link/meter_link.h"

namespace photara::test {

// A meter scripted by the test: each written report may queue answers; reads take them in
// order, time out at once when none is queued, and fail (unplugging the meter) at a chosen
// read. Stands in for the virtual meter where a test needs exact control of every answer.
class FakeMeterBackend final : public HidBackend {
  public:
    std::function<std::vector<Report>(const Report& request)> respond;
    std::vector<Report> written;
    int reads = 0;
    int failAtRead = -1;  // index (from 0) of the read that fails and unplugs the meter
    bool present = true;

    std::vector<HidDeviceInfo> enumerate(std::uint16_t vid, std::uint16_t pid) override {
        if (!present) return {};
        return {HidDeviceInfo{"fake", vid, pid}};
    }
    std::unique_ptr<HidDevice> open(const std::string&) override {
        if (!present) return nullptr;
        return std::make_unique<Device>(*this);
    }

    // Commands in the order they were written.
    std::vector<int> commands() const {
        std::vector<int> list;
        for (const Report& r : written) list.push_back(r[2]);
        return list;
    }
    int count(int command) const {
        const auto list = commands();
        return static_cast<int>(std::count(list.begin(), list.end(), command));
    }

  private:
    class Device final : public HidDevice {
      public:
        explicit Device(FakeMeterBackend& owner) : owner_(owner) {}
        std::size_t inputReportLength() const override { return kReportSize; }
        std::size_t outputReportLength() const override { return kReportSize; }
        void write(std::span<const std::uint8_t> report) override {
            Report r{};
            std::copy_n(report.begin(), std::min(report.size(), r.size()), r.begin());
            owner_.written.push_back(r);
            if (!owner_.present || !owner_.respond) return;
            for (const Report& a : owner_.respond(r)) owner_.pending_.push_back(a);
        }
        ReadStatus read(Report& report, std::chrono::milliseconds) override {
            if (!owner_.present) return ReadStatus::Failed;
            if (owner_.reads++ == owner_.failAtRead) {
                owner_.present = false;
                owner_.pending_.clear();
                return ReadStatus::Failed;
            }
            if (owner_.pending_.empty()) return ReadStatus::TimedOut;
            report = owner_.pending_.front();
            owner_.pending_.pop_front();
            return ReadStatus::Ok;
        }

      private:
        FakeMeterBackend& owner_;
    };

    std::deque<Report> pending_;
};

// An answer report with the given data bytes from byte 1 on.
inline Report answerWith(std::initializer_list<std::uint8_t> data, std::uint8_t fill = 0) {
    Report r;
    r.fill(fill);
    r[0] = 0;
    std::copy(data.begin(), data.end(), r.begin() + 1);
    return r;
}

}  // namespace photara::test
