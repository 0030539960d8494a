#include "ui/panel/lcd_names.h"

#include <QStringList>
#include <array>
#include <utility>

#include "ui/base/latin1.h"
#include "core/live/display_model.h"

namespace photara {
namespace {

using enum Element;

// Every element that is not a character cell or a mark between cells.
constexpr std::pair<Element, const char*> kNames[] = {
    {ImaAPO, "Auto power off indicator"},
    {LblRH, "Range hold indicator"},
    {LblPK, "Peak indicator"},
    {LblREC, "Recording indicator"},
    {LblMx, "Maximum indicator"},
    {LblMxDashMn, "Maximum minus minimum indicator"},
    {LblMn, "Minimum indicator"},
    {LblAVG1, "Average indicator"},
    {LblH, "Hold indicator"},
    {LblREF, "Reference indicator"},
    {LblACC, "Accumulation indicator"},
    {ImgUp, "Above upper limit arrow"},
    {ImgDown, "Below lower limit arrow"},
    {LblA, "Memory A indicator"},
    {LblB, "Memory B indicator"},
    {LblCMP, "Comparator indicator"},
    {LblK1, "Unit kilo"},
    {Lblcd, "Unit cd"},
    {LblSlashm, "Unit per metre"},
    {Lbl2, "Unit squared"},
    {Lblh1, "Unit hours"},
    {LblK2, "Unit kilo"},
    {LblfL, "Unit fL"},
    {Lblh2, "Unit hours"},
    {LblK3, "Unit kilo"},
    {Lbllx, "Unit lx"},
    {Lblfc, "Unit fc"},
    {Lblh3, "Unit hours"},
    {ImaS1, "Battery"},
    {ImaS2, "Battery bar 1"},
    {ImaS3, "Battery bar 2"},
    {ImaS4, "Battery bar 3"},
    {ImaS5, "Battery bar 4"},
    {ImaS6, "Battery bar 5"},
    {LblZero, "Zero indicator"},
    {LblCaf, "CAF indicator"},
    {LblCCF, "CCF indicator"},
    {LblS, "S indicator"},
    {LblPlus, "Plus indicator"},
    {LblL, "L indicator"},
    {LblTH, "T-H indicator"},
    {LblSET, "Setting mode indicator"},
    {ImaDelta, "Difference indicator"},
    {LblASlashB, "A/B indicator"},
    {LblPercentA, "Percent of A indicator"},
    {LblBDashA, "B minus A indicator"},
    {LblUSB, "USB indicator"},
    {LblCycle, "Cycle indicator"},
    {LblAVG2, "Average indicator"},
    {LblNo, "Number indicator"},
    {LblAMRA, "Memory recording A indicator"},
    {LblAMRM, "Memory recording M indicator"},
    {LblAMRR, "Memory recording R indicator"},
    {LblPercent, "Unit percent"},
    {LblSmallh, "Unit hours"},
    {Lblft, "Unit feet"},
    {Lblm, "Unit metres"},
    {LblINTV, "Interval indicator"},
    {LblYMD, "Date indicator"},
    {Lblhms, "Time indicator"},
    {LblName, "Meter"},
    {Cmdref, "REF key"},
};

QString markName(Element element) {
    const std::string_view caption = design(element).caption;
    if (caption == ".") return QStringLiteral("Decimal point");
    if (caption == ":") return QStringLiteral("Colon");
    return QStringLiteral("Slash");
}

// The unit legends of the main reading, in reading order.
constexpr Element kUnitLegends[] = {LblK1, Lblcd, LblSlashm, Lbl2, Lblh1, LblK2, LblfL, Lblh2};
constexpr Element kMainPoints[] = {LblP1, LblP2, LblP3};

// Whether an element is an indicator (not a cell, mark, unit legend, battery or the name).
bool isIndicator(Element element) {
    const QString name = accessibleNameOf(element);
    return name.endsWith(QStringLiteral(" indicator")) || name.endsWith(QStringLiteral(" arrow"));
}

}  // namespace

QString accessibleNameOf(Element element) {
    for (const auto& [e, name] : kNames)
        if (e == element) return QString::fromLatin1(name);
    for (std::size_t k = 0; k < kDigitPositions.size(); ++k) {
        if (kDigitPositions[k] != element) continue;
        if (k < 4) return QStringLiteral("Main reading, character %1").arg(k + 1);
        return QStringLiteral("Lower line, character %1").arg(k - 3);
    }
    return markName(element);
}

QString mainReadingText(const DisplayModel& model) {
    QString digits;
    for (std::size_t k = 0; k < 4; ++k) {
        const Element cell = kDigitPositions[k];
        if (model.visible(cell)) digits += latin1(model.caption(cell));
        if (k < 3 && model.visible(kMainPoints[k]) && !model.caption(kMainPoints[k]).empty())
            digits += QLatin1Char('.');
    }
    QString unit;
    for (Element legend : kUnitLegends) {
        if (!model.visible(legend)) continue;
        unit += legend == Lbl2 ? QStringLiteral("\u00B2") : latin1(model.caption(legend));
    }
    return (digits.trimmed() + QLatin1Char(' ') + unit).trimmed();
}

QString displayReadout(const DisplayModel& model) {
    QStringList parts;
    if (const QString reading = mainReadingText(model); !reading.isEmpty()) parts << reading;
    for (const auto& [element, name] : kNames) {
        if (!isIndicator(element) || !model.visible(element)) continue;
        const std::string& caption = model.caption(element);
        parts << (caption.empty() || caption == " "
                      ? QString::fromLatin1(name).remove(QStringLiteral(" indicator"))
                      : latin1(caption).trimmed());
    }
    return parts.join(QStringLiteral(", "));
}

}  // namespace photara
