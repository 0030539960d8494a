// One poll tick against the virtual meter: the display exchange, the decoding and the model
// update; and a tick in the setting mode, which adds the blink exchange and the blink step.
// The meter's answers are made in the same process, so the figures are the program's own
// cost per tick, not the USB round trip.
#include <benchmark/benchmark.h>

#include "core/common/local_time.h"
#include "core/link/meter_identity.h"
#include "core/link/meter_link.h"
#include "core/meter/display_ops.h"
#include "core/meter/poll_tick.h"
#include "sim/key_codes.h"
#include "sim/virtual_meter.h"
#include "sim/virtual_meter_backend.h"

namespace {

using namespace photara;

struct Rig {
    SystemClock clock;
    sim::VirtualMeter meter{clock};
    sim::VirtualMeterBackend backend{meter};
    MeterLink link{backend, kMeterVendorId, kMeterProductId};
    DisplayState state;
    DisplayModel model;
    PollTick tick{link, state, model};

    void press(sim::Key key) { (void)pressKey(link, static_cast<std::uint8_t>(key)); }
};

void runTicks(benchmark::State& bench, Rig& rig) {
    for (auto _ : bench) {
        benchmark::DoNotOptimize(rig.tick.run().ok());
        benchmark::DoNotOptimize(rig.model.takeChanges());
        rig.backend.clearLog();  // keeps the traffic log from growing with the iterations
    }
}

void BM_PollTick(benchmark::State& bench) {
    Rig rig;
    (void)rig.tick.run();  // connects
    if (rig.state[Element::LblSET]) bench.SkipWithError("the meter starts in the setting mode");
    runTicks(bench, rig);
}
BENCHMARK(BM_PollTick);

void BM_PollTickWhileSetIsLit(benchmark::State& bench) {
    Rig rig;
    (void)rig.tick.run();  // connects
    rig.press(sim::Key::Set);
    (void)rig.tick.run();
    if (!rig.state[Element::LblSET]) bench.SkipWithError("SET did not light");
    runTicks(bench, rig);
    if (!rig.state[Element::LblSET]) bench.SkipWithError("the meter left the setting mode");
}
BENCHMARK(BM_PollTickWhileSetIsLit);

}  // namespace
