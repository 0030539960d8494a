#include "tools/uhid_bridge/meter_bridge.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace photara::tools {

MeterBridge::MeterBridge(UhidDevice& device, MeterFactory makeMeter, std::chrono::microseconds pace)
    : device_(device), makeMeter_(std::move(makeMeter)), pace_(pace) {
    freshMeter();
}

void MeterBridge::freshMeter() {
    meter_ = makeMeter_();
    meter_->setIdleAnswers(false);
}

MeterBridge::~MeterBridge() = default;

void MeterBridge::onOutput(std::span<const std::uint8_t> bytes) {
    ++outputs_;
    if (bytes.size() != kReportSize || bytes[0] != 0) {
        ++refused_;
        std::fprintf(stderr, "bridge: refused output report of %zu bytes starting %u\n",
                     bytes.size(), bytes.empty() ? 0u : unsigned{bytes[0]});
        return;
    }
    if (silent_) return;
    meter_->receive(bytes);  // its answers are sent, paced, by runDue
}

void MeterBridge::unplug() {
    device_.unplug();
    meter_->discardQueuedAnswers();  // reports not yet sent go with the device
}

std::optional<MeterBridge::Clock::time_point> MeterBridge::runDue(Clock::time_point now) {
    if (unplugAt_ && *unplugAt_ <= now) {
        unplugAt_.reset();
        unplug();
    }
    if (replugAt_ && *replugAt_ <= now) {
        replugAt_.reset();
        device_.plugIn();
    }
    if (meter_->hasQueuedAnswer() && nextSend_ <= now && device_.present()) {
        const Report r = meter_->takeInputReport().value_or(Report{});
        std::span<const std::uint8_t> data(r.data() + 1, kReportDataSize);  // no report id
        if (truncateNext_) {
            data = data.first(std::min(*truncateNext_, data.size()));
            truncateNext_.reset();
        }
        device_.sendInput(data);
        ++inputs_;
        nextSend_ = now + pace_;
    }
    std::optional<Clock::time_point> next;
    auto earliest = [&](std::optional<Clock::time_point> t) {
        if (t && (!next || *t < *next)) next = t;
    };
    earliest(unplugAt_);
    earliest(replugAt_);
    if (meter_->hasQueuedAnswer() && device_.present()) earliest(nextSend_);
    return next;
}

std::string MeterBridge::command(const std::string& line) {
    std::istringstream in(line);
    std::string verb;
    long value = 0;
    in >> verb;
    const bool hasValue = static_cast<bool>(in >> value);
    const auto later = [&] { return Clock::now() + std::chrono::milliseconds(value); };

    if (verb == "unplug") {
        if (hasValue) {
            unplugAt_ = later();
        } else {
            unplug();
        }
    } else if (verb == "replug") {
        if (hasValue) {
            replugAt_ = later();
        } else {
            device_.plugIn();
        }
    } else if (verb == "silent" && hasValue) {
        silent_ = value != 0;
    } else if (verb == "truncate-next" && hasValue && value >= 0) {
        truncateNext_ = static_cast<std::size_t>(value);
    } else if (verb == "reset") {
        freshMeter();
        unplugAt_.reset();
        replugAt_.reset();
        silent_ = false;
        truncateNext_.reset();
        outputs_ = refused_ = inputs_ = 0;  // each case counts its own traffic
        device_.plugIn();
    } else if (verb == "stats") {
        std::ostringstream out;
        out << "ok outputs=" << outputs_ << " refused=" << refused_ << " inputs=" << inputs_;
        return out.str();
    } else if (verb == "quit") {
        quit_ = true;
    } else {
        return "error unknown command: " + line;
    }
    return "ok";
}

}  // namespace photara::tools
