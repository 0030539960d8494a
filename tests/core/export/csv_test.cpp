#include "core/export/csv.h"

#include <gtest/gtest.h>

namespace photara {
namespace {

struct FieldCase {
    const char* text;
    char delimiter;
    const char* expected;
};

class CsvField : public testing::TestWithParam<FieldCase> {};

TEST_P(CsvField, QuotesOnlyWhereARecordWouldBreak) {
    EXPECT_EQ(csv::field(GetParam().text, GetParam().delimiter), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CsvField,
    testing::Values(FieldCase{"127.8", ',', "127.8"}, FieldCase{"", ',', ""},
                    FieldCase{"1,5", ',', "\"1,5\""}, FieldCase{"1,5", ';', "1,5"},
                    FieldCase{"a;b", ';', "\"a;b\""}, FieldCase{"say \"hi\"", ',', "\"say \"\"hi\"\"\""},
                    FieldCase{"two\nlines", ',', "\"two\nlines\""},
                    FieldCase{"cr\rhere", ',', "\"cr\rhere\""}, FieldCase{"cd/m\xC2\xB2", ',', "cd/m\xC2\xB2"}));

TEST(CsvRecord, JoinsQuotedFieldsAndEndsWithCrLf) {
    EXPECT_EQ(csv::record({"time", "a,b", "x\"y"}), "time,\"a,b\",\"x\"\"y\"\r\n");
    EXPECT_EQ(csv::record(std::vector<std::string>{"1,5", "2"}, ';'), "1,5;2\r\n");
    EXPECT_EQ(csv::record(std::vector<std::string>{}), "\r\n");
}

}  // namespace
}  // namespace photara
