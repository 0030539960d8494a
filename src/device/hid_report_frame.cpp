#include "device/hid_report_frame.h"

#include <algorithm>

namespace photara {

Report outputFrame(std::span<const std::uint8_t> report) {
    Report frame{};
    if (report.size() > 1) {
        const std::size_t n = std::min(report.size(), frame.size()) - 1;
        std::copy_n(report.begin() + 1, n, frame.begin() + 1);
    }
    frame[0] = 0;
    return frame;
}

ReadStatus placeInputReport(int result, std::span<const std::uint8_t> data, Report& report) {
    if (result == 0) return ReadStatus::TimedOut;
    if (result < 0 || static_cast<std::size_t>(result) < kReportDataSize ||
        data.size() < kReportDataSize) {
        return ReadStatus::Failed;
    }
    report[0] = 0;
    std::copy_n(data.begin(), kReportDataSize, report.begin() + 1);
    return ReadStatus::Ok;
}

}  // namespace photara
