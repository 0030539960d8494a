#pragma once

#include <cstdint>

#include "core/link/meter_link.h"

namespace photara {

// The display report: the LCD's characters, legends and annunciators.
MeterOutcome<Report> readDisplay(MeterLink& link);

// The blink report: which elements blink while the meter is in its setting mode.
MeterOutcome<Report> readBlink(MeterLink& link);

// Presses a key (code 0..kMaxKeyCode): the key report, sent write-only; no answer follows.
MeterOutcome<void> pressKey(MeterLink& link, std::uint8_t keyCode);

// Reads once and throws the answer away, so that an answer still waiting from an earlier
// request is not taken for the next one's. Precedes the logger, settings and clock exchanges.
// Its failure needs no handling: a meter that stays silent here is let go, and the exchange
// that follows reconnects and says whether the meter answered.
void discardWaitingAnswer(MeterLink& link);

}  // namespace photara
