// The largest set a meter sends (832,000 bytes, about 13,000 readings) through every step
// the user waits for: parsing it, loading the data list, redrawing the plot (whole, zoomed,
// panned), opening a file.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>

#include "ui/base/app_context.h"
#include "ui/base/gui_meter_session.h"
#include "ui/base/prompts.h"
#include "ui/commands/open_command.h"
#include "ui/base/workspace.h"
#include "core/datafile/data_file.h"
#include "core/datafile/data_set.h"
#include "ui/datalist/data_list_window.h"
#include "ui/datalist/data_views.h"
#include "core/link/hid_backend.h"
#include "core/link/meter_link.h"
#include "core/live/display_state.h"
#include "offscreen_application.h"
#include "core/plot/plot_geometry.h"
#include "ui/plot/plot_painter.h"
#include "ui/plot/set_plot_content.h"
#include "core/plot/plot_setup.h"
#include "sim/data_set_generator.h"

namespace {

constexpr std::size_t kLargestSet = 832'000;

// The largest download: as many readings as fit, padded with zeros to 832,000 bytes.
const std::string& largestSet() {
    static const std::string text = [] {
        photara::sim::DataSetRecipe recipe;
        recipe.start = {2026, 12, 8, 0, 0, 0};
        recipe.samples = static_cast<int>((kLargestSet - 192) / 64);
        recipe.luminance = 850;
        std::string t = photara::sim::generateDataText(recipe);
        t.resize(kLargestSet, '\0');
        return t;
    }();
    return text;
}

class NoMeterBackend final : public photara::HidBackend {
  public:
    std::vector<photara::HidDeviceInfo> enumerate(std::uint16_t, std::uint16_t) override {
        return {};
    }
    std::unique_ptr<photara::HidDevice> open(const std::string&) override { return nullptr; }
};

class FixedPrompts final : public photara::Prompts {
  public:
    QString file;
    void message(const QString&, const QString&, Icon) override {}
    bool confirm(const QString&, const QString&, Icon, Default) override { return false; }
    std::optional<QString> input(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> openFileName(const QString&) override { return file; }
    std::optional<QString> saveFileName(const QString&) override { return std::nullopt; }
    bool choosePrinter(QPrinter&) override { return false; }
};

struct Context {
    Context() {
        offscreenApplication();
        session.attachTimers(poll, status);
    }
    NoMeterBackend backend;
    photara::GuiMeterSession session{backend};
    QTimer poll, status;
    photara::Workspace workspace;
    FixedPrompts prompts;
    photara::SystemClock clock;
    photara::AppContext context{session, workspace, prompts, clock, nullptr};
};

void BM_ParseLargestSet(benchmark::State& state) {
    const std::string& text = largestSet();
    for (auto _ : state) {
        photara::DataSet set = photara::parseDataText(text);
        benchmark::DoNotOptimize(set);
    }
    state.counters["rows"] = static_cast<double>(photara::parseDataText(text).rowCount());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseLargestSet)->Unit(benchmark::kMillisecond);

// From the data text to a shown, painted list.
void BM_LoadDataList(benchmark::State& state) {
    Context c;
    for (auto _ : state) {
        auto* list = new photara::DataListWindow(c.context, largestSet());
        list->show();
        QCoreApplication::processEvents();
        state.PauseTiming();
        delete list;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadDataList)->Unit(benchmark::kMillisecond);

// One redraw of the plot at 1280 × 800: the geometry and the painting.
void BM_PlotRedraw(benchmark::State& state) {
    offscreenApplication();
    const photara::Samples samples = photara::parseDataText(largestSet()).samples;
    const photara::PlotSettings settings = photara::plotSettingsFor(samples);
    QImage image(1280, 800, QImage::Format_ARGB32_Premultiplied);
    const QFont font = photara::plotFont(QApplication::font());
    const photara::FontTextMetrics metrics(font);
    for (auto _ : state) {
        const photara::PlotDrawing drawing =
            photara::drawPlot(1280, 800, samples, settings, metrics);
        QPainter painter(&image);
        painter.fillRect(image.rect(), Qt::white);
        painter.setFont(font);
        photara::paintPlot(painter, drawing);
    }
}
BENCHMARK(BM_PlotRedraw)->Unit(benchmark::kMillisecond);

// Exploring the largest set in the plot window at its default size (a drawing area of
// 700 × 500): each redraw computes the view's geometry and paints it, as a wheel notch, a
// drag step or Home does. Every iteration shows another view, so nothing comes from the cache.
struct ExploredSet {
    ExploredSet() : samples(photara::parseDataText(largestSet()).samples),
                    settings(photara::plotSettingsFor(samples)), content(samples, settings) {
        content.setFont(photara::plotFont(QApplication::font()));
    }
    void redraw(QSizeF size, const photara::ViewRange& view) {
        QPainter painter(&image);
        content.paint(painter, QRectF(QPointF(0, 0), size), view);
    }
    photara::Samples samples;
    photara::PlotSettings settings;
    photara::SetPlotContent content;
    QImage image{701, 500, QImage::Format_RGB32};
};

// Wheel notches into the middle of the set, 0.8 of the span each, twenty deep, over again.
void BM_SetPlotZoomRedraw(benchmark::State& state) {
    offscreenApplication();
    ExploredSet set;
    const photara::ViewRange full = set.content.fullRange();
    int notch = 0;
    for (auto _ : state) {
        notch = notch % 20 + 1;
        const double half = (full.t1 - full.t0) / 2 * std::pow(0.8, notch);
        const double mid = (full.t0 + full.t1) / 2;
        set.redraw({700, 500}, {mid - half, mid + half, 0, 1});
    }
}
BENCHMARK(BM_SetPlotZoomRedraw)->Unit(benchmark::kMillisecond);

// A drag across a tenth of the set, a few pixels a step.
void BM_SetPlotPanRedraw(benchmark::State& state) {
    offscreenApplication();
    ExploredSet set;
    const photara::ViewRange full = set.content.fullRange();
    const double span = (full.t1 - full.t0) / 10;
    double t0 = full.t0;
    for (auto _ : state) {
        t0 += span / 100;
        if (t0 + span > full.t1) t0 = full.t0;
        set.redraw({700, 500}, {t0, t0 + span, 0.1, 0.9});
    }
}
BENCHMARK(BM_SetPlotPanRedraw)->Unit(benchmark::kMillisecond);

// Home: the whole set as the window first draws it (every reading a segment). The width
// alternates by a pixel, so each redraw computes the geometry again.
void BM_SetPlotHomeRedraw(benchmark::State& state) {
    offscreenApplication();
    ExploredSet set;
    const photara::ViewRange full = set.content.fullRange();
    int i = 0;
    for (auto _ : state) set.redraw({700.0 + (++i % 2), 500}, full);
}
BENCHMARK(BM_SetPlotHomeRedraw)->Unit(benchmark::kMillisecond);

// The Open command on a saved largest set, up to the plot window shown and painted.
void BM_OpenLargestFile(benchmark::State& state) {
    Context c;
    QTemporaryDir dir;
    c.prompts.file = dir.filePath("largest.pxd");
    {
        QFile file(c.prompts.file);
        file.open(QIODevice::WriteOnly);
        const std::string bytes = photara::dataFileBytes(largestSet());
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    photara::DataViews views(c.context);
    for (auto _ : state) {
        photara::runOpenCommand(c.context, views);
        QCoreApplication::processEvents();
    }
    state.counters["samples"] = static_cast<double>(c.workspace.samples.first.size());
}
BENCHMARK(BM_OpenLargestFile)->Unit(benchmark::kMillisecond);

}  // namespace
