#include "sim/virtual_meter.h"

#include <algorithm>

#include "core/protocol/big_endian.h"
#include "core/protocol/commands.h"
#include "sim/display_composer.h"
#include "sim/settings_requests.h"

namespace photara::sim {

VirtualMeter::VirtualMeter(const Clock& clock)
    : VirtualMeter(clock, LoggerMemory::withDemoSets()) {}

VirtualMeter::VirtualMeter(const Clock& clock, LoggerMemory memory)
    : clock_(clock), memory_(std::move(memory)), panel_(clock_, settings_, memory_) {}

VirtualMeter::~VirtualMeter() = default;

void VirtualMeter::receive(std::span<const std::uint8_t> outputReport) {
    Report request{};
    std::copy_n(outputReport.begin(), std::min(outputReport.size(), request.size()),
                request.begin());
    const std::uint8_t previous = previousCommand_;
    const std::uint8_t code = request[kCommandByte];
    previousCommand_ = code;
    if (isSettingsOrLoggerCommand(request, previous)) {
        receiveCommand(request);
        return;
    }
    if (code <= kMaxKeyCode) {
        keys_.push_back(code);
        panel_.press(code);
        return;
    }
    switch (static_cast<Command>(code)) {
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

void VirtualMeter::receiveCommand(const Report& request) {
    const auto identifier = std::span(request).subspan(kFirstArgumentByte, 14);
    switch (static_cast<Command>(request[kCommandByte])) {
        case Command::MemoryStatus:
            answer(memory_.statusReport());
            return;
        case Command::Directory:
            answer(memory_.directoryReports());
            return;
        case Command::SetSize:
            answer(memory_.sizeReport(memory_.find(identifier)));
            return;
        case Command::SetData:
            answer(memory_.dataReports(memory_.find(identifier)));
            return;
        case Command::EraseSet:
            if (const auto index = memory_.find(identifier)) memory_.erase(*index);
            answer(memory_.statusReport());
            return;
        case Command::EraseAll:
            memory_.eraseAll();
            answer(memory_.statusReport());
            return;
        case Command::ReadSamplingTime:
            answer(numberReport(settings_.samplingSeconds));
            return;
        case Command::SetSamplingTime:
            if (const auto s = samplingTimeArgument(request)) settings_.samplingSeconds = *s;
            return;
        case Command::ReadRecordingPeriod:
            answer(numberReport(settings_.recordingPeriod));
            return;
        case Command::SetRecordingPeriod:
            settings_.recordingPeriod = *recordingPeriodArgument(request);
            return;
        case Command::ReadClock:
            answer(clockReport(clock_.now()));
            return;
        case Command::SetClock:
            if (const auto t = setClockArgument(request)) clock_.set(*t);
            return;
        default:
            return;
    }
}

void VirtualMeter::answer(const Report& report) {
    queue_.clear();
    queue_.push_back(report);
}

void VirtualMeter::answer(const std::vector<Report>& reports) {
    queue_.assign(reports.begin(), reports.end());
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
