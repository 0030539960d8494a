#include "sim/data_set_generator.h"

#include <cmath>
#include <cstdio>
#include <random>

#include "sim/calendar.h"

namespace photara::sim {
namespace {

constexpr double kFootLambertsPerCandela = 0.29186;

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

std::string generateDataText(const DataSetRecipe& recipe) {
    return generateDataText(recipe, {});
}

std::string generateDataText(const DataSetRecipe& recipe, const std::vector<double>& readings) {
    std::mt19937 random(recipe.seed);
    // Our own uniform draw: the standard distributions differ between libraries.
    auto uniform = [&random] { return static_cast<double>(random()) / 4294967296.0; };

    // Counted in calendar seconds, so long recordings roll over days, months and years.
    const long long startSeconds = toCalendarSeconds(recipe.start);

    std::string text;
    const int count = recipe.samples > 0 ? recipe.samples : 0;
    text.reserve(static_cast<std::size_t>(count) * 64 + 128);
    double drift = 0;
    for (int i = 0; i < count; ++i) {
        const LocalDateTime t =
            fromCalendarSeconds(startSeconds + static_cast<long long>(i) * recipe.intervalSeconds);
        drift = 0.9 * drift + (uniform() - 0.5) * 0.04;
        const double wave = 0.05 * std::sin(static_cast<double>(i) / 15.0);
        const auto index = static_cast<std::size_t>(i);
        double candela = index < readings.size() ? readings[index]
                                                         : recipe.luminance * (1.0 + wave + drift);
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
                  "1.000", meterValue(ccf).c_str(), recipe.intervalSeconds, count);
    text += trailer;
    return text;
}

}  // namespace photara::sim
