#pragma once

#include <QString>

#include "core/series/moments.h"

namespace photara {

// A value as the meter shows it: four significant digits, no exponent for sensible values.
QString valueText(double v);
// "min … · max … · mean … · sd …", the values as valueText writes them.
QString spanLine(const Statistics& s);
// "n 1234 · min … · max … · mean … · sd … · drift …/min" in unit.
QString statisticsLine(const Statistics& s, const QString& unit);

}  // namespace photara
