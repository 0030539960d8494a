// Exports of the largest set a meter sends (832,000 bytes, about 13,000 readings): its CSV
// and a 1920×1080 PNG of its graph, each from the parsed set to the finished bytes.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QFont>

#include "core/datafile/data_set.h"
#include "core/export/set_csv.h"
#include "offscreen_application.h"
#include "ui/plot/plot_picture.h"
#include "core/plot/plot_setup.h"
#include "sim/data_set_generator.h"

namespace {

const photara::DataSet& largestSet() {
    static const photara::DataSet set = [] {
        photara::sim::DataSetRecipe recipe;
        recipe.start = {2026, 12, 8, 0, 0, 0};
        recipe.samples = static_cast<int>((832'000 - 192) / 64);
        recipe.luminance = 15'800;  // values with "K", as the largest figures are
        std::string text = photara::sim::generateDataText(recipe);
        text.resize(832'000, '\0');
        return photara::parseDataText(text);
    }();
    return set;
}

void BM_CsvOfLargestSet(benchmark::State& state) {
    const photara::DataSet& set = largestSet();
    const photara::SetCsvFlavour flavour = state.range(0)
                                               ? photara::SetCsvFlavour::spreadsheet(';', ",")
                                               : photara::SetCsvFlavour::plain();
    for (auto _ : state) benchmark::DoNotOptimize(photara::setCsv(set, flavour));
    state.counters["rows"] = static_cast<double>(set.rowCount());
}
BENCHMARK(BM_CsvOfLargestSet)->Arg(0)->Arg(1)->ArgName("excel")->Unit(benchmark::kMillisecond);

void BM_PngOfLargestSet(benchmark::State& state) {
    offscreenApplication();
    const photara::DataSet& set = largestSet();
    const photara::PlotSettings settings = photara::plotSettingsFor(set.samples);
    const photara::PlotPicture picture(set.samples, settings,
                                       photara::pictureCaption(set.samples, set), QFont());
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        picture.writePng(buffer, QSize(1920, 1080), QSizeF(960, 540));
        benchmark::DoNotOptimize(buffer.data().size());
    }
}
BENCHMARK(BM_PngOfLargestSet)->Unit(benchmark::kMillisecond);

}  // namespace
