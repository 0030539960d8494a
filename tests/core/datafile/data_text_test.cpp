#include "core/datafile/data_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/datafile/data_set.h"

namespace photara {
namespace {

std::vector<std::string> linesOf(std::string_view text) {
    const DataLines lines(text);
    std::vector<std::string> out;
    for (std::size_t i = 0; i < lines.size(); ++i) out.emplace_back(lines[i]);
    return out;
}

struct SplitCase {
    std::string text;
    std::vector<std::string> lines;
};

class DataLinesTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(DataLinesTest, RemovesLineFeedsAndSplitsAtCarriageReturns) {
    EXPECT_EQ(linesOf(GetParam().text), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DataLinesTest,
    ::testing::Values(SplitCase{"", {""}}, SplitCase{"abc", {"abc"}},
                      SplitCase{"a\r\nb\r\n", {"a", "b", ""}},
                      // Open's old shape: each line followed by LF and CR.
                      SplitCase{"a\n\rb\n\r", {"a", "b", ""}}, SplitCase{"a\nb\rc", {"ab", "c"}},
                      SplitCase{"\r\r", {"", "", ""}},
                      SplitCase{std::string("x\0y\rz", 5), {std::string("x\0y", 3), "z"}},
                      SplitCase{"\xB0\xFF\r\x80", {"\xB0\xFF", "\x80"}}));

struct FieldCase {
    std::string line;
    Column column;
    std::string expected;
};

class FieldTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(FieldTest, CutsFixedColumnsCountedFromOne) {
    EXPECT_EQ(field(GetParam().line, GetParam().column), GetParam().expected);
}

const std::string kLine = "2026/12/08   14:03:21   12.345Kcd/m2   3.603KfL   No.0000001  ";

INSTANTIATE_TEST_SUITE_P(
    Columns, FieldTest,
    ::testing::Values(FieldCase{kLine, columns::kDateTime, "2026/12/08   14:03:21"},
                      FieldCase{kLine, columns::kFirstValue, "   12.345K"},
                      FieldCase{kLine, columns::kFirstUnit, "cd/m2"},
                      FieldCase{kLine, columns::kSecondValue, "   3.603K"},
                      FieldCase{kLine, columns::kSecondUnit, "fL"},
                      FieldCase{"CAF      1.000  x", columns::kTrailerValue, "     1.000"},
                      // Short lines give short or empty fields.
                      FieldCase{"2026/12/08   14:03:21   12.3", columns::kFirstValue, "   12.3"},
                      FieldCase{"2026/12/08", columns::kFirstValue, ""},
                      FieldCase{"", columns::kDateTime, ""},
                      FieldCase{std::string(31, 'x'), columns::kFirstUnit, ""}));

struct TimeCase {
    std::string field;
    std::string expected;
};

class TimeTextTest : public ::testing::TestWithParam<TimeCase> {};

TEST_P(TimeTextTest, TurnsEachRunOfThreeBlanksIntoOne) {
    EXPECT_EQ(timeText(GetParam().field), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Fields, TimeTextTest,
                         ::testing::Values(TimeCase{"2026/12/08   14:03:21", "2026/12/08 14:03:21"},
                                           TimeCase{"2026/12/08 14:03:21", "2026/12/08 14:03:21"},
                                           TimeCase{"a  b", "a  b"}, TimeCase{"a    b", "a  b"},
                                           TimeCase{"a      b", "a  b"},
                                           TimeCase{"a       b", "a   b"}, TimeCase{"   ", " "},
                                           TimeCase{"", ""}));

struct ValueCase {
    std::string field;  // as it stands in the line
    std::string shown;
    double value;
};

class FieldValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(FieldValueTest, RemovesBlanksAndAppliesTheMultiplier) {
    const std::string shown = withoutBlanks(GetParam().field);
    EXPECT_EQ(shown, GetParam().shown);
    EXPECT_DOUBLE_EQ(fieldValue(shown), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, FieldValueTest,
    ::testing::Values(ValueCase{"  12.5K   ", "12.5K", 12500},
                      ValueCase{"     1.2M", "1.2M", 1.2e6}, ValueCase{"   37.0   ", "37.0", 37},
                      ValueCase{" 1 2 . 5 ", "12.5", 12.5},
                      // The letters are tested case-sensitively, anywhere in the field.
                      ValueCase{"12.5k", "12.5k", 12.5}, ValueCase{"12.5m", "12.5m", 12.5},
                      ValueCase{"K12", "K12", 0}, ValueCase{"2KM", "2KM", 2e9},
                      ValueCase{"-OL-", "-OL-", 0}, ValueCase{"", "", 0},
                      ValueCase{"\t5", "\t5", 5}));

struct MaximumCase {
    std::vector<double> values;
    double margin;
    double expected;
};

class SeriesMaximumTest : public ::testing::TestWithParam<MaximumCase> {};

TEST_P(SeriesMaximumTest, RisesOnlyPastTheMaximumWithItsMargin) {
    double maximum = 0;
    for (double v : GetParam().values) raiseMaximum(maximum, v, GetParam().margin);
    EXPECT_DOUBLE_EQ(maximum, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Series, SeriesMaximumTest,
                         ::testing::Values(MaximumCase{{100, 140}, 50, 150},
                                           MaximumCase{{100, 160}, 50, 210},
                                           MaximumCase{{160, 100}, 50, 210},
                                           MaximumCase{{100, 150}, 50, 150},
                                           MaximumCase{{100, 300, 350}, 200, 550},
                                           MaximumCase{{0, -5}, 50, 0}, MaximumCase{{}, 200, 0}));

}  // namespace
}  // namespace photara
