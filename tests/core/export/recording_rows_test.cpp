#include "core/export/recording_rows.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/export/recording_reader.h"

namespace photara {
namespace {

const ZonedDateTime kTime{{2026, 12, 8, 10, 15, 2, 250}, 60};

Reading reading(std::optional<double> value, ReadingUnit unit, std::string display,
                std::string_view flags = "") {
    Reading r;
    r.value = value;
    r.unit = unit;
    r.displayText = std::move(display);
    r.flags = flagsFromText(flags);
    return r;
}

TEST(RecordingRecord, WritesTheAgreedColumns) {
    EXPECT_EQ(recordingHeader(), "time,elapsed_s,value,unit,display,flags,event\r\n");
    EXPECT_EQ(recordingRecord(readingRow(reading(12600, ReadingUnit::CdPerM2,
                                                 "12.60 K cd/m² 10:15:02", "HOLD"),
                                         kTime, 0.25)),
              "2026-12-08T10:15:02.250+01:00,0.250,12600,cd/m²,12.60 K cd/m² 10:15:02,HOLD,\r\n");
    EXPECT_EQ(recordingRecord(eventRow(RecordingEvent::Disconnected,
                                       {{2026, 1, 2, 3, 4, 5, 6}, -210}, 3600.5)),
              "2026-01-02T03:04:05.006-03:30,3600.500,,,,,disconnected\r\n");
    EXPECT_EQ(recordingRecord(eventRow(RecordingEvent::Paused, kTime, 1, "", "download")),
              "2026-12-08T10:15:02.250+01:00,1.000,,,,,paused: download\r\n");
}

class RecordingRowRoundTrip : public testing::TestWithParam<RecordingRow> {};

TEST_P(RecordingRowRoundTrip, ReadsBackWhatWasWritten) {
    std::istringstream in(recordingHeader() + recordingRecord(GetParam()));
    std::vector<RecordingRow> rows;
    const auto result = readRecording(in, [&](const RecordingRow& r) { rows.push_back(r); });
    EXPECT_TRUE(result.hadHeader);
    EXPECT_EQ(result.skipped, 0u);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RecordingRowRoundTrip,
    testing::Values(readingRow(reading(0.001, ReadingUnit::FootLambert, "0.001 fL"), kTime, 0),
                    readingRow(reading(-2.5, ReadingUnit::CdPerM2, "2.500 cd/m²", "DELTA"),
                               kTime, 1.5),
                    readingRow(reading(std::nullopt, ReadingUnit::CdPerM2, "0L cd/m²", "OL"),
                               kTime, 2),
                    readingRow(reading(98.5, ReadingUnit::Percent, "a \"quoted\", text"),
                               kTime, 3),
                    eventRow(RecordingEvent::Reconnected, kTime, 604800.125),
                    eventRow(RecordingEvent::Paused, {{2026, 1, 2, 3, 4, 5, 6}, -210}, 7.25, "",
                             "download"),
                    eventRow(RecordingEvent::Resumed, kTime, 9),
                    eventRow(RecordingEvent::NoReading, kTime, 9.25, "StAr"),
                    eventRow(RecordingEvent::Readings, kTime, 9.5)));

struct TornCase {
    const char* name;
    std::string tail;  // after the header and two whole rows
    std::size_t rows;
    std::size_t skipped;
};

class RecordingReaderTolerance : public testing::TestWithParam<TornCase> {};

TEST_P(RecordingReaderTolerance, KeepsWholeRowsAndCountsTheRest) {
    const std::string whole =
        recordingRecord(readingRow(reading(1.5, ReadingUnit::CdPerM2, "1.500 cd/m²"), kTime, 0));
    std::istringstream in(recordingHeader() + whole + whole + GetParam().tail);
    std::size_t seen = 0;
    const auto result = readRecording(in, [&](const RecordingRow& r) {
        ++seen;
        EXPECT_EQ(r.value, 1.5);
    });
    EXPECT_EQ(result.rows, GetParam().rows);
    EXPECT_EQ(seen, GetParam().rows);
    EXPECT_EQ(result.skipped, GetParam().skipped);
}

INSTANTIATE_TEST_SUITE_P(
    Tails, RecordingReaderTolerance,
    testing::Values(
        TornCase{"Nothing", "", 2, 0},
        TornCase{"TornLastRow", "2026-12-08T10:15:02.250+01:00,0.5,1.", 2, 1},
        TornCase{"RowWithoutLineEnd", "2026-12-08T10:15:02.250+01:00,0.500,1.5,cd/m²,x,,", 2, 1},
        TornCase{"ZeroBlockAfterPowerCut", std::string(300, '\0'), 2, 1},
        TornCase{"ZerosThenWholeRow",
                 std::string(5, '\0') + "\r\n" +
                     "2026-12-08T10:15:03.000+01:00,1.000,1.5,cd/m²,1.500 cd/m²,,\r\n",
                 3, 1},
        TornCase{"UnclosedQuote", "2026-12-08T10:15:02.250+01:00,0,1.5,cd/m²,\"open,,\r\n", 2, 1},
        TornCase{"ImpossibleDate", "2026-02-30T10:15:02.250+01:00,0,1.5,cd/m²,x,,\r\n", 2, 1},
        TornCase{"UnknownUnit", "2026-12-08T10:15:02.250+01:00,0,1.5,lm,x,,\r\n", 2, 1},
        TornCase{"TooManyFields", "2026-12-08T10:15:02.250+01:00,0,1.5,fL,x,,,\r\n", 2, 1}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace photara
