#include "sim/data_set_generator.h"

#include <cmath>
#include <cstdio>
#include <random>

namespace photara::sim {
namespace {

constexpr double kFootLambertsPerCandela = 0.29186;

// Days since 1970-01-01 of a civil date and back, so long recordings roll over days,
// months and years correctly.
long long daysFromCivil(int y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

LocalDateTime civilFromSeconds(long long seconds) {
    long long days = seconds / 86400;
    long long rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long doe = days - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    LocalDateTime t;
    t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2 ? 1 : 0));
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

// The meter shows at most five significant digits and switches to "K" and "M" when the
// number would not fit its field.
std::string meterValue(double v) {
    char buf[32];
    if (v >= 1e7) {
        std::snprintf(buf, sizeof buf, "%.3fM", v / 1e6);
    } else if (v >= 1e4) {
        std::snprintf(buf, sizeof buf, "%.3fK", v / 1e3);
    } else if (v >= 1000) {
        std::snprintf(buf, sizeof buf, "%.1f", v);
    } else if (v >= 100) {
        std::snprintf(buf, sizeof buf, "%.2f", v);
    } else {
        std::snprintf(buf, sizeof buf, "%.3f", v);
    }
    return buf;
}

std::string rightAligned(const std::string& text, int width) {
    if (static_cast<int>(text.size()) >= width)
        return text.substr(0, static_cast<std::size_t>(width));
    return std::string(static_cast<std::size_t>(width) - text.size(), ' ') + text;
}

}  // namespace

std::string generateDataText(const DataSetSpec& spec) {
    std::mt19937 random(spec.seed);
    // Our own uniform draw: the standard distributions differ between libraries.
    auto uniform = [&random] { return static_cast<double>(random()) / 4294967296.0; };

    const long long startSeconds =
        daysFromCivil(spec.start.year, spec.start.month, spec.start.day) * 86400 +
        spec.start.hour * 3600 + spec.start.minute * 60 + spec.start.second;

    std::string text;
    const int count = spec.samples > 0 ? spec.samples : 0;
    text.reserve(static_cast<std::size_t>(count) * 64 + 128);
    double drift = 0;
    for (int i = 0; i < count; ++i) {
        const LocalDateTime t =
            civilFromSeconds(startSeconds + static_cast<long long>(i) * spec.intervalSeconds);
        drift = 0.9 * drift + (uniform() - 0.5) * 0.04;
        const double wave = 0.05 * std::sin(static_cast<double>(i) / 15.0);
        double candela = spec.luminance * (1.0 + wave + drift);
        if (candela < 0) candela = 0;
        char line[96];
        std::snprintf(line, sizeof line, "%04d/%02d/%02d   %02d:%02d:%02d%s%s%s%s   No.%07d  \r\n",
                      t.year, t.month, t.day, t.hour, t.minute, t.second,
                      rightAligned(meterValue(candela), 10).c_str(), "cd/m2",
                      rightAligned(meterValue(candela * kFootLambertsPerCandela), 9).c_str(), "fL",
                      (i + 1) % 10000000);
        text += line;
    }
    const double ccf = 0.95 + 0.1 * uniform();
    char trailer[160];
    std::snprintf(trailer, sizeof trailer,
                  "CAF %10s  Calibration Adjust\r\n"
                  "CCF %10s  Color Correction\r\n"
                  "Probe 23.5\xB0"
                  "C  Interval %ds  Readings %d\r\n",
                  "1.000", meterValue(ccf).c_str(), spec.intervalSeconds, count);
    text += trailer;
    return text;
}

}  // namespace photara::sim
