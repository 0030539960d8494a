#include "core/live/blink_step.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "live_test_support.h"

namespace photara::test {
namespace {

// A byte value that is no blink code in any of the four bytes.
constexpr std::uint8_t kNoCode = 200;

const std::initializer_list<std::string_view> kDigits = {
    "LblSeg1", "LblSeg2", "LblSeg3",  "LblSeg4",  "LblSeg5",  "LblSeg6", "LblSeg7",
    "LblSeg8", "LblSeg9", "LblSeg10", "LblSeg11", "LblSeg12", "LblSeg13"};
const std::initializer_list<std::string_view> kUnits = {"LblK1", "Lblcd", "LblSlashm",
                                                        "Lbl2",  "LblK2", "LblfL"};
const std::initializer_list<std::string_view> kPoints = {"LblP1",  "LblP2",  "LblP3",
                                                         "LblP10", "LblP11", "LblP13"};
const std::initializer_list<std::string_view> kIndicators = {"ImgUp", "ImgDown", "LblCycle",
                                                             "LblTH", "LblAMRM"};

class BlinkFixture {
  protected:
    void tick(std::uint8_t unit, std::uint8_t digit, std::uint8_t point, std::uint8_t indicator) {
        blink.apply(reportWith({{1, unit}, {2, digit}, {3, point}, {4, indicator}}, 0xFF));
    }
    void hideAll() {
        for (auto group : {kDigits, kUnits, kPoints, kIndicators})
            for (auto name : group) model.setVisible(el(name), false);
    }

    DisplayState state;
    DisplayModel model;
    BlinkStep blink{state, model};
};

// --- Every code's leader and followers: shown first, then inverted each tick -------------

struct CodeCase {
    BlinkByte byte;
    std::uint8_t code;
    std::vector<std::string_view> blinking;
};

void PrintTo(const CodeCase& c, std::ostream* os) {
    *os << "byte " << static_cast<int>(c.byte) << " code " << int{c.code};
}

class BlinkCode : public BlinkFixture, public ::testing::TestWithParam<CodeCase> {
  protected:
    void tickCode() {
        const CodeCase& c = GetParam();
        std::array<std::uint8_t, 4> codes = {kNoCode, kNoCode, kNoCode, kNoCode};
        codes[static_cast<std::size_t>(c.byte) - 1] = c.code;
        tick(codes[0], codes[1], codes[2], codes[3]);
    }
    std::string blinking() const {
        std::string out;
        for (auto name : GetParam().blinking) out += model.visible(el(name)) ? '1' : '0';
        return out;
    }
};

TEST_P(BlinkCode, ShowsOnFirstTickThenInvertsTogether) {
    const std::string on(GetParam().blinking.size(), '1');
    const std::string off(GetParam().blinking.size(), '0');
    hideAll();

    tickCode();
    EXPECT_EQ(blinking(), on) << "first tick";
    EXPECT_TRUE(blink.running(GetParam().byte, GetParam().code));
    tickCode();
    EXPECT_EQ(blinking(), off) << "second tick";
    tickCode();
    EXPECT_EQ(blinking(), on) << "third tick";
    tickCode();
    EXPECT_EQ(blinking(), off) << "fourth tick";
}

TEST_P(BlinkCode, CodeZeroOfItsByteEndsTheEpisode) {
    tickCode();
    tickCode();
    std::array<std::uint8_t, 4> codes = {kNoCode, kNoCode, kNoCode, kNoCode};
    codes[static_cast<std::size_t>(GetParam().byte) - 1] = 0;
    tick(codes[0], codes[1], codes[2], codes[3]);
    EXPECT_FALSE(blink.running(GetParam().byte, GetParam().code));

    hideAll();
    tickCode();  // a fresh episode starts by showing
    EXPECT_EQ(blinking(), std::string(GetParam().blinking.size(), '1'));
}

std::vector<CodeCase> allCodes() {
    std::vector<CodeCase> cases = {
        {BlinkByte::Unit, 1, {"Lblcd", "LblSlashm", "Lbl2"}},
        {BlinkByte::Unit, 3, {"LblK1", "Lblcd", "LblSlashm", "Lbl2"}},
        {BlinkByte::Unit, 16, {"LblfL"}},
        {BlinkByte::Unit, 48, {"LblK2", "LblfL"}},
        {BlinkByte::Digit, 16, {"LblSeg8", "LblSeg9"}},
        {BlinkByte::Digit, 32, {"LblSeg10", "LblSeg11"}},
        {BlinkByte::Digit, 48, {"LblSeg12", "LblSeg13"}},
        {BlinkByte::Digit, 64, {"LblSeg11", "LblSeg12", "LblSeg13"}},
        {BlinkByte::Digit, 80, {"LblSeg10", "LblSeg11", "LblSeg12", "LblSeg13"}},
        {BlinkByte::Point, 1, {"LblP1"}},
        {BlinkByte::Point, 2, {"LblP2"}},
        {BlinkByte::Point, 3, {"LblP3"}},
        {BlinkByte::Point, 4, {"LblP10"}},
        {BlinkByte::Point, 5, {"LblP1", "LblP2", "LblP3"}},
        {BlinkByte::Indicator, 1, {"ImgDown"}},
        {BlinkByte::Indicator, 2, {"ImgUp"}},
        {BlinkByte::Indicator, 16, {"LblCycle"}},
        {BlinkByte::Indicator, 32, {"LblTH"}},
        {BlinkByte::Indicator, 64, {"LblAMRM"}},
    };
    const std::vector<std::string_view> digits = kDigits;
    for (std::uint8_t n = 1; n <= 13; ++n) cases.push_back({BlinkByte::Digit, n, {digits[n - 1u]}});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(AllCodes, BlinkCode, ::testing::ValuesIn(allCodes()));

// --- What each unit code does to the other legends -----------------------------------------

struct UnitCase {
    std::uint8_t code;
    std::string k1k2Flags;
    std::string before;  // K1, cd, /m, 2, K2, fL
    std::string afterFirst;
    std::string afterSecond;
};

void PrintTo(const UnitCase& c, std::ostream* os) {
    *os << "unit code " << int{c.code} << " K flags " << c.k1k2Flags << " before " << c.before;
}

class UnitCode : public BlinkFixture, public ::testing::TestWithParam<UnitCase> {};

TEST_P(UnitCode, SetsTheOtherLegends) {
    const UnitCase& c = GetParam();
    setLit(state, {"LblK1", "LblK2"}, c.k1k2Flags);
    setLit(state, {"Lblcd", "LblSlashm", "Lbl2", "LblfL"}, "0101");
    setShown(model, kUnits, c.before);

    tick(c.code, kNoCode, kNoCode, kNoCode);
    EXPECT_EQ(shown(model, kUnits), c.afterFirst) << "first tick";
    tick(c.code, kNoCode, kNoCode, kNoCode);
    EXPECT_EQ(shown(model, kUnits), c.afterSecond) << "second tick";
}

INSTANTIATE_TEST_SUITE_P(
    Table, UnitCode,
    ::testing::Values(
        // cd/m2 blinks; a dark K prefix keeps whatever it showed, fL and its K go out.
        UnitCase{1, "00", "111111", "111100", "100000"},
        UnitCase{1, "00", "000011", "011100", "000000"},
        // A lit K prefix blinks with cd/m2.
        UnitCase{1, "10", "011111", "111100", "000000"},
        // Code 3 blinks the K with cd/m2 whatever its flag says.
        UnitCase{3, "00", "000011", "111100", "000000"},
        UnitCase{16, "00", "111111", "000011", "000010"},
        UnitCase{16, "01", "111101", "000011", "000000"},
        UnitCase{48, "00", "111100", "000011", "000000"},
        // Code 0: every legend takes its flag (K1, K2 from the case, cd /m 2 fL = 0101).
        UnitCase{0, "10", "010111", "101001", "101001"},
        UnitCase{0, "01", "101010", "001011", "001011"},
        // Not a unit code: nothing changes.
        UnitCase{2, "11", "101010", "101010", "101010"},
        UnitCase{255, "11", "010101", "010101", "010101"}));

// --- What each point code does to the other points ----------------------------------------

struct PointCase {
    std::uint8_t code;
    std::string before;  // P1, P2, P3, P10, P11, P13
    std::string afterFirst;
};

void PrintTo(const PointCase& c, std::ostream* os) {
    *os << "point code " << int{c.code} << " before " << c.before;
}

class PointCode : public BlinkFixture, public ::testing::TestWithParam<PointCase> {};

TEST_P(PointCode, SetsTheOtherPoints) {
    setLit(state, kPoints, "101010");
    setShown(model, kPoints, GetParam().before);
    tick(kNoCode, kNoCode, GetParam().code, kNoCode);
    EXPECT_EQ(shown(model, kPoints), GetParam().afterFirst);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PointCode,
    ::testing::Values(PointCase{1, "011101", "100001"}, PointCase{2, "101101", "010001"},
                      PointCase{3, "110110", "001010"},
                      // Code 4 leaves the main reading's points alone.
                      PointCase{4, "010010", "010110"}, PointCase{5, "000111", "111011"},
                      // Code 0: all six take their flags.
                      PointCase{0, "010101", "101010"}, PointCase{6, "010101", "010101"},
                      PointCase{255, "110011", "110011"}));

// --- Sequences ----------------------------------------------------------------------------

class BlinkSequence : public BlinkFixture, public ::testing::Test {};

TEST_F(BlinkSequence, OtherDigitPositionsAreShownEveryTick) {
    hideAll();
    tick(kNoCode, 5, kNoCode, kNoCode);
    EXPECT_EQ(shown(model, kDigits), "1111111111111");
    tick(kNoCode, 5, kNoCode, kNoCode);
    EXPECT_EQ(shown(model, kDigits), "1111011111111");
    tick(kNoCode, 5, kNoCode, kNoCode);
    EXPECT_EQ(shown(model, kDigits), "1111111111111");
}

TEST_F(BlinkSequence, DigitCodeZeroOrUnknownShowsAllPositions) {
    for (const std::uint8_t code : {std::uint8_t{0}, std::uint8_t{14}, std::uint8_t{96}, kNoCode}) {
        hideAll();
        tick(kNoCode, code, kNoCode, kNoCode);
        EXPECT_EQ(shown(model, kDigits), "1111111111111") << "digit code " << int{code};
    }
}

TEST_F(BlinkSequence, SwitchingCodesWithoutZeroKeepsTheFirstRunning) {
    tick(kNoCode, 5, kNoCode, kNoCode);  // LblSeg5 shown
    tick(kNoCode, 6, kNoCode, kNoCode);  // LblSeg6 shown; LblSeg5 re-shown
    EXPECT_TRUE(blink.running(BlinkByte::Digit, 5));
    tick(kNoCode, 5, kNoCode, kNoCode);  // code 5 goes on: inverted, not started again
    EXPECT_EQ(shown(model, {"LblSeg5", "LblSeg6"}), "01");
}

TEST_F(BlinkSequence, UnitSixteenThenOneThenSixteenAgain) {
    setShown(model, kUnits, "000000");
    tick(16, kNoCode, kNoCode, kNoCode);
    tick(16, kNoCode, kNoCode, kNoCode);
    tick(1, kNoCode, kNoCode, kNoCode);
    EXPECT_EQ(shown(model, {"Lblcd", "LblfL"}), "10") << "code 1 starts by showing cd";
    tick(1, kNoCode, kNoCode, kNoCode);
    tick(1, kNoCode, kNoCode, kNoCode);
    EXPECT_TRUE(blink.running(BlinkByte::Unit, 16));
    // Code 16 returns running: fL (hidden by code 1) is inverted, and the next tick hides it.
    tick(16, kNoCode, kNoCode, kNoCode);
    EXPECT_EQ(shown(model, {"Lblcd", "LblfL"}), "01");
    tick(16, kNoCode, kNoCode, kNoCode);
    EXPECT_EQ(shown(model, {"Lblcd", "LblfL"}), "00");
}

struct P10Case {
    std::uint8_t point;
    bool p10Flag;
    std::string p10AfterTicks;  // LblP10 after ticks 1, 2, 3 of digit code 80
};

class DigitEighty : public BlinkFixture, public ::testing::TestWithParam<P10Case> {};

TEST_P(DigitEighty, PointTenFollowsPositionTenUnlessThePointCodeSaysOtherwise) {
    state.set(el("LblP10"), GetParam().p10Flag);
    std::string seen;
    for (int i = 0; i < 3; ++i) {
        tick(kNoCode, 80, GetParam().point, kNoCode);
        seen += model.visible(el("LblP10")) ? '1' : '0';
    }
    EXPECT_EQ(seen, GetParam().p10AfterTicks);
}

INSTANTIATE_TEST_SUITE_P(PointCodes, DigitEighty,
                         ::testing::Values(P10Case{0, false, "000"}, P10Case{0, true, "111"},
                                           P10Case{kNoCode, false, "101"}, P10Case{6, true, "101"},
                                           // Point code 1 hides LblP10 after the digits.
                                           P10Case{1, true, "000"}));

TEST_F(BlinkSequence, IndicatorZeroAfterAnEpisodeRestoresTheFlag) {
    state.set(el("ImgUp"), true);
    tick(kNoCode, kNoCode, kNoCode, 2);
    tick(kNoCode, kNoCode, kNoCode, 2);
    ASSERT_FALSE(model.visible(el("ImgUp")));
    setLit(state, kIndicators, "10101");
    setShown(model, kIndicators, "01010");
    tick(kNoCode, kNoCode, kNoCode, 0);
    EXPECT_EQ(shown(model, kIndicators), "10101");
}

TEST_F(BlinkSequence, UnknownCodesChangeNothingButTheDigitReShow) {
    hideAll();
    setShown(model, kUnits, "101100");
    setShown(model, kPoints, "011010");
    setShown(model, kIndicators, "10010");
    tick(2, 17, 6, 4);
    EXPECT_EQ(shown(model, kUnits), "101100");
    EXPECT_EQ(shown(model, kPoints), "011010");
    EXPECT_EQ(shown(model, kIndicators), "10010");
    EXPECT_EQ(shown(model, kDigits), "1111111111111");
}

TEST_F(BlinkSequence, ATruncatedBlinkReportChangesNothing) {
    hideAll();
    const Report report = reportWith({{1, 1}, {2, 5}, {3, 1}, {4, 1}});
    blink.apply(std::span(report).first(5));
    EXPECT_EQ(shown(model, kDigits), "0000000000000");
    EXPECT_EQ(shown(model, kUnits), "000000");
    EXPECT_FALSE(blink.running(BlinkByte::Unit, 1));
}

// --- SET dark -----------------------------------------------------------------------------

TEST_F(BlinkSequence, SteadyShowsFlagsAndAllDigitsAndKeepsRunningFlags) {
    tick(1, 5, 3, 32);
    tick(1, 5, 3, 32);  // hidden phase
    const std::initializer_list<std::string_view> handled = {
        "LblP1",     "LblP2",   "LblP3",    "LblK1",  "LblK2",  "Lblcd",
        "LblSlashm", "Lbl2",    "LblfL",    "LblP10", "LblP11", "LblP13",
        "ImgUp",     "ImgDown", "LblCycle", "LblTH",  "LblAMRM"};
    setLit(state, handled, "10110100110101101");
    state.set(el("LblREC"), true);
    model.setVisible(el("LblREC"), false);

    blink.showSteady();

    EXPECT_EQ(shown(model, handled), "10110100110101101");
    EXPECT_EQ(shown(model, kDigits), "1111111111111");
    EXPECT_FALSE(model.visible(el("LblREC"))) << "annunciators are not the blink step's";
    const std::vector<std::pair<BlinkByte, std::uint8_t>> codes = {{BlinkByte::Unit, 1},
                                                                   {BlinkByte::Digit, 5},
                                                                   {BlinkByte::Point, 3},
                                                                   {BlinkByte::Indicator, 32}};
    for (const auto& [byte, code] : codes) EXPECT_TRUE(blink.running(byte, code));

    // Back in the setting mode the episodes go on by inverting what the steady step showed.
    tick(1, 5, 3, 32);
    EXPECT_EQ(shown(model, {"LblSeg5", "LblP3"}), "00");
}

}  // namespace
}  // namespace photara::test
