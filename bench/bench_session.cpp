// The meter session in the program: the poll's rhythm as the window's thread keeps it while
// the user zooms and pans the week-long trend and the largest set downloads, and the longest
// time the window's thread is held while the meter is silent. Real time, real threads: each
// benchmark runs once for several seconds and reports its figures as counters.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <vector>

#include "app/photara_app.h"
#include "core/series/trend_series.h"
#include "offscreen_application.h"
#include "sim/virtual_meter.h"
#include "sim/virtual_meter_backend.h"
#include "support/stalling_backend.h"
#include "ui/base/gui_meter_session.h"
#include "ui/live/trend_content.h"

namespace {

using namespace photara;

constexpr std::size_t kWeek = 7 * 24 * 3600 * 4;

TrendSeries weekTrend() {
    TrendSeries s;
    for (std::size_t i = 0; i < kWeek; ++i) {
        const double t = static_cast<double>(i) * 0.25;
        s.add(t, 120 + 80 * std::sin(t / 3600) + 5 * std::sin(t * 1.7), ReadingUnit::CdPerM2, {});
    }
    return s;
}

double percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1));
    return values[at];
}

// Runs the window's event loop for `ms` of real time.
void runFor(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Intervals between the polls shown, for 10 s, while a frame of the week-long trend is drawn
// at 1920×1080 every 16 ms at another zoom and pan, and the largest set downloads again and
// again on the session's thread.
void BM_PollRhythmWhileZoomingAndDownloading(benchmark::State& state) {
    offscreenApplication();
    const TrendSeries week = weekTrend();
    for (auto _ : state) {
        PhotaraApp app(true);
        app.start();
        TrendContent trend(week);
        QImage frame(1920, 1080, QImage::Format_RGB32);
        const ViewRange full = trend.fullRange();
        int frameNumber = 0;
        QTimer user;
        user.setInterval(16);
        QObject::connect(&user, &QTimer::timeout, [&] {
            // Zoom in and out over the week and pan across it.
            const double span = (full.t1 - full.t0) / (1 + (frameNumber % 50));
            const double t0 = full.t0 + std::fmod(frameNumber * 3600.0, full.t1 - full.t0 - span);
            ++frameNumber;
            QPainter painter(&frame);
            trend.paint(painter, QRectF(0, 0, 1920, 1080), {t0, t0 + span, full.v0, full.v1});
        });
        std::vector<std::string> ids;
        if (auto sets = app.meter().await(app.meter().core().readSets())) ids = sets->identifiers;
        std::string largest;
        std::size_t largestLength = 0;
        for (const std::string& id : ids) {
            auto set = app.meter().await(app.meter().core().download(id));
            if (set && set->length > largestLength) {
                largestLength = set->length;
                largest = id;
            }
        }
        int downloads = 0;
        std::function<void()> downloadAgain = [&] {
            ++downloads;
            app.meter().whenDone(app.meter().core().download(largest), &app.panel(),
                                 std::function<void(MeterOutcome<DownloadedSet>)>(
                                     [&](MeterOutcome<DownloadedSet>) { downloadAgain(); }));
        };
        std::vector<double> intervals;
        QElapsedTimer since;
        QObject::connect(&app.panel(), &Panel::tickShown, [&] {
            if (since.isValid()) intervals.push_back(static_cast<double>(since.nsecsElapsed()) / 1e6);
            since.start();
        });
        user.start();
        downloadAgain();
        runFor(10000);
        user.stop();
        state.counters["median_ms"] = percentile(intervals, 0.5);
        state.counters["p99_ms"] = percentile(intervals, 0.99);
        state.counters["max_ms"] = percentile(intervals, 1.0);
        state.counters["polls"] = static_cast<double>(intervals.size());
        state.counters["frames"] = frameNumber;
        state.counters["downloads"] = downloads;
        state.counters["set_bytes"] = static_cast<double>(largestLength);
    }
}
BENCHMARK(BM_PollRhythmWhileZoomingAndDownloading)->Unit(benchmark::kSecond)->Iterations(1);

// The longest gap between two runs of a 1 ms timer on the window's thread while the meter is
// silent for 10 s (each read waits its full time-out of a second) and the poll asks four
// times a second.
void BM_WindowThreadWhileTheMeterIsSilent(benchmark::State& state) {
    offscreenApplication();
    for (auto _ : state) {
        SystemClock clock;
        sim::VirtualMeter meter(clock);
        sim::VirtualMeterBackend simBackend(meter);
        test::StallingBackend backend(simBackend);
        GuiMeterSession session(backend);
        (void)session.poll();
        QTimer rhythm;
        rhythm.setInterval(250);
        QObject::connect(&rhythm, &QTimer::timeout, [&] { session.requestPoll(); });
        double longest = 0;
        QElapsedTimer since;
        QTimer beat;
        beat.setInterval(1);
        QObject::connect(&beat, &QTimer::timeout, [&] {
            if (since.isValid())
                longest = std::max(longest, static_cast<double>(since.nsecsElapsed()) / 1e6);
            since.start();
        });
        backend.stall(true, MeterLink::kReadTimeout);
        rhythm.start();
        beat.start();
        runFor(10000);
        beat.stop();
        rhythm.stop();
        backend.stall(false);
        state.counters["longest_stall_ms"] = longest;
    }
}
BENCHMARK(BM_WindowThreadWhileTheMeterIsSilent)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
