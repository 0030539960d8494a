#include "core/reading/reading.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "core/live/display_decoding.h"
#include "core/live/display_model.h"
#include "core/live/display_state.h"
#include "sim/display_composer.h"
#include "sim/reading_format.h"

namespace photara {
namespace {

using sim::Annunciator;
using sim::DisplayFrame;
using sim::Unit;

struct Case {
    const char* name;
    std::function<void(DisplayFrame&)> show;
    std::optional<double> value;  // nothing: no reading at all
    ReadingUnit unit;
    const char* flags;
    const char* display;
};

void timeOfDay(DisplayFrame& f) {
    f.write(8, "123456");
    f.separator1 = f.separator2 = sim::Separator::Colon;
}

// A display the virtual meter composes, through the same decoding the poll uses.
std::optional<Reading> readingShown(const DisplayFrame& frame) {
    DisplayState state;
    DisplayModel model;
    decodeDisplayReport(sim::composeDisplayReport(frame), state, model);
    return readingOf(state, model);
}

class ReadingOfDisplay : public ::testing::TestWithParam<Case> {};

TEST_P(ReadingOfDisplay, TurnsTheDisplayIntoAValueOrNothing) {
    const Case& c = GetParam();
    DisplayFrame frame;
    c.show(frame);
    const auto r = readingShown(frame);
    if (!c.value && std::string_view(c.flags) != "OL") {
        EXPECT_FALSE(r.has_value()) << r->displayText;
        return;
    }
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->value, c.value);
    EXPECT_EQ(r->unit, c.unit);
    EXPECT_EQ(flagsText(r->flags), c.flags);
    EXPECT_EQ(r->displayText, c.display);
}

const Case kCases[] = {
    {"PointAfterFirst", [](auto& f) { sim::showMainReading(f, 1.3, Unit::CdPerM2); }, 1.3,
     ReadingUnit::CdPerM2, "", "1.300 cd/m²"},
    {"PointAfterThird", [](auto& f) { sim::showMainReading(f, 123.4, Unit::FootLambert); },
     123.4, ReadingUnit::FootLambert, "", "123.4 fL"},
    {"NoPoint", [](auto& f) { sim::showMainReading(f, 9999, Unit::CdPerM2); }, 9999,
     ReadingUnit::CdPerM2, "", "9999 cd/m²"},
    {"KiloOfCd", [](auto& f) { sim::showMainReading(f, 16078, Unit::CdPerM2); }, 16080,
     ReadingUnit::CdPerM2, "", "16.08 K cd/m²"},
    {"KiloOfFootLambert", [](auto& f) { sim::showMainReading(f, 123456, Unit::FootLambert); },
     123500, ReadingUnit::FootLambert, "", "123.5 K fL"},
    {"WithTimeOfDay",
     [](auto& f) {
         sim::showMainReading(f, 42.5, Unit::CdPerM2);
         timeOfDay(f);
     },
     42.5, ReadingUnit::CdPerM2, "", "42.50 cd/m² 12:34:56"},
    {"OverRangeHasNoValue", [](auto& f) { sim::showMainReading(f, 123.4, Unit::CdPerM2, 1); },
     std::nullopt, ReadingUnit::CdPerM2, "OL", "OL cd/m²"},  // the word, not a zero
    {"DifferenceBelowReferenceIsNegative",
     [](auto& f) {
         f.light(Annunciator::Delta);
         sim::showMainReading(f, 2.5, Unit::CdPerM2);
     },
     -2.5, ReadingUnit::CdPerM2, "DELTA", "2.500 cd/m²"},
    {"DifferenceWithPlus",
     [](auto& f) {
         f.light(Annunciator::BMinusA);
         f.light(Annunciator::Plus);
         sim::showMainReading(f, 2.5, Unit::CdPerM2);
     },
     2.5, ReadingUnit::CdPerM2, "B-A", "2.500 cd/m²"},
    {"PercentOfReference",
     [](auto& f) {
         f.light(Annunciator::Delta);
         f.percent = true;
         sim::showMainReading(f, 98.5, Unit::None);
     },
     98.5, ReadingUnit::Percent, "DELTA%", "98.50 %"},
    {"AccumulatedHours",
     [](auto& f) {
         f.light(Annunciator::Acc);
         f.light(Annunciator::DotH1);
         f.writeNumber(5, 7, 3);
         sim::showMainReading(f, 7.25, Unit::CdPerM2);
     },
     7.25, ReadingUnit::CdPerM2Hours, "ACC", "7.250 cd/m²·h 3"},
    {"ModesBecomeFlags",
     [](auto& f) {
         for (auto a : {Annunciator::Max, Annunciator::Hold, Annunciator::Rec,
                        Annunciator::RangeHold})
             f.light(a);
         sim::showMainReading(f, 5, Unit::CdPerM2);
     },
     5, ReadingUnit::CdPerM2, "HOLD MAX R-H REC", "5.000 cd/m²"},
    {"SpreadOfMaxAndMin",
     [](auto& f) {
         for (auto a : {Annunciator::Max, Annunciator::MaxMinDash, Annunciator::Min}) f.light(a);
         sim::showMainReading(f, 5, Unit::CdPerM2);
     },
     5, ReadingUnit::CdPerM2, "MAX-MIN", "5.000 cd/m²"},
    {"WordStar", [](auto& f) { f.write(1, "StAr"); }, std::nullopt, ReadingUnit::None, "", ""},
    {"WordBacklight",
     [](auto& f) {
         f.write(1, "bLIt");
         f.write(11, "OFF");
     },
     std::nullopt, ReadingUnit::None, "", ""},
    {"BlankDisplay", [](auto& f) { f.blank(1, 13); }, std::nullopt, ReadingUnit::None, "", ""},
    {"SettingScreen",
     [](auto& f) {
         f.light(Annunciator::Set);
         sim::showMainReading(f, 1, Unit::CdPerM2);
     },
     std::nullopt, ReadingUnit::None, "", ""},
    {"LoggerReadBack",
     [](auto& f) {
         f.light(Annunciator::AmrR);
         f.light(Annunciator::No);
         sim::showMainReading(f, 120, Unit::None);
     },
     std::nullopt, ReadingUnit::None, "", ""},
    {"DisplayTest",
     [](auto& f) {
         f.characters.fill(8);
         f.mainPoint = sim::MainPoint::All;
     },
     std::nullopt, ReadingUnit::None, "", ""},
};

INSTANTIATE_TEST_SUITE_P(VirtualMeter, ReadingOfDisplay, ::testing::ValuesIn(kCases),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(ReadingFlagsText, ReadsBackWhatItWrites) {
    ReadingFlags flags;
    flags.set(static_cast<std::size_t>(ReadingFlag::DeltaPercent));
    flags.set(static_cast<std::size_t>(ReadingFlag::OverRange));
    EXPECT_EQ(flagsFromText(flagsText(flags)), flags);
    EXPECT_EQ(flagsFromText("NONSENSE HOLD"), ReadingFlags().set(0));
}

struct Conversion {
    double value;
    ReadingUnit from;
    LuminanceUnit to;
    double expected;
    ReadingUnit unit;
};

class LuminanceConversion : public ::testing::TestWithParam<Conversion> {};

TEST_P(LuminanceConversion, ConvertsOnlyLuminance) {
    const auto& c = GetParam();
    EXPECT_NEAR(convertLuminance(c.value, c.from, c.to), c.expected, 1e-9);
    EXPECT_EQ(convertedUnit(c.from, c.to), c.unit);
}

INSTANTIATE_TEST_SUITE_P(
    Units, LuminanceConversion,
    ::testing::Values(
        Conversion{1, ReadingUnit::FootLambert, LuminanceUnit::CdPerM2, 3.4262591,
                   ReadingUnit::CdPerM2},
        Conversion{3.4262591, ReadingUnit::CdPerM2, LuminanceUnit::FootLambert, 1,
                   ReadingUnit::FootLambert},
        Conversion{2, ReadingUnit::CdPerM2Hours, LuminanceUnit::FootLambert, 2 / 3.4262591,
                   ReadingUnit::FootLambertHours},
        Conversion{5, ReadingUnit::CdPerM2, LuminanceUnit::CdPerM2, 5, ReadingUnit::CdPerM2},
        Conversion{98, ReadingUnit::Percent, LuminanceUnit::FootLambert, 98,
                   ReadingUnit::Percent}));

}  // namespace
}  // namespace photara
