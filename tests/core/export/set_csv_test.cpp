// A logger set as CSV: a value field keeps the meter's decimals with its multiplier applied
// and is empty when it holds no number, the meter's time becomes ISO 8601 (or stays as it is
// when it cannot be read), a strict reader gets back every reading in order, and a trailer
// text holding the delimiter is quoted.
#include "core/export/set_csv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/datafile/data_text.h"
#include "core/datafile/leading_number.h"
#include "sim/data_set_generator.h"
#include "sim/logger_memory.h"
#include "support/strict_csv.h"

namespace photara {
namespace {

struct NumberCase {
    const char* field;  // as the data list shows it, blanks removed
    const char* decimal;
    const char* expected;
};

class CsvNumber : public testing::TestWithParam<NumberCase> {};

TEST_P(CsvNumber, AppliesTheMultiplierAndKeepsTheMetersDecimals) {
    EXPECT_EQ(csvNumber(GetParam().field, GetParam().decimal), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CsvNumber,
    testing::Values(NumberCase{"16.078K", ".", "16078"}, NumberCase{"12.5K", ".", "12500"},
                    NumberCase{"1.2M", ".", "1200000"}, NumberCase{"1.23456K", ".", "1234.56"},
                    NumberCase{"37.0", ".", "37.0"}, NumberCase{"0.123", ".", "0.123"},
                    NumberCase{"-1.25", ".", "-1.25"}, NumberCase{"1.5E3", ".", "1500"},
                    NumberCase{"2.5e-2", ".", "0.025"}, NumberCase{"127.85", ",", "127,85"},
                    NumberCase{"16.078K", ",", "16078"}, NumberCase{"&H1F", ".", "31"},
                    // No number at all: an empty cell, not a reading of 0.
                    NumberCase{"----", ".", ""}, NumberCase{"", ".", ""},
                    NumberCase{"OL", ".", ""}, NumberCase{"-", ".", ""}, NumberCase{".", ".", ""},
                    NumberCase{"&O9", ".", ""},
                    // A negative exponent adds decimals.
                    NumberCase{"1.50E-1", ".", "0.150"}));

struct TimeCase {
    const char* text;
    char separator;
    const char* expected;
};

class MeterTimeAsIso : public testing::TestWithParam<TimeCase> {};

TEST_P(MeterTimeAsIso, WritesTheSetsOwnTimeOrKeepsWhatItCannotRead) {
    EXPECT_EQ(meterTimeAsIso(GetParam().text, GetParam().separator), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MeterTimeAsIso,
    testing::Values(TimeCase{"2026/12/08 10:15:02", 'T', "2026-12-08T10:15:02"},
                    TimeCase{"2026/1/8 7:05:09", ' ', "2026-01-08 07:05:09"},
                    TimeCase{"2026-12-31   23:59:60", 'T', "2026-12-31T23:59:60"},
                    TimeCase{"08/12/2026 10:15:02", 'T', "08/12/2026 10:15:02"},
                    TimeCase{"2026/13/08 10:15:02", 'T', "2026/13/08 10:15:02"},
                    TimeCase{"2026/12/08 10:15:02x", 'T', "2026/12/08 10:15:02x"},
                    TimeCase{"t\xB0", 'T', "t\xC2\xB0"}));

std::string generated(int samples, double luminance, std::uint32_t seed) {
    sim::DataSetRecipe recipe;
    recipe.start = {2026, 12, 31, 23, 59, 58};
    recipe.samples = samples;
    recipe.luminance = luminance;
    recipe.seed = seed;
    return sim::generateDataText(recipe);
}

double parsed(std::string text, char decimal) {
    if (decimal != '.') std::replace(text.begin(), text.end(), decimal, '.');
    std::size_t used = 0;
    const double value = std::stod(text, &used);
    EXPECT_EQ(used, text.size()) << text;
    return value;
}

struct SetCase {
    int samples;       // the largest set a meter holds, and small ones
    double luminance;  // 86: plain values; 15,800: "K"; 2e7: "M" in the first unit
    char delimiter;
    const char* decimal;
};

class SetCsvParsesBack : public testing::TestWithParam<SetCase> {};

// A strict reader gets back every reading the data list shows, in order, with its time.
TEST_P(SetCsvParsesBack, ToTheDataListsNumbers) {
    const SetCase c = GetParam();
    std::string text = generated(c.samples, c.luminance, 5);
    text.append((64 - text.size() % 64) % 64, '\0');  // the download's last block
    const DataSet set = parseDataText(text);
    const bool spreadsheet = c.delimiter != ',';
    const SetCsvFlavour flavour =
        spreadsheet ? SetCsvFlavour::spreadsheet(c.delimiter, c.decimal) : SetCsvFlavour::plain();
    std::string csv = setCsv(set, flavour);
    ASSERT_EQ(csv.rfind("\xEF\xBB\xBF", 0) == 0, spreadsheet);
    if (spreadsheet) csv.erase(0, 3);

    const auto records = test::parseStrictCsv(csv, c.delimiter);
    ASSERT_TRUE(records.has_value());
    ASSERT_EQ(records->size(), set.rowCount() + 3);
    const char decimal = c.decimal[0];
    EXPECT_EQ((*records)[0][0], "CAF");
    EXPECT_DOUBLE_EQ(parsed((*records)[0][1], decimal), 1.0);
    EXPECT_EQ((*records)[1][0], "CCF");
    EXPECT_DOUBLE_EQ(parsed((*records)[1][1], decimal), leadingNumber(set.ccf));
    EXPECT_EQ((*records)[2], (std::vector<std::string>{"time", "cd/m\xC2\xB2", "fL"}));
    EXPECT_EQ((*records)[3][0], spreadsheet ? "2026-12-31 23:59:58" : "2026-12-31T23:59:58");
    EXPECT_EQ((*records)[4][0], spreadsheet ? "2026-12-31 23:59:59" : "2026-12-31T23:59:59");
    EXPECT_EQ((*records)[5][0], spreadsheet ? "2027-01-01 00:00:00" : "2027-01-01T00:00:00");
    for (std::size_t row = 0; row < set.rowCount(); ++row) {
        const auto& r = (*records)[row + 3];
        ASSERT_DOUBLE_EQ(parsed(r[1], decimal), set.samples.first[row]) << set.firstTexts[row];
        ASSERT_DOUBLE_EQ(parsed(r[2], decimal), set.samples.second[row]) << set.secondTexts[row];
    }
}

INSTANTIATE_TEST_SUITE_P(Sets, SetCsvParsesBack,
                         testing::Values(SetCase{sim::largestFittingSampleCount(), 86.0, ',', "."},
                                         SetCase{600, 15'800.0, ',', "."},
                                         SetCase{50, 2e7, ',', "."},
                                         SetCase{600, 15'800.0, ';', ","},
                                         SetCase{50, 86.0, '\t', "."}));

TEST(SetCsv, QuotesTrailerTextsThatHoldTheDelimiter) {
    DataSet set;
    set.caf = "1,5";
    const std::string csv = setCsv(set, SetCsvFlavour::spreadsheet(';', ","));
    EXPECT_EQ(csv,
              "\xEF\xBB\xBF"
              "CAF;1,5;\r\nCCF;0;\r\ntime;cd/m\xC2\xB2;fL\r\n");
    EXPECT_EQ(setCsv(set), "CAF,\"1,5\",\r\nCCF,0,\r\ntime,cd/m\xC2\xB2,fL\r\n");
}

}  // namespace
}  // namespace photara
