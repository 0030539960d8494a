// Downloading a logger set from the virtual meter (no latency): the assembler's cost per
// 64-byte block, and the user's whole wait for the largest set, data list included.
#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QMainWindow>
#include <QTableWidget>
#include <QTimer>

#include "ui/base/app_context.h"
#include "ui/base/gui_meter_session.h"
#include "ui/base/prompts.h"
#include "ui/commands/logger_commands.h"
#include "ui/base/workspace.h"
#include "ui/datalist/data_views.h"
#include "core/link/meter_identity.h"
#include "core/link/meter_link.h"
#include "core/live/display_state.h"
#include "core/logger/directory.h"
#include "core/meter/display_ops.h"
#include "core/meter/logger_ops.h"
#include "ui/logger/memory_window.h"
#include "offscreen_application.h"
#include "sim/logger_memory.h"
#include "sim/virtual_meter.h"
#include "sim/virtual_meter_backend.h"

namespace {

using namespace photara;

class FixedClock final : public Clock {
  public:
    LocalDateTime now() const override { return {2026, 12, 8, 1, 0, 0, 0}; }
};

// A meter holding only the largest set that fits the download buffer.
sim::LoggerMemory largestSetOnly() {
    sim::LoggerMemory memory;
    memory.add({{2026, 12, 5, 8, 0, 0}, sim::largestFittingSampleCount(), 1, 86.0, 14});
    return memory;
}

struct MeterOnLink {
    FixedClock clock;
    sim::VirtualMeter meter{clock, largestSetOnly()};
    sim::VirtualMeterBackend backend{meter};
    MeterLink link{backend, kMeterVendorId, kMeterProductId};
    std::string identifier =
        setIdentifier(sim::LoggerMemory::directoryEntry(meter.logger().recipe(0).start));
    std::uint64_t blocks = (meter.logger().text(0).size() + 63) / 64;

    MeterOnLink() { (void)readDisplay(link); }
};

// The download assembler over the link: size request, data request, every block appended.
void BM_DownloadLargestSet(benchmark::State& state) {
    MeterOnLink m;
    for (auto _ : state) {
        MeterOutcome<DownloadedSet> result = downloadSet(m.link, m.identifier);
        if (!result) {
            state.SkipWithError("download failed");
            break;
        }
        benchmark::DoNotOptimize(result->text.data());
    }
    state.counters["blocks"] = static_cast<double>(m.blocks);
    state.counters["per_block"] = benchmark::Counter(
        static_cast<double>(m.blocks),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_DownloadLargestSet)->Unit(benchmark::kMillisecond);

// The same exchanges without the assembler: what the link and the virtual meter cost alone,
// so the difference is the download's own cost.
void BM_SameReportsWithoutAssembler(benchmark::State& state) {
    MeterOnLink m;
    for (auto _ : state) {
        const auto id = identifierRequestBytes(m.identifier);
        benchmark::DoNotOptimize(m.link.exchange(Request(Command::SetSize).withArguments(id)).ok());
        benchmark::DoNotOptimize(m.link.exchange(Request(Command::SetData).withArguments(id)).ok());
        for (std::uint64_t j = 1; j <= m.blocks; ++j) benchmark::DoNotOptimize(m.link.receive().ok());
    }
    state.counters["per_block"] = benchmark::Counter(
        static_cast<double>(m.blocks),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_SameReportsWithoutAssembler)->Unit(benchmark::kMillisecond);

// A click on the set in the logger window until the data list shows it: the download with
// its progress bar and pending events after every block, then the data list opening.
void BM_ClickToDataList(benchmark::State& state) {
    offscreenApplication();
    MeterOnLink m;
    GuiMeterSession session{m.backend};
    QMainWindow panel;
    panel.setCentralWidget(new QWidget(&panel));
    auto* eraseList = new QComboBox(panel.centralWidget());
    QTimer poll;
    QTimer status;
    Workspace workspace;
    QtPrompts prompts(&panel);
    session.attachTimers(poll, status);
    (void)session.poll();  // connects, as the panel's first tick does
    AppContext context{session, workspace, prompts, m.clock, &panel};
    DataViews views(context);
    LoggerCommands commands(context, views, *eraseList);
    commands.runMemory();
    MemoryWindow* window = commands.loggerWindow();
    if (!window) {
        state.SkipWithError("logger window did not open");
        return;
    }
    for (auto _ : state) {
        emit window->grid().cellClicked(0, 0);
        if (!views.dataListOpen() || workspace.dataText.size() != m.blocks * 64)
            state.SkipWithError("download did not reach the data list");
    }
    poll.stop();
    status.stop();
    state.counters["blocks"] = static_cast<double>(m.blocks);
}
BENCHMARK(BM_ClickToDataList)->Unit(benchmark::kMillisecond);

}  // namespace
