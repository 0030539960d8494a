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

QString spanLine(const Statistics& s) {
    return QStringLiteral("min %1 · max %2 · mean %3 · sd %4")
        .arg(valueText(s.min), valueText(s.max), valueText(s.mean), valueText(s.sd));
}

QString statisticsLine(const Statistics& s, const QString& unit) {
    if (s.n == 0) return QStringLiteral("no readings");
    return QStringLiteral("n %1 · %2 · drift %3 %4/min")
        .arg(s.n)
        .arg(spanLine(s), valueText(s.driftPerMinute), unit);
}

}  // namespace photara
