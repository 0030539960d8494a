#pragma once

#include <bitset>

#include "core/live/display_element.h"

namespace photara {

// The decoded meter display: one flag per element that a display report lights (unit,
// multiplier and decimal-point legends, the 42 annunciators). Each flag is named after the
// element it lights. Written only by the poll tick; never reset, so a code the tables don't
// list, or a missing report, leaves the flags as they were.
class DisplayState {
public:
    bool operator[](Element e) const { return flags_.test(index(e)); }
    void set(Element e, bool lit) { flags_.set(index(e), lit); }

    friend bool operator==(const DisplayState&, const DisplayState&) = default;

private:
    std::bitset<kElementCount> flags_;
};

}  // namespace photara
