#include "core/logger/directory.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/logger/memory_status.h"

namespace photara {
namespace {

// --- memory status -------------------------------------------------------------------------

struct StatusCase {
    std::vector<std::uint8_t> data;  // answer bytes 1..12
    std::uint64_t capacity;
    std::uint64_t used;
    int sets;
    int percent;
    std::string label;
};

class MemoryStatusTest : public ::testing::TestWithParam<StatusCase> {};

TEST_P(MemoryStatusTest, DecodesFieldsGaugeAndLabel) {
    Report answer{};
    answer.fill(0xEE);  // bytes past 12 must not leak into the figures
    answer[0] = 0;
    std::copy(GetParam().data.begin(), GetParam().data.end(), answer.begin() + 1);
    const auto status = decodeMemoryStatus(answer);
    ASSERT_TRUE(status);
    EXPECT_EQ(status->capacity, GetParam().capacity);
    EXPECT_EQ(status->used, GetParam().used);
    EXPECT_EQ(status->setCount, GetParam().sets);
    EXPECT_EQ(usedPercent(*status), GetParam().percent);
    EXPECT_EQ(capacityText(*status), GetParam().label);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, MemoryStatusTest,
    ::testing::Values(
        StatusCase{{0, 0, 0, 2, 0, 0, 0, 0, 0, 128, 0, 10}, 512, 128, 10, 25, "512k Bytes"},
        // 40-bit figures: the top byte counts 2^32.
        StatusCase{{1, 0, 0, 0, 0, 0, 0x80, 0, 0, 0, 1, 2},
                   1ULL << 32,
                   1ULL << 31,
                   258,
                   50,
                   "4294967296k Bytes"},
        // An empty capacity draws an empty gauge instead of dividing by zero.
        StatusCase{{0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 0, 1}, 0, 9, 1, 0, "0k Bytes"},
        // More used than there is room for fills the gauge, no more.
        StatusCase{{0, 0, 0, 0, 10, 0, 0, 0, 0, 20, 0, 3}, 10, 20, 3, 100, "10k Bytes"},
        StatusCase{{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
                   0xFFFFFFFFFFULL,
                   0xFFFFFFFFFFULL,
                   65535,
                   100,
                   "1099511627775k Bytes"}));

TEST(MemoryStatus, RefusesAShortAnswer) {
    const std::vector<std::uint8_t> shortAnswer(12, 1);
    EXPECT_FALSE(decodeMemoryStatus(shortAnswer));
}

// --- directory -----------------------------------------------------------------------------

struct ReportCountCase {
    int sets;
    int reports;
};
class DirectoryReportCountTest : public ::testing::TestWithParam<ReportCountCase> {};
TEST_P(DirectoryReportCountTest, OneReportPerNineSetsRoundedUp) {
    EXPECT_EQ(directoryReportCount(GetParam().sets), GetParam().reports);
}
INSTANTIATE_TEST_SUITE_P(Counts, DirectoryReportCountTest,
                         ::testing::Values(ReportCountCase{0, 0}, ReportCountCase{1, 1},
                                           ReportCountCase{9, 1}, ReportCountCase{10, 2},
                                           ReportCountCase{18, 2}, ReportCountCase{19, 3},
                                           ReportCountCase{65535, 7282}));

struct EntryCase {
    std::array<std::uint8_t, 7> entry;
    std::string identifier;
    std::string startTime;
    std::array<std::uint8_t, 14> request;
};
class SetIdentifierTest : public ::testing::TestWithParam<EntryCase> {};

TEST_P(SetIdentifierTest, EntryToIdentifierStartTimeAndRequestBytes) {
    const EntryCase& c = GetParam();
    const std::string id = setIdentifier(c.entry);
    EXPECT_EQ(id, c.identifier);
    EXPECT_EQ(startTimeText(id), c.startTime);
    EXPECT_EQ(identifierRequestBytes(id), c.request);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, SetIdentifierTest,
    ::testing::Values(EntryCase{{0x20, 0x19, 0x08, 0x01, 0x12, 0x34, 0x56},
                                "20190801123456",
                                "2019/08/01 12:34:56",
                                {0x32, 0x30, 0x31, 0x39, 0x30, 0x38, 0x30, 0x31, 0x31, 0x32, 0x33,
                                 0x34, 0x35, 0x36}},
                      // Invalid BCD: 0x0A shows as "0A"; its letter goes to the meter as 0x30.
                      EntryCase{{0x20, 0x26, 0x0A, 0x07, 0x00, 0x4B, 0xF9},
                                "20260A07004BF9",
                                "2026/0A/07 00:4B:F9",
                                {0x32, 0x30, 0x32, 0x36, 0x30, 0x30, 0x30, 0x37, 0x30, 0x30, 0x34,
                                 0x30, 0x30, 0x39}},
                      EntryCase{{0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
                                "00000000000000",
                                "0000/00/00 00:00:00",
                                {0x30, 0x30, 0x30, 0x30, 0x30, 0x30, 0x30, 0x30, 0x30, 0x30, 0x30,
                                 0x30, 0x30, 0x30}}));

TEST(SetIdentifier, EraseListItemHasTwoBlanksAfterTheNumber) {
    EXPECT_EQ(eraseListItem(1, "20190801123456"), "1  2019/08/01 12:34:56");
    EXPECT_EQ(eraseListItem(12, "20261207004309"), "12  2026/12/07 00:43:09");
}

TEST(SetIdentifier, WriteIdentifierFillsBytes3To16Only) {
    Report output;
    output.fill(0xAB);
    writeIdentifier(output, "20190801123456");
    EXPECT_EQ(output[2], 0xAB);
    EXPECT_EQ(output[3], 0x32);
    EXPECT_EQ(output[16], 0x36);
    EXPECT_EQ(output[17], 0xAB);
}

TEST(DirectoryBuffer, TenSetsSpanTwoReportsAndIgnoreByte1) {
    // Report 1: nine entries in bytes 2..64; byte 1 is noise. Report 2: entry 10 in bytes 2..8,
    // the rest of the report is left-over noise.
    Report first;
    first.fill(0);
    first[1] = 0x99;
    for (int k = 0; k < 9; ++k) {
        const std::size_t at = 2 + static_cast<std::size_t>(k) * 7;
        const std::array<std::uint8_t, 7> entry = {
            0x20, 0x26, 0x12, 0x07, 0x00, 0x43, static_cast<std::uint8_t>(k + 1)};
        std::copy(entry.begin(), entry.end(), first.begin() + static_cast<long>(at));
    }
    Report second;
    second.fill(0x77);
    const std::array<std::uint8_t, 7> tenth = {0x20, 0x27, 0x01, 0x02, 0x03, 0x04, 0x05};
    std::copy(tenth.begin(), tenth.end(), second.begin() + 2);

    DirectoryBuffer buffer;
    buffer.append(first);
    buffer.append(second);
    EXPECT_EQ(buffer.size(), 126u);
    EXPECT_EQ(buffer.identifier(1), "20261207004301");
    EXPECT_EQ(buffer.identifier(9), "20261207004309");
    EXPECT_EQ(buffer.identifier(10), "20270102030405");
    EXPECT_EQ(buffer.identifier(18), "77777777777777");  // copied but never listed
    EXPECT_FALSE(buffer.identifier(19));
    EXPECT_FALSE(buffer.identifier(0));
}

}  // namespace
}  // namespace photara
