// Keys change what the display report shows; the setting round answers the blink request.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "sim_fixture.h"

namespace photara::sim::test {
namespace {

// Display report bytes of some annunciators.
constexpr std::size_t kRH = 21, kPK = 22, kREC = 23, kMX = 24, kDash = 25, kMN = 26, kAVG = 27,
                      kH = 28, kREF = 29, kACC = 30, kCMP = 32, kA = 34, kB = 35, kDotH1 = 36,
                      kZero = 38, kPlus = 42, kSET = 45, kDelta = 46, kAOverB = 47, kPercentA = 48,
                      kBMinusA = 49, kNo = 53, kAmrA = 54, kAmrR = 56, kYMD = 58, kHms = 59;

bool lit(const Report& r, std::size_t byte) {
    return (r[byte] & 1) == 1;
}

struct ModeCase {
    const char* name;
    std::vector<std::uint8_t> keys;
    std::vector<std::size_t> lit;   // annunciator bytes that must be lit
    std::vector<std::size_t> dark;  // and some that must not
    int percentAndHour = -1;        // byte 64, when checked
};

class KeyModes : public ::testing::TestWithParam<ModeCase> {};

TEST_P(KeyModes, KeysLightTheirLegends) {
    const ModeCase c = GetParam();
    LinkedMeter m;
    for (const std::uint8_t k : c.keys) m.pressThenWait(k, 300);
    const Report r = m.display();
    for (const std::size_t b : c.lit) EXPECT_TRUE(lit(r, b)) << "byte " << b;
    for (const std::size_t b : c.dark) EXPECT_FALSE(lit(r, b)) << "byte " << b;
    if (c.percentAndHour >= 0) {
        EXPECT_EQ(r[64], c.percentAndHour);
    }
    EXPECT_EQ(m.meter.keysReceived(), c.keys);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyModes,
    ::testing::Values(
        ModeCase{"Plain", {}, {kHms}, {kSET, kREC, kMX, kH, kRH}, 0},
        ModeCase{"Max", {3}, {kMX}, {kMN, kDash}}, ModeCase{"Min", {3, 3}, {kMN}, {kMX}},
        ModeCase{"MaxMinusMin", {3, 3, 3}, {kMX, kDash, kMN}, {}},
        ModeCase{"MaxMinOffAgain", {3, 3, 3, 3}, {}, {kMX, kDash, kMN}},
        ModeCase{"Hold", {5}, {kH}, {kPK}}, ModeCase{"PeakHold", {5, 5}, {kPK}, {kH}},
        ModeCase{"Average", {28}, {kAVG}, {}}, ModeCase{"Compare", {15}, {kCMP}, {}},
        ModeCase{"StoreA", {11}, {kA}, {kB}}, ModeCase{"StoreB", {11, 12}, {kB}, {kA}},
        ModeCase{"AOverB", {11, 12, 12}, {kAOverB}, {kB}},
        ModeCase{"BMinusA", {11, 12, 12, 12}, {kBMinusA}, {kAOverB}},
        ModeCase{"PercentOfA", {11, 12, 12, 12, 12}, {kPercentA}, {kBMinusA}, 1},
        ModeCase{"Delta", {6}, {kDelta}, {}, 0}, ModeCase{"DeltaPercent", {6, 6}, {kDelta}, {}, 1},
        ModeCase{"RangeHold", {2}, {kRH}, {kREF}},
        ModeCase{"RangeHoldRef", {2, 27}, {kRH, kREF}, {}},
        ModeCase{"RefIgnoredWithoutRangeHold", {27}, {}, {kREF}},
        ModeCase{"RefRelative", {2, 27, 26}, {kRH, kREF, kDelta}, {}},
        ModeCase{"Accumulate", {29}, {kACC, kDotH1}, {}, 2}, ModeCase{"Date", {8}, {kYMD}, {kHms}},
        ModeCase{"Recording", {9}, {kREC, kAmrA}, {}},
        ModeCase{"ReadBack", {10}, {kAmrR, kNo}, {kREC}},
        ModeCase{"EnterClearsFunctions", {5, 3, 7}, {}, {kH, kMX}},
        ModeCase{"Setting", {4}, {kSET}, {kHms}},
        ModeCase{"SettingLeftWithSet", {4, 4}, {kHms}, {kSET}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(KeyModes, TimeKeyShowsTheDateWithSlashes) {
    LinkedMeter m;  // 2026-12-07
    m.press(8);
    const Report r = m.display();
    EXPECT_EQ(r[11], 2);
    EXPECT_EQ(r[12], 6);
    EXPECT_EQ(r[13], 2) << "slash";
    EXPECT_EQ(r[14], 1);
    EXPECT_EQ(r[15], 2);
    EXPECT_EQ(r[16], 2) << "slash";
    EXPECT_EQ(r[17], 0);
    EXPECT_EQ(r[18], 7);
}

TEST(KeyModes, DisplayTestLightsEverySegmentAndCountsThroughTheBattery) {
    LinkedMeter m;
    m.press(0);
    std::set<int> battery, units, multipliers, separators1, separators2, secondPoints;
    for (int s = 0; s < 6; ++s) {
        const Report r = m.display();
        for (std::size_t b = 20; b <= 59; ++b) ASSERT_TRUE(lit(r, b)) << "byte " << b;
        EXPECT_EQ(r[64], 3);
        EXPECT_EQ(r[5], 4) << "all three main points";
        battery.insert(r[60]);
        units.insert(r[7]);
        multipliers.insert(r[6]);
        separators1.insert(r[13]);
        separators2.insert(r[16]);
        secondPoints.insert(r[19]);
        m.clock.advanceMilliseconds(1000);
    }
    EXPECT_EQ(battery, (std::set<int>{16, 17, 18, 19, 20, 21}));
    EXPECT_EQ(units, (std::set<int>{1, 2})) << "cd/m2 and fL";
    EXPECT_EQ(multipliers, (std::set<int>{1, 2})) << "both K";
    EXPECT_EQ(separators1, (std::set<int>{1, 2})) << "colon and slash";
    EXPECT_EQ(separators2, (std::set<int>{1, 2}));
    EXPECT_EQ(secondPoints, (std::set<int>{1, 2, 3}));
    m.press(0);
    EXPECT_FALSE(lit(m.display(), kSET));
}

struct WordCase {
    const char* name;
    std::vector<std::uint8_t> keys;
    std::vector<std::size_t> bytes;  // report bytes of the word's positions
    std::vector<std::uint8_t> codes;
};

const std::vector<std::size_t> kMain = {1, 2, 3, 4};
const std::vector<std::size_t> kSmall11To13 = {15, 17, 18};

class Words : public ::testing::TestWithParam<WordCase> {};

TEST_P(Words, AppearWithTheCodesTheirPositionsUse) {
    const WordCase c = GetParam();
    LinkedMeter m;
    for (const std::uint8_t k : c.keys) m.press(k);
    const Report r = m.display();
    ASSERT_EQ(c.bytes.size(), c.codes.size());
    for (std::size_t i = 0; i < c.codes.size(); ++i) {
        EXPECT_EQ(r[c.bytes[i]], c.codes[i]) << "byte " << c.bytes[i];
    }
}

// SET then n ENTERs reaches item n of the round.
std::vector<std::uint8_t> settingItem(int n, std::vector<std::uint8_t> then = {}) {
    std::vector<std::uint8_t> keys{4};
    keys.insert(keys.end(), static_cast<std::size_t>(n), 7);
    keys.insert(keys.end(), then.begin(), then.end());
    return keys;
}

INSTANTIATE_TEST_SUITE_P(
    Display, Words,
    ::testing::Values(WordCase{"StAr", {9}, kMain, {5, 11, 11, 14}},
                      WordCase{"APO", settingItem(2), {1, 2, 3}, {11, 13, 0}},
                      WordCase{"on", settingItem(2), kSmall11To13, {10, 0, 12}},
                      WordCase{"OFF", settingItem(2, {8}), kSmall11To13, {0, 11, 11}},
                      WordCase{"bLIt", settingItem(3), kMain, {15, 14, 1, 13}},
                      WordCase{"LightOn", {1}, kMain, {15, 14, 1, 13}},
                      WordCase{"LightOnSmall", {1}, kSmall11To13, {10, 0, 12}},
                      WordCase{"LightOff", {1, 1}, kSmall11To13, {0, 11, 11}},
                      WordCase{"YES", settingItem(18, {8}), kSmall11To13, {13, 14, 5}},
                      WordCase{"no", settingItem(18), kSmall11To13, {10, 12, 16}},
                      WordCase{"CLr", settingItem(18), {1, 2, 3}, {12, 14, 14}},
                      WordCase{"rEC", settingItem(9), {1, 2, 3}, {14, 12, 12}},
                      WordCase{"Zero", {14}, kMain, {0, 0, 0, 0}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(Words, FullShowsWhenTheMemoryIsFull) {
    LinkedMeter m;
    m.meter.logger().setCapacityKiB(100);
    m.press(10);  // read-back summary
    const Report r = m.display();
    EXPECT_EQ(r[14], 14);  // F
    EXPECT_EQ(r[15], 21);  // u
    EXPECT_EQ(r[17], 1);   // l
    EXPECT_EQ(r[18], 1);   // l
    EXPECT_EQ(r[64] & 1, 1) << "used memory in %";
    m.press(7);
    m.press(9);  // MEM: no room to record
    EXPECT_FALSE(lit(m.display(), kREC));
    EXPECT_EQ(m.display()[14], 14);
}

struct BlinkCase {
    int item;
    std::array<std::uint8_t, 4> codes;  // blink report bytes 1..4
    std::vector<std::size_t> lit;
};

class SettingBlink : public ::testing::TestWithParam<BlinkCase> {};

TEST_P(SettingBlink, EachItemBlinksWhatItEdits) {
    const BlinkCase c = GetParam();
    LinkedMeter m;
    for (const std::uint8_t k : settingItem(c.item)) m.press(k);
    const Report d = m.display();
    EXPECT_TRUE(lit(d, kSET));
    for (const std::size_t b : c.lit) EXPECT_TRUE(lit(d, b)) << "byte " << b;
    const Report r = m.blink();
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(r[i + 1], c.codes[i]) << "blink byte " << i + 1;
}

// At the start the reading is about 126 cd/m2: no K.
INSTANTIATE_TEST_SUITE_P(
    Round, SettingBlink,
    ::testing::Values(BlinkCase{0, {1, 0, 0, 0}, {}}, BlinkCase{1, {0, 0, 5, 0}, {kRH}},
                      BlinkCase{2, {0, 64, 0, 0}, {}}, BlinkCase{3, {0, 48, 0, 0}, {}},
                      BlinkCase{4, {0, 64, 0, 32}, {44}}, BlinkCase{5, {0, 4, 0, 0}, {39}},
                      BlinkCase{6, {0, 80, 0, 0}, {40}}, BlinkCase{7, {0, 0, 0, 2}, {kCMP, 31}},
                      BlinkCase{8, {0, 0, 0, 1}, {kCMP, 33}}, BlinkCase{9, {0, 0, 0, 0}, {kAmrA}},
                      BlinkCase{10, {0, 80, 0, 0}, {57, kHms}}, BlinkCase{11, {0, 0, 0, 16}, {51}},
                      BlinkCase{12, {0, 16, 0, 0}, {kYMD}}, BlinkCase{13, {0, 32, 0, 0}, {kYMD}},
                      BlinkCase{14, {0, 48, 0, 0}, {kYMD}}, BlinkCase{15, {0, 16, 0, 0}, {kHms}},
                      BlinkCase{16, {0, 32, 0, 0}, {kHms}}, BlinkCase{17, {0, 48, 0, 0}, {kHms}},
                      BlinkCase{18, {0, 64, 0, 0}, {}}));

struct UnitBlinkCase {
    int seconds;  // 150 s: about 12600 cd/m2, with K
    bool footLambert;
    std::uint8_t code;
};

class UnitBlink : public ::testing::TestWithParam<UnitBlinkCase> {};

TEST_P(UnitBlink, BlinksTheLegendWithItsK) {
    const UnitBlinkCase c = GetParam();
    LinkedMeter m;
    m.clock.advanceMilliseconds(c.seconds * 1000LL);
    m.press(4);
    if (c.footLambert) m.press(8);
    EXPECT_EQ(m.blink()[1], c.code);
}

INSTANTIATE_TEST_SUITE_P(Units, UnitBlink,
                         ::testing::Values(UnitBlinkCase{0, false, 1}, UnitBlinkCase{150, false, 3},
                                           UnitBlinkCase{0, true, 16},
                                           UnitBlinkCase{150, true, 16}));  // 3680 fL: no K

TEST(SettingBlink, OutsideTheSettingModeNothingBlinks) {
    LinkedMeter m;
    m.press(4);
    m.press(4);
    const Report r = m.blink();
    for (std::size_t i = 1; i <= 4; ++i) EXPECT_EQ(r[i], 0);
}

TEST(SettingRound, LastEnterLeavesTheModeAndChangesStay) {
    LinkedMeter m;
    m.press(4);
    m.press(8);  // unit: fL
    const Report unitBlink = m.blink();
    EXPECT_EQ(unitBlink[1], 16);
    for (int i = 0; i < 19; ++i) m.press(7);
    const Report r = m.display();
    EXPECT_FALSE(lit(r, kSET));
    EXPECT_EQ(r[7], 2) << "fL";
    EXPECT_EQ(m.meter.panel().mode(), FrontPanel::Mode::Measure);
}

TEST(SettingRound, ClockItemsSetTheMeterClock) {
    LinkedMeter m;
    for (const std::uint8_t k : settingItem(12, {8, 7, 5})) m.press(k);  // year +1, month -1
    EXPECT_EQ(m.meter.meterTime().year, 2027);
    EXPECT_EQ(m.meter.meterTime().month, 11);
}

TEST(SettingRound, ClearingTheMemoryNeedsYesAndEnter) {
    LinkedMeter m;
    for (const std::uint8_t k : settingItem(18, {8})) m.press(k);
    EXPECT_EQ(m.meter.logger().setCount(), 4) << "not before the item is left";
    m.press(7);
    EXPECT_EQ(m.meter.logger().setCount(), 0);
}

TEST(Recording, MemStartsAndStopsARecordingThatBecomesANewSet) {
    LinkedMeter m;
    m.clock.advanceMilliseconds(5'000);  // the meter's clock reads 00:43:14
    m.press(9);
    m.clock.advanceMilliseconds(30'000);
    EXPECT_TRUE(lit(m.display(), kREC));
    m.press(9);
    const Report r = m.display();
    EXPECT_FALSE(lit(r, kREC));
    EXPECT_TRUE(lit(r, kNo));
    EXPECT_EQ(r[10], 5) << "the new set's number";
    ASSERT_EQ(m.meter.logger().setCount(), 5);
    const DataSetRecipe& recipe = m.meter.logger().recipe(4);
    EXPECT_EQ(recipe.start, (LocalDateTime{2026, 12, 7, 0, 43, 14}));
    EXPECT_EQ(recipe.samples, 31);
    EXPECT_EQ(m.exchange(20)[12], 5);
}

TEST(Recording, StopsByItselfWhenTheRecordingPeriodRunsOut) {
    LinkedMeter m;
    m.exchange(13);
    m.send(9, {0x00, 0x0A});  // 10 s, set right after reading it, as the host does
    // MEM: bytes 3..4 still hold the period, but no read of it came just before.
    m.send(9);
    ASSERT_EQ(m.meter.keysReceived().size(), 1u);
    m.clock.advanceMilliseconds(9'000);
    EXPECT_TRUE(lit(m.display(), kREC));
    m.clock.advanceMilliseconds(2'000);
    EXPECT_FALSE(lit(m.display(), kREC));
    ASSERT_EQ(m.meter.logger().setCount(), 5);
    EXPECT_EQ(m.meter.logger().recipe(4).samples, 11);
}

TEST(Recording, AFillingMemoryEndsTheRecordingAndKeepsWhatFits) {
    LinkedMeter m;
    m.meter.logger().setCapacityKiB(m.meter.logger().usedKiB() + 20);
    m.exchange(13);
    m.send(9, {0x27, 0x0F});               // a long recording period: 9999 s
    m.send(9);                             // MEM
    m.clock.advanceMilliseconds(200'000);  // about 12.8 k bytes so far
    EXPECT_TRUE(lit(m.display(), kREC));
    m.clock.advanceMilliseconds(200'000);
    EXPECT_FALSE(lit(m.display(), kREC));
    ASSERT_EQ(m.meter.logger().setCount(), 5);
    EXPECT_LE(m.meter.logger().usedKiB(), m.meter.logger().capacityKiB());
    EXPECT_GE(m.meter.logger().recipe(4).samples, 310) << "the readings that fit in 20 k bytes";
}

TEST(KeyModes, DeltaShowsTheDifferenceFromTheReadingAtThePress) {
    LinkedMeter m;
    m.press(6);
    const Report at = m.display();
    EXPECT_EQ(at[1] + at[2] + at[3] + at[4], 0) << "no difference yet";
    EXPECT_TRUE(lit(at, kPlus));
    m.clock.advanceMilliseconds(20'000);  // the reading rises
    const Report later = m.display();
    EXPECT_GT(later[1] + later[2] + later[3] + later[4], 0);
    EXPECT_TRUE(lit(later, kPlus));
}

TEST(KeyModes, ReadStepsThroughTheSetsWithTheirStartTimes) {
    LinkedMeter m;
    m.press(10);
    const Report summary = m.display();
    EXPECT_EQ(summary[10], 4) << "four sets";
    m.press(10);
    const Report set1 = m.display();
    EXPECT_EQ(set1[10], 1);
    EXPECT_EQ(set1[11], 0);  // 09:15:00
    EXPECT_EQ(set1[12], 9);
    EXPECT_EQ(set1[14], 1);
    EXPECT_EQ(set1[15], 5);
    EXPECT_EQ(set1[13], 1) << "colon";
    for (int i = 0; i < 4; ++i) m.press(10);
    EXPECT_EQ(m.display()[10], 4) << "back to the summary after the last set";
    m.press(7);
    EXPECT_FALSE(lit(m.display(), kAmrR));
}

TEST(KeyModes, ZeroKeyShowsTheZeroLegendBriefly) {
    LinkedMeter m;
    m.press(14);
    EXPECT_TRUE(lit(m.display(), kZero));
    m.clock.advanceMilliseconds(2'500);
    EXPECT_FALSE(lit(m.display(), kZero));
}

}  // namespace
}  // namespace photara::sim::test
