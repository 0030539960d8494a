#pragma once

#include <cstdint>
#include <initializer_list>

#include "core/link/meter_identity.h"
#include "core/link/meter_link.h"
#include "sim/virtual_meter.h"
#include "sim/virtual_meter_backend.h"
#include "support/fake_clock.h"

namespace photara::sim::test {

// A virtual meter behind a real MeterLink, with a clock the test moves. The link starts
// connected (one display exchange) with an empty traffic log.
struct LinkedMeter {
    photara::test::FakeClock clock;
    VirtualMeter meter{clock};
    VirtualMeterBackend backend{meter};
    MeterLink link{backend, kMeterVendorId, kMeterProductId};

    LinkedMeter() {
        exchange(98);
        backend.clearLog();
    }

    // Write-then-read of a command with the given bytes from byte 3 on. The answer, or the
    // last answer that arrived when none did.
    const Report& exchange(std::uint8_t command, std::initializer_list<std::uint8_t> args = {}) {
        setArguments(args);
        keep(link.exchange(request(command)));
        return answer_;
    }
    void send(std::uint8_t command, std::initializer_list<std::uint8_t> args = {}) {
        setArguments(args);
        (void)link.send(request(command));
    }
    // Read-only, as the host's discard read and the directory and set reads.
    void receive() { keep(link.receive()); }
    const Report& answer() const { return answer_; }

    // Request bytes 3.. that every following request carries until set again: these tests
    // drive the meter byte by byte, as a host keeping one output buffer would.
    Report output{};

    const Report& display() { return exchange(98); }
    const Report& blink() { return exchange(99); }
    void press(std::uint8_t key) { send(key); }
    // Presses a key and lets the meter's clock run on, as the poll would between keys.
    void pressThenWait(std::uint8_t key, long long ms) {
        press(key);
        clock.advanceMilliseconds(ms);
    }

  private:
    void setArguments(std::initializer_list<std::uint8_t> args) {
        std::size_t at = kFirstArgumentByte;
        for (const std::uint8_t b : args) output[at++] = b;
    }
    Request request(std::uint8_t command) const {
        return Request::key(command).withArguments(std::span(output).subspan(kFirstArgumentByte));
    }
    void keep(const MeterOutcome<Report>& outcome) {
        if (outcome) answer_ = *outcome;
    }
    Report answer_{};
};

}  // namespace photara::sim::test
