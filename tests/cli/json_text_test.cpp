#include <gtest/gtest.h>

#include "cli/jsonl_row.h"
#include "cli/text_output.h"

namespace photara::cli {
namespace {

struct JsonCase {
    const char* name;
    std::string text;
    std::string json;
};

class JsonStringTest : public ::testing::TestWithParam<JsonCase> {};

// Whatever a file name or an LCD text holds, the result is valid JSON; UTF-8 stays readable
// and a byte that is not UTF-8 comes back as \udcXX (the byte, as file names decode).
TEST_P(JsonStringTest, IsValidJsonForAnyBytes) {
    EXPECT_EQ(jsonString(GetParam().text), GetParam().json);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, JsonStringTest,
    ::testing::Values(JsonCase{"Plain", "sets/a.pxd", "\"sets/a.pxd\""},
                      JsonCase{"QuoteAndBackslash", "a\"b\\c", "\"a\\\"b\\\\c\""},
                      JsonCase{"Controls", std::string("a\nb\x01", 4), "\"a\\u000ab\\u0001\""},
                      JsonCase{"Utf8Kept", "cd/m² Δ €𝄞", "\"cd/m² Δ €𝄞\""},
                      JsonCase{"Latin1Byte", "caf\xe9.pxd", "\"caf\\udce9.pxd\""},
                      JsonCase{"CutSequence", "\xe2\x82", "\"\\udce2\\udc82\""},
                      JsonCase{"OverlongSlash", "\xc0\xaf", "\"\\udcc0\\udcaf\""},
                      JsonCase{"EncodedSurrogate", "\xed\xa0\x80", "\"\\udced\\udca0\\udc80\""},
                      JsonCase{"BeyondUnicode", "\xf4\x90\x80\x80",
                               "\"\\udcf4\\udc90\\udc80\\udc80\""},
                      JsonCase{"StrayContinuation", "a\x80z", "\"a\\udc80z\""}),
    [](const ::testing::TestParamInfo<JsonCase>& p) { return p.param.name; });

// read --json and log --format jsonl give the flags in one shape.
TEST(FlagsJsonTest, ReadAndLogGiveTheSameList) {
    ReadingFlags flags;
    flags.set(static_cast<std::size_t>(ReadingFlag::Hold));
    flags.set(static_cast<std::size_t>(ReadingFlag::Max));
    RecordingRow row;
    row.flags = flags;
    EXPECT_EQ(flagsJson(flags), "[\"HOLD\",\"MAX\"]");
    EXPECT_NE(jsonlRecord(row).find(",\"flags\":[\"HOLD\",\"MAX\"],"), std::string::npos);
    EXPECT_EQ(flagsJson({}), "[]");
}

}  // namespace
}  // namespace photara::cli
