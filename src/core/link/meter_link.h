#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "link/hid_backend.h"
#include "protocol/commands.h"
#include "protocol/report.h"

namespace photara {

// The program's only access to the meter. It owns the shared output buffer, the current
// answer and the connection flag, and offers the three exchanges every caller uses.
//
// The output buffer is never cleared: a request sets the bytes it needs and the rest keep
// what earlier requests left (the set-data request relies on the identifier that the
// set-size request wrote). The current answer changes only when a whole report arrived.
//
// While not connected, each exchange first searches for the meter. Only write-then-read
// carries out its request in the call that reconnects; write-only and read-only merely
// search, so a key press made while the meter is absent is lost.
class MeterLink {
  public:
    struct Listener {
        std::function<void()> noConnection;  // a search found no meter
        std::function<void()> readError;     // a read failed other than by time-out
    };

    static constexpr std::chrono::milliseconds kReadTimeout{1000};

    MeterLink(HidBackend& backend, std::uint16_t vendorId, std::uint16_t productId);
    ~MeterLink();
    MeterLink(const MeterLink&) = delete;
    MeterLink& operator=(const MeterLink&) = delete;

    void setListener(Listener listener) { listener_ = std::move(listener); }

    // The shared output buffer. Byte 0 (report id) and byte 1 are set by request().
    Report& output() { return output_; }
    const Report& output() const { return output_; }

    // Writes 0, 1 and the command into bytes 0..2; bytes 3.. keep their values.
    void request(std::uint8_t command);
    void request(Command command) { request(static_cast<std::uint8_t>(command)); }

    void writeThenRead();
    void writeOnly();
    void readOnly();

    bool connected() const { return device_ != nullptr; }

    // Whether the last exchange's request reached the device. False after a write-only or
    // read-only, after an exchange that only searched (the reconnecting call) and after a
    // write the device refused. A write-only setting has no answer to prove it arrived: its
    // caller asks here, so that a value the meter never got is not taken for a success.
    bool requestSent() const { return requestSent_; }

    // The last report that arrived whole; all zero until then.
    const Report& answer() const { return answer_; }

  private:
    bool search();
    void write();
    void read();
    void drop();

    HidBackend& backend_;
    std::uint16_t vendorId_;
    std::uint16_t productId_;
    Listener listener_;
    std::unique_ptr<HidDevice> device_;
    Report output_{};
    Report input_{};
    Report answer_{};
    bool requestSent_ = false;
};

}  // namespace photara
