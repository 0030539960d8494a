#include "core/procedure/reading_input.h"

#include <gtest/gtest.h>

namespace photara {
namespace {

struct InputCase {
    const char* name;
    std::optional<double> value;
    ReadingUnit unit;
    std::vector<ReadingFlag> flags;
    ReadingInput::Kind kind;
    double cdPerM2;
};

class ReadingInputs : public testing::TestWithParam<InputCase> {};

// Only a plain luminance is a number for a procedure; fL comes in cd/m² (14 fL = 47.97).
TEST_P(ReadingInputs, SortsWhatTheDisplayShows) {
    const InputCase& c = GetParam();
    Reading r;
    r.value = c.value;
    r.unit = c.unit;
    for (const auto f : c.flags) r.flags.set(static_cast<std::size_t>(f));
    const ReadingInput in = readingInput(r);
    EXPECT_EQ(static_cast<int>(in.kind), static_cast<int>(c.kind));
    EXPECT_NEAR(in.cdPerM2, c.cdPerM2, 1e-9);
    EXPECT_EQ(in.hold, r.flags.test(static_cast<std::size_t>(ReadingFlag::Hold)));
}

using K = ReadingInput::Kind;
using F = ReadingFlag;
INSTANTIATE_TEST_SUITE_P(Table, ReadingInputs, testing::Values(
    InputCase{"CdPerM2", 48.0, ReadingUnit::CdPerM2, {}, K::Luminance, 48.0},
    InputCase{"FootLambert", 14.0, ReadingUnit::FootLambert, {}, K::Luminance, 14 * 3.4262591},
    InputCase{"Held", 48.0, ReadingUnit::CdPerM2, {F::Hold}, K::Luminance, 48.0},
    InputCase{"OverRange", std::nullopt, ReadingUnit::CdPerM2, {F::OverRange}, K::OverRange, 0},
    InputCase{"Zero", 0.0, ReadingUnit::CdPerM2, {}, K::BelowRange, 0},
    InputCase{"Delta", 3.0, ReadingUnit::CdPerM2, {F::Delta}, K::NotLuminance, 0},
    InputCase{"NegativeBMinusA", -3.0, ReadingUnit::CdPerM2, {F::BMinusA}, K::NotLuminance, 0},
    InputCase{"Percent", 95.0, ReadingUnit::Percent, {F::DeltaPercent}, K::NotLuminance, 0},
    InputCase{"Ratio", 1.2, ReadingUnit::None, {F::AOverB}, K::NotLuminance, 0},
    InputCase{"Accumulated", 12.0, ReadingUnit::CdPerM2Hours, {F::Accumulate}, K::NotLuminance, 0},
    InputCase{"Spread", 5.0, ReadingUnit::CdPerM2, {F::MaxMinusMin}, K::NotLuminance, 0},
    InputCase{"Lux", 300.0, ReadingUnit::Lux, {}, K::NotLuminance, 0}),
    [](const testing::TestParamInfo<InputCase>& i) { return std::string(i.param.name); });

TEST(ReadingInputs, NoReadingIsNone) {
    EXPECT_EQ(readingInput(std::nullopt).kind, ReadingInput::Kind::None);
}

}  // namespace
}  // namespace photara
