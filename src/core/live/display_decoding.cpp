#include "core/live/display_decoding.h"

#include "core/live/annunciators.h"
#include "core/live/character_step.h"
#include "core/live/legend_decoding.h"
#include "core/live/separators_and_battery.h"

namespace photara {

void decodeDisplayReport(std::span<const std::uint8_t> report, DisplayState& state,
                         DisplayModel& model) {
    decodeLegends(report, state);
    decodeAnnunciators(report, state);
    showAnnunciators(state, model);
    showCharacters(report, model);
    showSeparators(report, model);
    showBattery(report, model);
}

}  // namespace photara
