// Feeds arbitrary bytes to the live reading as display reports and blink reports, in turns,
// over one display state and model, so blink episodes run across several reports. Each
// whole 65-byte chunk is a report; the raw input is also fed as it is, at any length.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/live/blink_step.h"
#include "core/live/display_decoding.h"
#include "core/live/display_model.h"
#include "core/live/display_state.h"
#include "core/protocol/report.h"

namespace {

using namespace photara;

void decodeDisplay(std::span<const std::uint8_t> report, DisplayState& state, DisplayModel& model,
                   BlinkStep& blink) {
    // As the poll tick does: the report, then steady elements while SET is not lit.
    decodeDisplayReport(report, state, model);
    if (!state[Element::LblSET]) blink.showSteady();
}

// No code shows more than three characters in a position.
void checkCaptions(const DisplayModel& model) {
    for (const Element e : kDigitPositions)
        if (model.caption(e).size() > 3) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> input(data, size);
    DisplayState state;
    DisplayModel model;
    BlinkStep blink(state, model);

    // The raw input, whatever its length.
    decodeDisplay(input, state, model, blink);
    blink.apply(input);
    checkCaptions(model);

    // Then 65-byte chunks (the last padded with zeros): display, blink, display, ...
    bool displayTurn = true;
    for (std::size_t at = 0; at < size; at += kReportSize) {
        Report report{};
        const std::size_t n = std::min(kReportSize, size - at);
        std::copy_n(data + at, n, report.begin());
        if (displayTurn)
            decodeDisplay(report, state, model, blink);
        else
            blink.apply(report);
        displayTurn = !displayTurn;
        checkCaptions(model);
    }
    return 0;
}
