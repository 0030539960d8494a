#include "core/series/live_feed.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/export/recording_reader.h"
#include "core/link/meter_identity.h"
#include "core/link/meter_link.h"
#include "core/live/display_model.h"
#include "core/live/display_state.h"
#include "core/meter/poll_tick.h"
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

}  // namespace
}  // namespace photara
