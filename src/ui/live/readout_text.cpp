#include "ui/live/readout_text.h"

#include <QStringList>

#include "ui/plotview/value_text.h"

namespace photara {

QString readoutText(const Reading& reading, LuminanceUnit unit) {
    const Quantity q = reading.quantity();
    QStringList parts;
    if (!q.mark.empty()) parts << QString::fromUtf8(q.mark.data(), static_cast<qsizetype>(q.mark.size()));
    // A reading of no kind the trend knows keeps the unit the meter showed.
    const ReadingUnit from = q.kind == ReadingKind::None ? reading.unit : q.unit;
    if (!reading.value) {
        parts << QStringLiteral("OL");
    } else if (q.kind == ReadingKind::None) {
        parts << valueText(*reading.value);
    } else {
        parts << valueText(convertLuminance(*reading.value, reading.unit, unit));
    }
    const std::string_view shown = unitSymbol(q.kind == ReadingKind::None ? from : convertedUnit(from, unit));
    if (!shown.empty()) parts << QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
    return parts.join(QLatin1Char(' '));
}

}  // namespace photara
