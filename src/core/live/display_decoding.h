#pragma once

#include <cstdint>
#include <span>

namespace photara {

class DisplayModel;
class DisplayState;

// Everything one display report shows, in the order the poll tick applies it: unit legends,
// multiplier and points into the state; the annunciators into the state and onto the model;
// the 13 characters, the separators and the battery gauge onto the model. Blinking is not
// part of it (it needs the blink report). Codes outside the tables leave their element as it
// was; a report shorter than a whole one changes nothing.
void decodeDisplayReport(std::span<const std::uint8_t> report, DisplayState& state,
                         DisplayModel& model);

}  // namespace photara
