// What one poll's reading costs the window's thread while a recording runs: LiveFeed::onPoll
// (the row written to a file on disk, synced once a second on its own thread, and the
// trend's series append) plus the once-a-second tick. The goal is under 50 µs a reading.
// Besides the mean, each run reports the median, the 99th percentile and the worst reading.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "core/series/live_feed.h"

namespace {

using namespace photara;

Reading readingAt(std::size_t i, bool changeKinds) {
    Reading r;
    r.unit = ReadingUnit::CdPerM2;
    r.value = 120 + 80 * std::sin(static_cast<double>(i) / 14400.0);
    r.mainText = "123.4";
    r.secondary = "10:15:02";
    r.displayText = "123.4 cd/m² 10:15:02";
    // Every 400 readings the user presses Δ for 40: a new segment and back.
    if (changeKinds && i % 400 >= 360) r.flags.set(static_cast<std::size_t>(ReadingFlag::Delta));
    return r;
}

void perReading(benchmark::State& state, bool changeKinds) {
    SystemClock clock;
    LiveFeed feed(clock);
    const auto path = std::filesystem::temp_directory_path() /
                      ("photara_bench_reading_" + std::to_string(getpid()) + ".csv");
    std::string error;
    if (!feed.startRecording(path.string(), error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    std::vector<double> micros;
    micros.reserve(1 << 20);
    std::size_t i = 0;
    for (auto _ : state) {
        const Reading r = readingAt(i++, changeKinds);
        const auto start = std::chrono::steady_clock::now();
        feed.onPoll(true, r);
        feed.tick();
        micros.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    feed.stopRecording(error);
    std::filesystem::remove(path);
    std::sort(micros.begin(), micros.end());
    auto at = [&](double q) { return micros[static_cast<std::size_t>(q * static_cast<double>(micros.size() - 1))]; };
    state.counters["p50_us"] = at(0.5);
    state.counters["p99_us"] = at(0.99);
    state.counters["max_us"] = micros.back();
    state.counters["segments"] = static_cast<double>(feed.trend().changes().size());
}

void BM_ReadingIntoTrendAndFile(benchmark::State& state) { perReading(state, false); }
BENCHMARK(BM_ReadingIntoTrendAndFile)->Unit(benchmark::kMicrosecond);

void BM_ReadingIntoTrendAndFileWithKindChanges(benchmark::State& state) { perReading(state, true); }
BENCHMARK(BM_ReadingIntoTrendAndFileWithKindChanges)->Unit(benchmark::kMicrosecond);

}  // namespace
