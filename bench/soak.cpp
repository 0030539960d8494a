// A virtual day of polling: 345,600 poll ticks (4 per second for 24 hours of an injected
// clock) against the virtual meter, with the meter unplugged, replugged, falling silent and
// waking, and keys pressed at random. After every tick it checks that the panel's state is
// exactly the display report the meter sent in that tick, or unchanged when the tick got no
// answer: nothing stale is ever shown. At the end it checks that the process's memory did
// not grow after the warm-up. Prints ticks per second and peak RSS; exits 1 on a fault.
//
// Run by ./photara.sh bench; `bench_soak TICKS` runs a shorter soak.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "core/link/meter_identity.h"
#include "core/live/display_decoding.h"
#include "core/meter/display_ops.h"
#include "core/meter/poll_tick.h"
#include "sim/key_codes.h"
#include "sim/virtual_meter.h"
#include "sim/virtual_meter_backend.h"

namespace {

using namespace photara;

constexpr long long kTickMs = 250;
constexpr long long kDayTicks = 24LL * 3600 * 1000 / kTickMs;  // 345,600

// The injected clock: moves only when the soak moves it.
class SoakClock final : public Clock {
  public:
    LocalDateTime now() const override {
        LocalDateTime t{2026, 12, 8, 0, 0, 0, 0};
        long long ms = elapsedMs_;
        t.day += static_cast<int>(ms / 86'400'000);
        ms %= 86'400'000;
        t.hour = static_cast<int>(ms / 3'600'000);
        t.minute = static_cast<int>(ms / 60'000 % 60);
        t.second = static_cast<int>(ms / 1000 % 60);
        t.millisecond = static_cast<int>(ms % 1000);
        return t;
    }
    void advance(long long ms) { elapsedMs_ += ms; }

  private:
    long long elapsedMs_ = 0;
};

// Passes everything to the virtual meter's backend and keeps the last display report that
// reached the host: the truth each tick is checked against.
class WitnessBackend final : public HidBackend {
  public:
    explicit WitnessBackend(HidBackend& inner) : inner_(inner) {}
    std::vector<HidDeviceInfo> enumerate(std::uint16_t v, std::uint16_t p) override {
        return inner_.enumerate(v, p);
    }
    std::unique_ptr<HidDevice> open(const std::string& path) override {
        std::unique_ptr<HidDevice> device = inner_.open(path);
        if (!device) return nullptr;
        return std::make_unique<Device>(std::move(device), *this);
    }
    // Taken once: the display report delivered since the last call, if any.
    std::optional<Report> takeDelivered() { return std::exchange(delivered_, std::nullopt); }

  private:
    class Device final : public HidDevice {
      public:
        Device(std::unique_ptr<HidDevice> inner, WitnessBackend& owner)
            : inner_(std::move(inner)), owner_(owner) {}
        std::size_t inputReportLength() const override { return inner_->inputReportLength(); }
        std::size_t outputReportLength() const override { return inner_->outputReportLength(); }
        bool write(std::span<const std::uint8_t> report) override {
            lastCommand_ = report.size() > kCommandByte ? report[kCommandByte] : 0;
            return inner_->write(report);
        }
        ReadStatus read(Report& report, std::chrono::milliseconds timeout) override {
            const ReadStatus status = inner_->read(report, timeout);
            if (status == ReadStatus::Ok && lastCommand_ == static_cast<int>(Command::Display))
                owner_.delivered_ = report;
            return status;
        }

      private:
        std::unique_ptr<HidDevice> inner_;
        WitnessBackend& owner_;
        int lastCommand_ = -1;
    };

    HidBackend& inner_;
    std::optional<Report> delivered_;
};

long residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

long peakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

constexpr sim::Key kKeys[] = {
    sim::Key::Light, sim::Key::Range, sim::Key::MaxMin,  sim::Key::Set,   sim::Key::Hold,
    sim::Key::Relative, sim::Key::Enter, sim::Key::Time,  sim::Key::Mem,   sim::Key::Read,
    sim::Key::A,     sim::Key::B,     sim::Key::Zero,    sim::Key::Cmp,   sim::Key::Ref,
    sim::Key::Average, sim::Key::Acc, sim::Key::DisplayTest};

}  // namespace

int main(int argc, char** argv) {
    long long ticks = kDayTicks;
    if (argc > 1 && argv[1][0] != '-') ticks = std::max(1LL, std::atoll(argv[1]));

    SoakClock clock;
    sim::VirtualMeter meter{clock};
    sim::VirtualMeterBackend simBackend{meter};
    WitnessBackend backend{simBackend};
    MeterLink link{backend, kMeterVendorId, kMeterProductId};
    DisplayState state;
    DisplayModel model;
    PollTick tick{link, state, model};

    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> event(0, 999);
    long long faults = 0, answered = 0, unplugs = 0, silences = 0, keys = 0;
    const long warmTicks = static_cast<long>(std::min(ticks, 20'000LL));
    long rssAfterWarmUp = 0;

    const auto start = std::chrono::steady_clock::now();
    for (long long i = 0; i < ticks; ++i) {
        // Between ticks: what a day with a user and a flaky cable brings.
        const int e = event(random);
        if (e < 2) {
            simBackend.plugged() ? simBackend.unplug() : simBackend.replug();
            ++unplugs;
        } else if (e < 4) {
            simBackend.setSilent(!simBackend.silent());
            ++silences;
        } else if (e < 40) {
            (void)pressKey(link, static_cast<std::uint8_t>(kKeys[random() % std::size(kKeys)]));
            ++keys;
        }
        // A meter left away for long comes back, so the day is mostly polling.
        if (!simBackend.plugged() && e > 990) simBackend.replug();
        if (simBackend.silent() && e < 10) simBackend.setSilent(false);
        (void)backend.takeDelivered();  // a key press reads nothing; clear all the same

        const DisplayState before = state;
        const MeterOutcome<void> outcome = tick.run();
        const std::optional<Report> delivered = backend.takeDelivered();
        if (outcome) {
            ++answered;
            // The state must be this tick's report, applied over the state before it.
            DisplayState expected = before;
            DisplayModel scratch;
            if (!delivered) {
                std::fprintf(stderr, "tick %lld: answered without a display report\n", i);
                ++faults;
            } else {
                decodeDisplayReport(*delivered, expected, scratch);
                if (!(expected == state)) {
                    std::fprintf(stderr, "tick %lld: the state is not this tick's report\n", i);
                    ++faults;
                }
            }
        } else if (!(before == state)) {
            std::fprintf(stderr, "tick %lld: a tick without an answer changed the state\n", i);
            ++faults;
        }
        (void)model.takeChanges();
        simBackend.clearLog();
        clock.advance(kTickMs);
        if (i + 1 == warmTicks) rssAfterWarmUp = residentKiB();
        if (faults > 20) break;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const long rssAtEnd = residentKiB();
    // A day's polling may settle a few pages; a leak per tick would add megabytes.
    const bool flat = rssAtEnd - rssAfterWarmUp <= 1024;

    std::printf("soak: %lld ticks (%.1f virtual hours) in %.2f s: %.0f ticks/s\n", ticks,
                static_cast<double>(ticks) * kTickMs / 3.6e6, seconds,
                static_cast<double>(ticks) / seconds);
    std::printf("soak: answered %lld, unplug/replug %lld, silent/awake %lld, keys %lld\n",
                answered, unplugs, silences, keys);
    std::printf("soak: RSS after warm-up %ld KiB, at end %ld KiB, peak %ld KiB: %s\n",
                rssAfterWarmUp, rssAtEnd, peakResidentKiB(), flat ? "flat" : "GREW");
    std::printf("soak: %lld stale or wrong displays\n", faults);
    return faults == 0 && flat ? 0 : 1;
}
