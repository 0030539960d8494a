#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/common/outcome.h"
#include "core/link/hid_backend.h"
#include "core/link/request.h"
#include "core/protocol/report.h"

namespace photara {

// Why an exchange with the meter, or an operation made of exchanges, brought nothing.
enum class Failure {
    NoMeter,       // not connected, and the search found no meter
    OnlySearched,  // not connected; the search found the meter, and this call did only that
    NoAnswer,      // nothing arrived within the time-out; the link let go of the meter
    ReadError,     // the read failed (an unplugged meter); the link let go of the meter
    NotTaken,      // the meter did not take a write-only request
    TooLong,       // a set longer than the download buffer holds
    Stopped,       // the caller's progress callback stopped a transfer
};

template <class T>
using MeterOutcome = Outcome<T, Failure>;

// The program's only access to the meter, used only by the meter operations (core/meter).
// Offers the three exchanges the protocol has, each returning its outcome.
//
// While not connected, each exchange first searches for the meter. Only exchange() carries
// out its request in the call that reconnects; send() and receive() merely search (and say
// OnlySearched), so a key press made while the meter is absent is lost. A read that times out
// or fails lets go of the meter; the next exchange searches again.
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

    // Write-then-read: the answer to the request. A write the device refuses is not a
    // failure of its own: the read that follows finds out.
    MeterOutcome<Report> exchange(const Request& request);
    // Write-only: whether the device took the request.
    MeterOutcome<void> send(const Request& request);
    // Read-only: the next report the meter sends.
    MeterOutcome<Report> receive();

    // Whether a device is open. For guards that refuse to start without a meter; the outcome
    // of an exchange says whether the exchange worked.
    bool connected() const { return device_ != nullptr; }
    // After a search that found the meter held by another program: says so, naming its node
    // (HidBackend::openRefusal). Empty otherwise.
    const std::string& refusal() const { return refusal_; }

  private:
    MeterOutcome<void> ensureConnected();
    bool search();
    bool write(const Request& request);
    MeterOutcome<Report> read();
    void drop();

    HidBackend& backend_;
    std::uint16_t vendorId_;
    std::uint16_t productId_;
    Listener listener_;
    std::unique_ptr<HidDevice> device_;
    std::string refusal_;
};

}  // namespace photara
