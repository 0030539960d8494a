// The annunciators, separators and battery gauge of the display report: each annunciator's
// bit lights it alone and shows it only where its step shows it, a truncated report changes
// nothing, the REF key works only while R-H is lit, and each annunciator has a name of its own.
#include "core/live/annunciators.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/live/separators_and_battery.h"
#include "live_test_support.h"

namespace photara::test {
namespace {

// --- Annunciators -------------------------------------------------------------------------

struct AnnunciatorCase {
    std::size_t byte;
    int bit;
    std::string_view element;
    bool shownHere;  // false: the blink step shows it
};

void PrintTo(const AnnunciatorCase& c, std::ostream* os) {
    *os << c.element << " (byte " << c.byte << " bit " << c.bit << ")";
}

const std::vector<AnnunciatorCase> kAnnunciatorCases = {
    {20, 0, "ImaAPO", true},     {21, 0, "LblRH", true},       {22, 0, "LblPK", true},
    {23, 0, "LblREC", true},     {24, 0, "LblMx", true},       {25, 0, "LblMxDashMn", true},
    {26, 0, "LblMn", true},      {27, 0, "LblAVG1", true},     {28, 0, "LblH", true},
    {29, 0, "LblREF", true},     {30, 0, "LblACC", true},      {31, 0, "ImgUp", false},
    {32, 0, "LblCMP", true},     {33, 0, "ImgDown", false},    {34, 0, "LblA", true},
    {35, 0, "LblB", true},       {36, 0, "Lblh1", true},       {37, 0, "Lblh2", true},
    {38, 0, "LblZero", true},    {39, 0, "LblCaf", true},      {40, 0, "LblCCF", true},
    {41, 0, "LblS", true},       {42, 0, "LblPlus", true},     {43, 0, "LblL", true},
    {44, 0, "LblTH", false},     {45, 0, "LblSET", true},      {46, 0, "ImaDelta", true},
    {47, 0, "LblASlashB", true}, {48, 0, "LblPercentA", true}, {49, 0, "LblBDashA", true},
    {50, 0, "LblUSB", true},     {51, 0, "LblCycle", false},   {52, 0, "LblAVG2", true},
    {53, 0, "LblNo", true},      {54, 0, "LblAMRA", true},     {55, 0, "LblAMRM", false},
    {56, 0, "LblAMRR", true},    {57, 0, "LblINTV", true},     {58, 0, "LblYMD", true},
    {59, 0, "Lblhms", true},     {64, 0, "LblPercent", true},  {64, 1, "LblSmallh", true},
};

class AnnunciatorDecoding : public ::testing::TestWithParam<AnnunciatorCase> {
  protected:
    // Every annunciator element hidden, every flag dark.
    void SetUp() override {
        for (const auto& c : kAnnunciatorCases) model.setVisible(el(c.element), false);
    }
    DisplayState state;
    DisplayModel model;
};

TEST_P(AnnunciatorDecoding, ItsBitLightsItAloneAndShowsItWhereItBelongs) {
    const AnnunciatorCase& c = GetParam();
    // Another bit of the same byte is set too: only this annunciator's bit may count.
    const auto value = static_cast<std::uint8_t>((1U << c.bit) | 0xFCU);
    const Report report =
        reportWith({{c.byte, value}, {60, 0xFF}, {61, 0xFF}, {62, 0xFF}, {63, 0xFF}, {19, 0xFF}});

    decodeAnnunciators(report, state);
    showAnnunciators(state, model);

    for (const auto& other : kAnnunciatorCases) {
        const bool self = other.element == c.element;
        EXPECT_EQ(state[el(other.element)], self) << other.element;
        EXPECT_EQ(model.visible(el(other.element)), self && c.shownHere) << other.element;
    }
}

TEST_P(AnnunciatorDecoding, ItsBitClearKeepsItDarkWhateverTheOtherBits) {
    const AnnunciatorCase& c = GetParam();
    for (const auto& other : kAnnunciatorCases) state.set(el(other.element), true);
    const auto value = static_cast<std::uint8_t>(0xFFU & ~(1U << c.bit));

    decodeAnnunciators(reportWith({{c.byte, value}}), state);

    EXPECT_FALSE(state[el(c.element)]);
}

INSTANTIATE_TEST_SUITE_P(All, AnnunciatorDecoding, ::testing::ValuesIn(kAnnunciatorCases));

struct RefKeyCase {
    std::uint8_t rhByte;
    bool enabled;
};

class RefKey : public ::testing::TestWithParam<RefKeyCase> {};

TEST_P(RefKey, IsEnabledOnlyWhileRhIsLit) {
    DisplayState state;
    DisplayModel model;
    model.setEnabled(el("Cmdref"), !GetParam().enabled);
    decodeAnnunciators(reportWith({{21, GetParam().rhByte}}), state);
    showAnnunciators(state, model);
    EXPECT_EQ(model.enabled(el("Cmdref")), GetParam().enabled);
    EXPECT_EQ(model.visible(el("LblRH")), GetParam().enabled);
}

INSTANTIATE_TEST_SUITE_P(Byte21, RefKey,
                         ::testing::Values(RefKeyCase{1, true}, RefKeyCase{3, true},
                                           RefKeyCase{0, false}, RefKeyCase{2, false}));

// photara-cli lists the lit annunciators by these names: two alike would be one to a script,
// and an empty one would vanish from its list.
TEST(AnnunciatorNames, EachIsItsOwnAndNoneIsEmpty) {
    std::set<std::string> names;
    for (const Annunciator& a : annunciators()) {
        const std::string name = annunciatorName(a.element);
        EXPECT_FALSE(name.empty()) << elementName(a.element);
        EXPECT_TRUE(names.insert(name).second) << name << " twice";
    }
}

TEST(AnnunciatorLength, ATruncatedReportChangesNoFlag) {
    DisplayState state;
    const Report report = reportWith({}, 0xFF);
    decodeAnnunciators(std::span(report).first(64), state);
    EXPECT_EQ(state, DisplayState{});
}

// --- Separators ---------------------------------------------------------------------------

struct SeparatorCase {
    std::uint8_t first;
    std::uint8_t second;
    std::string colonSlash;  // after both reports
};

void PrintTo(const SeparatorCase& c, std::ostream* os) {
    *os << int{c.first} << " then " << int{c.second};
}

struct SeparatorPair {
    std::size_t byte;
    std::string_view colon;
    std::string_view slash;
    std::size_t otherByte;
    std::string_view otherColon;
    std::string_view otherSlash;
};

class Separators : public ::testing::TestWithParam<std::tuple<SeparatorPair, SeparatorCase>> {};

TEST_P(Separators, FollowTheirByteAndKeepStateOnOtherCodes) {
    const auto& [pair, c] = GetParam();
    DisplayModel model;
    setShown(model, {pair.otherColon, pair.otherSlash}, "10");

    // The other pair's byte carries no separator code, so it must stay as it was.
    showSeparators(reportWith({{pair.byte, c.first}, {pair.otherByte, 9}}), model);
    showSeparators(reportWith({{pair.byte, c.second}, {pair.otherByte, 9}}), model);

    EXPECT_EQ(shown(model, {pair.colon, pair.slash}), c.colonSlash);
    EXPECT_EQ(shown(model, {pair.otherColon, pair.otherSlash}), "10");
}

INSTANTIATE_TEST_SUITE_P(
    BothPairs, Separators,
    ::testing::Combine(::testing::Values(SeparatorPair{13, "LblDotDot1", "LblSlash1", 16,
                                                       "LblDotDot2", "LblSlash2"},
                                         SeparatorPair{16, "LblDotDot2", "LblSlash2", 13,
                                                       "LblDotDot1", "LblSlash1"}),
                       ::testing::Values(SeparatorCase{2, 0, "00"}, SeparatorCase{0, 1, "10"},
                                         SeparatorCase{0, 2, "01"}, SeparatorCase{1, 7, "10"},
                                         SeparatorCase{2, 3, "01"}, SeparatorCase{0, 255, "00"},
                                         SeparatorCase{1, 2, "01"})));

// --- Battery gauge ------------------------------------------------------------------------

struct BatteryCase {
    std::uint8_t code;
    std::string outlineThenBars;  // ImaS1, ImaS2 .. ImaS6
};

void PrintTo(const BatteryCase& c, std::ostream* os) {
    *os << "code " << int{c.code};
}

class Battery : public ::testing::TestWithParam<BatteryCase> {};

TEST_P(Battery, FillsFromTheRight) {
    DisplayModel model;
    for (const std::uint8_t before : {std::uint8_t{0}, std::uint8_t{21}}) {
        showBattery(reportWith({{60, before}}), model);
        showBattery(reportWith({{60, GetParam().code}, {59, 21}, {61, 21}}), model);
        EXPECT_EQ(shown(model, {"ImaS1", "ImaS2", "ImaS3", "ImaS4", "ImaS5", "ImaS6"}),
                  GetParam().outlineThenBars)
            << "gauge before: " << int{before};
    }
}

INSTANTIATE_TEST_SUITE_P(Byte60, Battery,
                         ::testing::Values(BatteryCase{16, "100000"}, BatteryCase{17, "100001"},
                                           BatteryCase{18, "100011"}, BatteryCase{19, "100111"},
                                           BatteryCase{20, "101111"}, BatteryCase{21, "111111"},
                                           BatteryCase{0, "000000"}, BatteryCase{15, "000000"},
                                           BatteryCase{22, "000000"}, BatteryCase{255, "000000"}));

}  // namespace
}  // namespace photara::test
