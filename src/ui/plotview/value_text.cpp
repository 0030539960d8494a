#include "ui/plotview/value_text.h"

#include <algorithm>
#include <cmath>

namespace photara {

QString valueText(double v) {
    if (v == 0) return QStringLiteral("0");
    const double a = std::fabs(v);
    if (a >= 1e-3 && a < 1e7) {
        // Four significant digits of the value as rounded (0.99999994 is "1.000").
        int decimals = 3 - static_cast<int>(std::floor(std::log10(a)));
        const double scale = std::pow(10.0, decimals);
        if (std::round(a * scale) >= 10000) --decimals;
        return QString::number(v, 'f', std::max(0, decimals));
    }
    return QString::number(v, 'g', 4);
}

QString statisticsLine(const Statistics& s, const QString& unit) {
    if (s.n == 0) return QStringLiteral("no readings");
    return QStringLiteral("n %1 · min %2 · max %3 · mean %4 · sd %5 · drift %6 %7/min")
        .arg(s.n)
        .arg(valueText(s.min), valueText(s.max), valueText(s.mean), valueText(s.sd),
             valueText(s.driftPerMinute), unit);
}

}  // namespace photara
