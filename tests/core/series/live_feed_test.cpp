#include "core/series/live_feed.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <fstream>
#include <string>

#include "core/export/recording_reader.h"
#include "core/live/display_decoding.h"
#include "core/series/recording_trend.h"
#include "core/link/meter_identity.h"
#include "core/link/meter_link.h"
#include "core/live/display_model.h"
#include "core/live/display_state.h"
#include "core/meter/poll_tick.h"
#include "sim/display_composer.h"
#include "sim/reading_format.h"
#include "sim/virtual_meter.h"
#include "sim/virtual_meter_backend.h"
#include "support/fake_clock.h"

namespace photara {
namespace {

// The poll as the panel runs it, over the virtual meter, feeding the trend and a recording.
struct PolledMeter {
    test::FakeClock clock;
    sim::VirtualMeter meter{clock};
    sim::VirtualMeterBackend backend{meter};
    MeterLink link{backend, kMeterVendorId, kMeterProductId};
    DisplayState state;
    DisplayModel model;
    PollTick tick{link, state, model};
    LiveFeed feed{clock};

    void poll(int times) {
        for (int i = 0; i < times; ++i) {
            clock.advanceMilliseconds(250);
            const bool answered = tick.run().ok();
            feed.onPoll(answered, readingOf(state, model));
        }
    }
};

TEST(LiveFeedWithVirtualMeter, UnplugAndReplugGiveEventRowsAndAGap) {
    PolledMeter m;
    m.clock.setUtcOffsetMinutes(60);
    const auto path = std::filesystem::temp_directory_path() /
                      ("photara_feed_" + std::to_string(getpid()) + ".csv");
    std::string error;
    ASSERT_TRUE(m.feed.startRecording(path.string(), error)) << error;
    m.poll(4);
    m.backend.unplug();
    m.poll(3);
    m.backend.replug();
    m.poll(4);
    ASSERT_TRUE(m.feed.stopRecording(error)) << error;

    std::ifstream in(path, std::ios::binary);
    std::string kinds;  // R reading, D disconnected, C reconnected
    std::vector<double> elapsed;
    const auto result = readRecording(in, [&](const RecordingRow& row) {
        kinds += row.event == RecordingEvent::Disconnected   ? 'D'
                 : row.event == RecordingEvent::Reconnected ? 'C'
                                                            : 'R';
        elapsed.push_back(row.elapsedSeconds);
        if (row.event == RecordingEvent::None) {
            EXPECT_TRUE(row.value.has_value());
            EXPECT_EQ(row.unit, ReadingUnit::CdPerM2);
            EXPECT_EQ(row.time.utcOffsetMinutes, 60);
        }
    });
    EXPECT_EQ(result.skipped, 0u);
    EXPECT_EQ(kinds.substr(0, 5), "RRRRD");
    EXPECT_EQ(kinds.find('C'), kinds.rfind('C'));
    EXPECT_EQ(kinds.substr(kinds.find('C') - 1, 2), "DC");
    EXPECT_EQ(kinds.back(), 'R');
    EXPECT_TRUE(std::is_sorted(elapsed.begin(), elapsed.end()));
    EXPECT_DOUBLE_EQ(elapsed.front(), 0.25);

    const Series& s = m.feed.series();
    EXPECT_EQ(s.size(), static_cast<std::size_t>(std::count(kinds.begin(), kinds.end(), 'R')));
    EXPECT_EQ(s.gapCount(), 1u);
    EXPECT_TRUE(s.gapBetween(3, 4));
    std::filesystem::remove(path);
}

// A display the virtual meter composes, decoded as the poll decodes it.
struct Shown {
    std::optional<Reading> reading;
    std::string lcd;
};

Shown shown(const sim::DisplayFrame& frame) {
    DisplayState state;
    DisplayModel model;
    decodeDisplayReport(sim::composeDisplayReport(frame), state, model);
    return {readingOf(state, model), lcdText(state, model)};
}

Shown luminanceShown(double cdPerM2) {
    sim::DisplayFrame f;
    sim::showMainReading(f, cdPerM2, sim::Unit::CdPerM2);
    return shown(f);
}

using sim::Annunciator;

struct KindCase {
    const char* name;
    std::function<void(sim::DisplayFrame&)> show;  // the display after the key was pressed
    Quantity quantity;       // what it is; kind None: no reading at all
    double kept;             // its value as the trend keeps it
};

void PrintTo(const KindCase& c, std::ostream* os) { *os << c.name; }

const Quantity kLuminance{ReadingKind::Luminance, "", ReadingUnit::CdPerM2};

class LiveFeedKinds : public testing::TestWithParam<KindCase> {};

// Luminance from 126.7 up, four readings of the case, luminance again: the case's readings
// never reach the luminance line or its statistics, and each change is marked.
TEST_P(LiveFeedKinds, AChangeOfKindStartsASegmentOfItsOwn) {
    const KindCase& c = GetParam();
    test::FakeClock clock;
    LiveFeed feed{clock};
    auto poll = [&](const Shown& s) {
        clock.advanceMilliseconds(250);
        feed.onPoll(true, s.reading, s.lcd);
    };
    for (int i = 0; i < 4; ++i) poll(luminanceShown(126.7 + i));
    sim::DisplayFrame frame;
    c.show(frame);
    const Shown other = shown(frame);
    ASSERT_EQ(other.reading.has_value(), c.quantity.kind != ReadingKind::None);
    for (int i = 0; i < 4; ++i) poll(other);
    if (other.reading) {
        EXPECT_EQ(feed.trend().currentQuantity(), c.quantity);
        EXPECT_EQ(feed.series().size(), c.quantity == kLuminance ? 8u : 4u);
        EXPECT_NEAR(feed.series().total().min, c.kept, 1e-3 * std::fabs(c.kept));
    }
    for (int i = 0; i < 4; ++i) poll(luminanceShown(130.7 + i));

    const TrendSeries& trend = feed.trend();
    EXPECT_EQ(trend.currentQuantity(), kLuminance);
    const Series& luminance = trend.current();
    const bool sameLine = c.quantity == kLuminance;
    ASSERT_EQ(luminance.size(), sameLine ? 12u : 8u);
    // The series keeps floats: 126.7 comes back a hair below.
    EXPECT_GE(luminance.total().min, (sameLine ? std::min(126.7, c.kept) : 126.7) - 1e-4);
    EXPECT_EQ(luminance.gapBetween(3, 4), !sameLine);
    const bool segment = !sameLine && c.quantity.kind != ReadingKind::None;
    ASSERT_EQ(trend.changes().size(), segment ? 2u : 0u);
    if (segment) {
        EXPECT_EQ(trend.changes()[0].quantity, c.quantity);
        EXPECT_DOUBLE_EQ(trend.changes()[0].t, 1.25);
        EXPECT_EQ(trend.changes()[1].quantity, kLuminance);
        EXPECT_DOUBLE_EQ(trend.changes()[1].t, 2.25);
        ASSERT_NE(trend.seriesOf(c.quantity), nullptr);
        EXPECT_EQ(trend.seriesOf(c.quantity)->size(), 4u);
    }
}

const KindCase kKindCases[] = {
    {"DeltaIsNoLuminance",
     [](auto& f) {
         f.light(Annunciator::Delta);
         f.light(Annunciator::Plus);
         sim::showMainReading(f, 43.83, sim::Unit::CdPerM2);
     },
     {ReadingKind::Relative, "Δ", ReadingUnit::CdPerM2}, 43.83},
    {"BMinusAStaysNegative",
     [](auto& f) {
         f.light(Annunciator::BMinusA);
         sim::showMainReading(f, 12.5, sim::Unit::CdPerM2);
     },
     {ReadingKind::Relative, "B−A", ReadingUnit::CdPerM2}, -12.5},
    {"DeltaPercent",
     [](auto& f) {
         f.light(Annunciator::Delta);
         f.percent = true;
         sim::showMainReading(f, 98.5, sim::Unit::None);
     },
     {ReadingKind::Relative, "Δ%", ReadingUnit::Percent}, 98.5},
    {"PercentOfA",
     [](auto& f) {
         f.light(Annunciator::PercentA);
         f.percent = true;
         sim::showMainReading(f, 146.8, sim::Unit::None);
     },
     {ReadingKind::Relative, "%A", ReadingUnit::Percent}, 146.8},
    {"SpreadOfMaxAndMin",
     [](auto& f) {
         for (auto a : {Annunciator::Max, Annunciator::MaxMinDash, Annunciator::Min}) f.light(a);
         sim::showMainReading(f, 5, sim::Unit::CdPerM2);
     },
     {ReadingKind::Relative, "MX−MN", ReadingUnit::CdPerM2}, 5},
    {"RatioAOverB",
     [](auto& f) {
         f.light(Annunciator::AOverB);
         sim::showMainReading(f, 1.25, sim::Unit::None);
     },
     {ReadingKind::Ratio, "A/B", ReadingUnit::None}, 1.25},
    {"AccumulatedInFootLambertHours",
     [](auto& f) {
         f.light(Annunciator::Acc);
         f.light(Annunciator::DotH2);
         f.smallH = true;
         sim::showMainReading(f, 2, sim::Unit::FootLambert);
     },
     {ReadingKind::Accumulated, "", ReadingUnit::CdPerM2Hours}, 2 * kCdPerM2PerFootLambert},
    {"ZeroScreenIsNoReading",
     [](auto& f) {
         f.light(Annunciator::Zero);
         f.write(1, "0000");
         f.mainPoint = sim::MainPoint::After1;
         f.unit = sim::Unit::CdPerM2;
     },
     {}, 0},
    {"FootLambertIsTheSameLuminance",
     [](auto& f) { sim::showMainReading(f, 30, sim::Unit::FootLambert); },
     kLuminance, 30 * kCdPerM2PerFootLambert},
};

INSTANTIATE_TEST_SUITE_P(VirtualMeter, LiveFeedKinds, testing::ValuesIn(kKindCases),
                         [](const auto& p) { return std::string(p.param.name); });

// What the feed is told, poll by poll: R a reading, W a word on the display (no reading),
// D a poll the meter did not answer, H the link held by a download, F the link free again.
struct HoleCase {
    const char* name;
    const char* steps;
    const char* rows;  // R reading, N no reading, G readings again, D/C dis-/reconnected, P/U paused/resumed
    std::size_t gaps;  // in the trend, live and read back
};

void PrintTo(const HoleCase& c, std::ostream* os) { *os << c.name; }

class LiveFeedHoles : public testing::TestWithParam<HoleCase> {};

TEST_P(LiveFeedHoles, EveryHoleIsARowAndAGap) {
    const HoleCase& c = GetParam();
    test::FakeClock clock;
    clock.setUtcOffsetMinutes(-210);
    LiveFeed feed{clock};
    const auto path = std::filesystem::temp_directory_path() /
                      ("photara_holes_" + std::to_string(getpid()) + ".csv");
    std::string error;
    // 'S' starts the recording there; without one it runs from the start.
    if (!std::strchr(c.steps, 'S')) {
        ASSERT_TRUE(feed.startRecording(path.string(), error)) << error;
    }
    sim::DisplayFrame word;
    word.write(1, "StAr");
    const Shown star = shown(word);
    double v = 100;
    for (const char* s = c.steps; *s; ++s) {
        clock.advanceMilliseconds(250);
        switch (*s) {
            case 'R': {
                const Shown r = luminanceShown(v += 1);
                feed.onPoll(true, r.reading, r.lcd);
                break;
            }
            case 'W': feed.onPoll(true, star.reading, star.lcd); break;
            case 'D': feed.onPoll(false, std::nullopt, ""); break;
            case 'H': feed.onLinkHeld("download"); break;
            case 'F': feed.onLinkReleased(); break;
            case 'S': ASSERT_TRUE(feed.startRecording(path.string(), error)) << error; break;
        }
    }
    ASSERT_TRUE(feed.stopRecording(error)) << error;
    EXPECT_EQ(feed.series().gapCount(), c.gaps);

    std::ifstream in(path, std::ios::binary);
    std::string rows;
    const auto result = readRecording(in, [&](const RecordingRow& row) {
        constexpr char kLetters[] = "RDCNGPU";
        rows += kLetters[static_cast<int>(row.event)];
        EXPECT_EQ(row.time.utcOffsetMinutes, -210);
        if (row.event == RecordingEvent::NoReading) {
            EXPECT_EQ(row.display, "StAr");
        }
        if (row.event == RecordingEvent::Paused) {
            EXPECT_EQ(row.eventDetail, "download");
        }
    });
    EXPECT_EQ(result.skipped, 0u);
    EXPECT_EQ(rows, c.rows);
    // Opened again, the recording has its holes where the live trend had them.
    in.clear();
    in.seekg(0);
    const RecordingTrend reopened = readRecordingTrend(in);
    EXPECT_EQ(reopened.trend.current().size(), feed.series().size());
    EXPECT_EQ(reopened.trend.current().gapCount(), c.gaps);
    std::filesystem::remove(path);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, LiveFeedHoles,
    testing::Values(HoleCase{"PausedAndResumed", "RRHFRR", "RRPURR", 1},
                    HoleCase{"HeldTwiceIsOnePause", "RRHHRR", "RRPURR", 1},
                    HoleCase{"NoReadingOnceNotPerPoll", "RRWWWRR", "RRNGRR", 1},
                    HoleCase{"StartingOnAWord", "WWRR", "NGRR", 0},
                    HoleCase{"WordWhileTheMeterWasAway", "RDDWWR", "RDCNGR", 1},
                    HoleCase{"ReconnectedToReadings", "RDDRR", "RDCRR", 1},
                    // Started with no meter: the file says so at once, not only its header.
                    HoleCase{"StartedWithNoMeter", "DDSDRR", "DCRR", 0},
                    HoleCase{"StartedWhileHeld", "HSFR", "PUR", 0}));

}  // namespace
}  // namespace photara
