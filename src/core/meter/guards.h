#pragma once

#include <optional>
#include <string>

#include "core/live/annunciators.h"
#include "core/live/display_element.h"
#include "core/live/display_state.h"

namespace photara {

// Why a command refuses to start. Every front end asks these same functions, so each refuses
// the same things for the same reasons.
struct Refusal {
    enum class Reason {
        NotConnected,  // no meter
        Busy,          // the meter is in a mode the command must not interrupt; `lit` says which
    };
    Reason reason = Reason::NotConnected;
    Element lit = Element::LblREC;  // with Busy: the first lit annunciator that refuses

    friend bool operator==(const Refusal&, const Refusal&) = default;
};

// The commands that change the logger or the meter's clock (erase, sampling time, recording
// period, clock): the meter must be connected and neither recording (REC) nor recording to
// memory (the A of the AMR group).
std::optional<Refusal> refuseSettings(bool connected, const DisplayState& display);

// Reading the logger's memory and directory needs the meter out of every measuring mode as
// well: none of REC, SET, CMP, delta, %A, %, REF, ACC, the AMR group, A/B, B-A, A, B, MX, MN
// and AVG may be lit.
std::optional<Refusal> refuseMemory(bool connected, const DisplayState& display);

// Downloading a listed set: neither REC nor the A of the AMR group lit. (Its directory was
// read under refuseMemory; the transfer itself says whether the meter answers.)
std::optional<Refusal> refuseDownload(const DisplayState& display);

// Whether the display shows a logger recording under way (REC or the A of the AMR group lit);
// when it ends, the meter stores the recording as a new set.
bool showsLoggerRecording(const DisplayState& display);

// Whether a refusal is for a logger recording under way (REC or AMR-A), which the user ends by
// stopping the recording, rather than a measuring or setting mode, which the user leaves.
bool refusedForLoggerRecording(const Refusal& refusal);

// A sentence for a person: "no meter is connected", "the meter's logger is recording (REC is
// lit)".
std::string refusalText(const Refusal& refusal);

}  // namespace photara
