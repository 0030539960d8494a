// How long the panel takes to show one poll's result: copying the display model's changes
// onto the widgets. A tick comes every 250 ms; the copy must be a small part of that.
#include <benchmark/benchmark.h>

#include <string>

#include "core/common/local_time.h"
#include "core/live/display_model.h"
#include "offscreen_application.h"
#include "ui/panel/panel.h"

namespace {

// Every element changes: captions of all labels and the visibility of every element flip.
void BM_ShowModelAllChanged(benchmark::State& state) {
    offscreenApplication();
    photara::DisplayModel model;
    photara::SystemClock clock;
    photara::Panel panel(model, clock);
    panel.show();
    panel.showModel();
    bool phase = false;
    for (auto _ : state) {
        phase = !phase;
        for (std::size_t i = 0; i < photara::kElementCount; ++i) {
            const auto element = static_cast<photara::Element>(i);
            model.setCaption(element, phase ? "8" : "0");
            model.setVisible(element, phase);
        }
        panel.showModel();
        QCoreApplication::processEvents();  // includes the repaint the changes cause
    }
}
BENCHMARK(BM_ShowModelAllChanged)->Unit(benchmark::kMicrosecond);

// The usual tick: the last digit of the reading and the seconds of the clock change.
void BM_ShowModelTypicalTick(benchmark::State& state) {
    offscreenApplication();
    photara::DisplayModel model;
    photara::SystemClock clock;
    photara::Panel panel(model, clock);
    panel.show();
    panel.showModel();
    QCoreApplication::processEvents();
    int n = 0;
    for (auto _ : state) {
        ++n;
        model.setCaption(photara::Element::LblSeg4, std::to_string(n % 10));
        model.setCaption(photara::Element::LblSeg13, std::to_string((n + 3) % 10));
        model.setCaption(photara::Element::LblSeg12, std::to_string(n / 10 % 6));
        panel.showModel();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_ShowModelTypicalTick)->Unit(benchmark::kMicrosecond);

// The copy alone, without painting: what showModel itself costs.
void BM_ShowModelTypicalTickNoPaint(benchmark::State& state) {
    offscreenApplication();
    photara::DisplayModel model;
    photara::SystemClock clock;
    photara::Panel panel(model, clock);
    panel.showModel();
    int n = 0;
    for (auto _ : state) {
        ++n;
        model.setCaption(photara::Element::LblSeg4, std::to_string(n % 10));
        model.setCaption(photara::Element::LblSeg13, std::to_string((n + 3) % 10));
        panel.showModel();
    }
}
BENCHMARK(BM_ShowModelTypicalTickNoPaint)->Unit(benchmark::kMicrosecond);

}  // namespace
