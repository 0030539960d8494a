// Guided measurements: what the stability detector costs per reading (it follows every poll),
// and the verdicts with the JSON and HTML report of a 9 x 9 uniformity grid.
#include <benchmark/benchmark.h>

#include <cmath>

#include "core/series/stability.h"

namespace {

using namespace photara;

// A warm-up curve with a little noise and, now and then, a step (the meter moved).
double readingAt(std::size_t i) {
    const double t = static_cast<double>(i) * 0.25;
    const double step = (i / 4000) % 2 ? 1.5 : 1.0;
    return step * 100 * (1 - 0.2 * std::exp(-t / 120)) * (1 + 0.001 * std::sin(t * 7.3));
}

void BM_StabilityPerReading(benchmark::State& state) {
    const std::string preset = state.range(0) == 0 ? "spot" : "display-warm-up";
    StabilityDetector d(*stabilityPreset(preset));
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(d.add(static_cast<double>(i) * 0.25, readingAt(i)));
        ++i;
    }
    state.SetLabel(preset);
}
BENCHMARK(BM_StabilityPerReading)->Arg(0)->Arg(1);

}  // namespace
