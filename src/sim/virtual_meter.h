#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "core/common/local_time.h"
#include "core/protocol/report.h"
#include "sim/front_panel.h"
#include "sim/logger_memory.h"
#include "sim/meter_clock.h"
#include "sim/meter_settings.h"

namespace photara::sim {

// An in-process stand-in for the meter, speaking its bytes. It sees the wire as the meter
// does: output reports in, input reports out. Transport (in-process backend, the uhid
// bridge) and fault injection live outside it.
//
// Key codes and command numbers share byte 2: codes that are also logger or settings
// commands (9, 13, 16..25) are taken as those commands, except that 9 is "set recording
// period" only right after a read of the period (13) and with a valid period (1..9999) in
// bytes 3..4; otherwise it is the MEM key.
//
// Answers: a request that expects an answer queues it (a directory or a set queues its
// whole stream of reports), replacing whatever an earlier request left unread, so an
// abandoned transfer never leaks into the next exchange. Key presses and the write-only
// settings queue nothing and leave the queue alone. When nothing is queued the meter still
// answers a read, with its current display report, like a meter that keeps its latest
// input report ready: the host's "read once and discard" before a logger exchange then
// gets a harmless report instead of timing out and disconnecting.
class VirtualMeter {
  public:
    // A meter holding the demo logger sets (see LoggerMemory::withDemoSets).
    explicit VirtualMeter(const Clock& clock);
    VirtualMeter(const Clock& clock, LoggerMemory memory);
    ~VirtualMeter();
    VirtualMeter(const VirtualMeter&) = delete;
    VirtualMeter& operator=(const VirtualMeter&) = delete;

    // One output report as the host writes it: byte 0 the report id (0), byte 1 = 1,
    // byte 2 the command or key code, bytes 3.. the arguments. Shorter reports are read as
    // if padded with zeros.
    void receive(std::span<const std::uint8_t> outputReport);

    // The next input report the meter has to send (byte 0 = report id 0): the next queued
    // answer, else the current display report; nullopt only when nothing is queued and
    // idle answers are switched off.
    std::optional<Report> takeInputReport();

    // Whether a request's answer is waiting (as opposed to the idle display report).
    bool hasQueuedAnswer() const { return !queue_.empty(); }
    std::size_t queuedAnswers() const { return queue_.size(); }
    // Forgets answers not yet read, as when the host closes the device.
    void discardQueuedAnswers() { queue_.clear(); }
    // Off: a read with nothing queued gets nothing (a transport then times out).
    void setIdleAnswers(bool on) { idleAnswers_ = on; }

    // What the sensor is aimed at (a scene), by the meter's running seconds; empty: the demo light.
    void setLight(std::function<double(double)> light) { panel_.setLight(std::move(light)); }

    // State, for tests and the documentation's walk-through.
    const std::vector<std::uint8_t>& keysReceived() const { return keys_; }
    LocalDateTime meterTime() const { return clock_.now(); }
    const MeterSettings& settings() const { return settings_; }
    const FrontPanel& panel() const { return panel_; }
    LoggerMemory& logger() { return memory_; }
    const LoggerMemory& logger() const { return memory_; }

  private:
    void answer(const Report& report);
    void answer(const std::vector<Report>& reports);
    void receiveCommand(const Report& request);

    MeterClock clock_;
    MeterSettings settings_;
    LoggerMemory memory_;
    FrontPanel panel_;
    std::deque<Report> queue_;
    std::vector<std::uint8_t> keys_;
    std::uint8_t previousCommand_ = 0;  // byte 2 of the request before this one
    bool idleAnswers_ = true;
};

}  // namespace photara::sim
