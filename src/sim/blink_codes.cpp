#include "sim/blink_codes.h"

namespace photara::sim {

Report composeBlinkReport(const BlinkCodes& codes) {
    Report r{};
    r[1] = codes.unit;
    r[2] = codes.digits;
    r[3] = codes.point;
    r[4] = codes.indicator;
    return r;
}

}  // namespace photara::sim
