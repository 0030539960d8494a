// photara_uhid_bridge: serves the virtual meter as a kernel HID device through /dev/uhid,
// so the real hidapi backend can talk to it through hidraw. Linux only; needs root.
//
//   photara_uhid_bridge --control DIR [--pace-us N] [--live-clock]
//
// The meter's clock stands still (so tests can predict every answer) unless --live-clock
// is given, for running the program itself against the bridge.
// DIR/in and DIR/out are FIFOs (made if missing): each line written to DIR/in is one
// command (see MeterBridge::command), answered by one line on DIR/out.
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <optional>
#include <string>

#include "tools/uhid_bridge/bridge_setup.h"
#include "core/link/meter_identity.h"
#include "tools/uhid_bridge/meter_bridge.h"
#include "sim/logger_memory.h"

namespace {

using namespace photara;
using namespace photara::tools;

// One vendor-defined application collection with one 64-byte input and one 64-byte output
// report and no report ids: the meter's interface as the host sees it.
constexpr std::array<std::uint8_t, 25> kReportDescriptor{
    0x06, 0x00, 0xFF,  // Usage Page (vendor 0xFF00)
    0x09, 0x01,        // Usage (1)
    0xA1, 0x01,        // Collection (Application)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x40,        //   Report Count (64)
    0x09, 0x01,        //   Usage (1)
    0x81, 0x02,        //   Input (Data, Var, Abs)
    0x09, 0x01,        //   Usage (1)
    0x91, 0x02,        //   Output (Data, Var, Abs)
    0xC0,              // End Collection
};

int openFifo(const std::string& path) {
    if (::mkfifo(path.c_str(), 0600) != 0 && errno != EEXIST) return -1;
    // Read-write, so opening never blocks and the FIFO never reports end of file.
    return ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
}

// Writes one reply. If nobody reads the replies (a person echoing commands into the FIFO)
// and the FIFO is full, the reply is dropped after a short wait rather than hanging the meter.
void writeLine(int fd, std::string line) {
    line += '\n';
    const char* p = line.data();
    std::size_t left = line.size();
    int fullWaits = 0;
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN && ++fullWaits <= 100) {
            ::usleep(1000);
            continue;
        }
        if (n <= 0) return;
        p += n;
        left -= static_cast<std::size_t>(n);
    }
}

int run(const std::string& controlDir, std::chrono::microseconds pace, const Clock& clock) {
    const int in = openFifo(controlDir + "/in");
    const int out = openFifo(controlDir + "/out");
    if (in < 0 || out < 0) {
        std::perror("bridge: control FIFOs");
        return 1;
    }
    UhidDevice device({"Photara virtual meter", kMeterVendorId, kMeterProductId},
                      kReportDescriptor);
    // The meter makes its sets' texts when first asked for them, which under emulation can
    // take longer than the host waits for an answer; make them once, before serving.
    sim::LoggerMemory sets = sim::LoggerMemory::withDemoSets();
    for (int i = 0; i < sets.setCount(); ++i) (void)sets.text(i);
    MeterBridge bridge(
        device, [&] { return std::make_unique<sim::VirtualMeter>(clock, sets); }, pace);
    device.plugIn();
    std::fprintf(stderr, "bridge: meter %04X:%04X plugged in\n", kMeterVendorId, kMeterProductId);

    std::string partial;
    std::optional<MeterBridge::Clock::time_point> due;
    while (!bridge.quitRequested()) {
        // Microsecond waits (ppoll): the pace between reports is about a millisecond.
        timespec wait{};
        if (due) {
            const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                *due - MeterBridge::Clock::now());
            const long long n = std::max<long long>(0, ns.count());
            wait.tv_sec = static_cast<time_t>(n / 1'000'000'000);
            wait.tv_nsec = static_cast<long>(n % 1'000'000'000);
        }
        std::array<pollfd, 2> fds{{{in, POLLIN, 0}, {device.fd(), POLLIN, 0}}};
        if (::ppoll(fds.data(), fds.size(), due ? &wait : nullptr, nullptr) < 0 && errno != EINTR) {
            std::perror("bridge: poll");
            return 1;
        }
        // Commands first: a test that wrote a command and then a report expects that order.
        if (fds[0].revents & POLLIN) {
            std::array<char, 512> buf{};
            ssize_t n;
            while ((n = ::read(in, buf.data(), buf.size())) > 0) {
                partial.append(buf.data(), static_cast<std::size_t>(n));
            }
            for (std::size_t eol; (eol = partial.find('\n')) != std::string::npos;) {
                const std::string line = partial.substr(0, eol);
                partial.erase(0, eol + 1);
                writeLine(out, bridge.command(line));
            }
        }
        if (fds[1].revents & POLLIN) {
            if (std::optional<uhid_event> ev = device.nextEvent(); ev && ev->type == UHID_OUTPUT) {
                bridge.onOutput(
                    std::span<const std::uint8_t>(ev->u.output.data, ev->u.output.size));
            }
        }
        due = bridge.runDue(MeterBridge::Clock::now());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string controlDir;
    long paceUs = 1000;
    bool liveClock = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--control" && hasValue) {
            controlDir = argv[++i];
        } else if (option == "--pace-us" && hasValue) {
            char* end = nullptr;
            paceUs = std::strtol(argv[++i], &end, 10);
            if (end == argv[i] || *end != '\0') paceUs = -1;  // not a number: the usage line
        } else if (option == "--live-clock") {
            liveClock = true;
        } else {
            controlDir.clear();
            break;
        }
    }
    if (controlDir.empty() || paceUs < 0) {
        std::fprintf(stderr, "usage: %s --control DIR [--pace-us N] [--live-clock]\n", argv[0]);
        return 2;
    }
    const FrozenClock frozen(kBridgeClockTime);
    const SystemClock system;
    try {
        return run(controlDir, std::chrono::microseconds(paceUs),
                   liveClock ? static_cast<const Clock&>(system) : frozen);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bridge: %s\n", e.what());
        return 1;
    }
}
