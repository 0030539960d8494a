// The live trend at scale: a week of readings at four a second (2.4 million) held in the
// series, its memory, and a redraw of the whole week (and of one zoomed hour) at 1920×1080
// from the min/max envelope; and what one reading costs the UI thread while recording.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <filesystem>
#include <string>

#include "ui/live/trend_content.h"
#include "offscreen_application.h"
#include "core/series/live_feed.h"
#include "core/series/series.h"
#include "core/series/trend_series.h"

namespace {

using namespace photara;

constexpr std::size_t kWeek = 7 * 24 * 3600 * 4;

double luminanceAt(std::size_t i) {
    const double t = static_cast<double>(i) * 0.25;
    return 120 + 80 * std::sin(t / 3600) + 5 * std::sin(t * 1.7) + (i % 97 == 0 ? 40 : 0);
}

// A week with an hour's gap each day (the meter unplugged).
TrendSeries weekTrend() {
    TrendSeries s;
    for (std::size_t i = 0; i < kWeek; ++i) {
        if (i % (4 * 86400) == 4 * 3600) s.markGap();
        if (i % (4 * 86400) >= 4 * 3600 && i % (4 * 86400) < 4 * 7200) continue;
        s.add(static_cast<double>(i) * 0.25, luminanceAt(i), ReadingUnit::CdPerM2, {});
    }
    return s;
}

const TrendSeries& week() {
    static const TrendSeries s = weekTrend();
    return s;
}

void BM_WeekSeriesMemory(benchmark::State& state) {
    for (auto _ : state) {
        const std::size_t before = mallinfo2().uordblks;
        TrendSeries s = weekTrend();
        const std::size_t after = mallinfo2().uordblks;
        state.counters["readings"] = static_cast<double>(s.current().size());
        state.counters["MB"] = static_cast<double>(after - before) / (1024.0 * 1024.0);
        benchmark::DoNotOptimize(s.current().size());
    }
}
BENCHMARK(BM_WeekSeriesMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

void redraw(benchmark::State& state, double t0, double t1) {
    offscreenApplication();
    TrendContent trend(week());
    QImage image(1920, 1080, QImage::Format_RGB32);
    const ViewRange full = trend.fullRange();
    const ViewRange view{t0, t1, full.v0, full.v1};
    for (auto _ : state) {
        QPainter painter(&image);
        trend.paint(painter, QRectF(0, 0, 1920, 1080), view);
    }
}

void BM_RedrawWeek1920x1080(benchmark::State& state) {
    const ViewRange full = TrendContent(week()).fullRange();
    redraw(state, full.t0, full.t1);
}
BENCHMARK(BM_RedrawWeek1920x1080)->Unit(benchmark::kMillisecond);

void BM_RedrawZoomedHour1920x1080(benchmark::State& state) { redraw(state, 3 * 86400, 3 * 86400 + 3600); }
BENCHMARK(BM_RedrawZoomedHour1920x1080)->Unit(benchmark::kMillisecond);

void BM_StatisticsOfVisibleSpan(benchmark::State& state) {
    std::size_t n = 0;
    for (auto _ : state) {
        n += week().current().statistics(12345.6, 5.5 * 86400).n;
    }
    benchmark::DoNotOptimize(n);
}
BENCHMARK(BM_StatisticsOfVisibleSpan)->Unit(benchmark::kMicrosecond);

// One poll's reading into the trend and a recording file on disk (synced once a second on
// its own thread), as the UI thread does it.
void BM_RecordOneReading(benchmark::State& state) {
    SystemClock clock;
    LiveFeed feed(clock);
    const auto path = std::filesystem::temp_directory_path() /
                      ("photara_bench_" + std::to_string(getpid()) + ".csv");
    std::string error;
    if (!feed.startRecording(path.string(), error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    Reading r;
    r.unit = ReadingUnit::CdPerM2;
    std::size_t i = 0;
    for (auto _ : state) {
        r.value = luminanceAt(i++);
        r.displayText = "123.4 cd/m² 10:15:02";
        feed.onPoll(true, r);
        feed.tick();
    }
    feed.stopRecording(error);
    std::filesystem::remove(path);
}
BENCHMARK(BM_RecordOneReading)->Unit(benchmark::kMicrosecond);

}  // namespace
