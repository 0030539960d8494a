#include "sim/virtual_meter.h"

#include <algorithm>

#include "protocol/commands.h"
#include "sim/display_composer.h"

namespace photara::sim {

VirtualMeter::VirtualMeter(const Clock& clock) : clock_(clock), panel_(clock_, settings_) {}

VirtualMeter::~VirtualMeter() = default;

void VirtualMeter::receive(std::span<const std::uint8_t> outputReport) {
    Report request{};
    std::copy_n(outputReport.begin(), std::min(outputReport.size(), request.size()),
                request.begin());
    const std::uint8_t command = request[kCommandByte];
    if (command <= kMaxKeyCode) {
        keys_.push_back(command);
        panel_.press(command);
        return;
    }
    switch (static_cast<Command>(command)) {
        case Command::Display:
            answer(composeDisplayReport(panel_.display()));
            return;
        case Command::Blink:
            answer(composeBlinkReport(panel_.blink()));
            return;
        default:
            return;  // unknown requests are ignored, as a meter ignores what it can't parse
    }
}

void VirtualMeter::answer(const Report& report) {
    queue_.clear();
    queue_.push_back(report);
}

std::optional<Report> VirtualMeter::takeInputReport() {
    if (!queue_.empty()) {
        const Report next = queue_.front();
        queue_.pop_front();
        return next;
    }
    if (!idleAnswers_) return std::nullopt;
    return composeDisplayReport(panel_.display());
}

}  // namespace photara::sim
