// Guided measurements: what the stability detector costs per reading (it follows every poll),
// and the verdicts with the JSON and HTML report of a 9 x 9 uniformity grid.
#include <benchmark/benchmark.h>

#include <cmath>

#include "core/procedure/recipe_library.h"
#include "core/procedure/report.h"
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

// A 9 x 9 uniformity grid with 50 % grey, each cell with a second of readings: the verdicts,
// the JSON and the HTML page, as the end of a run makes them.
void BM_GridReport9x9(benchmark::State& state) {
    std::string text, error;
    const std::string path = PHOTARA_SOURCE_DIR "/procedures/display-uniformity.json";
    if (!readTextFile(path, text, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    ProcedureReport r;
    r.recipe = withGrid(std::get<Recipe>(readRecipe(text, path)), 9);
    r.settings = {{"contrast"}, 9};
    std::size_t k = 0;
    for (const auto& p : r.recipe.points) {
        for (const auto& patch : p.patches) {
            Capture c;
            c.point = p.id;
            c.patch = patch;
            c.value = (patch == "white" ? 100.0 : 21.0) * (1 - 0.002 * static_cast<double>(k++ % 40));
            for (int i = 0; i < 4; ++i) c.readings.push_back({0.25 * i, c.value});
            r.measurements.put(c);
        }
    }
    std::size_t bytes = 0;
    for (auto _ : state) {
        r.result = judge(r.recipe, r.measurements, r.settings);
        const std::string json = reportJson(r);
        const std::string html = reportHtml(r);
        bytes = json.size() + html.size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_GridReport9x9)->Unit(benchmark::kMillisecond);

}  // namespace
