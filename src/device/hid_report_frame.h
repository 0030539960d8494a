#pragma once

#include <cstdint>
#include <span>

#include "core/link/hid_backend.h"
#include "core/protocol/report.h"

namespace photara {

// How the meter's reports travel through hidapi. The meter declares no report ids, so:
// - an output report is written as 65 bytes, report id 0 first, then the 64 data bytes;
// - a read returns the 64 data bytes alone, which become bytes 1..64 of the report.

// The 65 bytes to hand to hid_write for `report` (byte 0 = report id 0, bytes 1..64 the
// request; a shorter report is padded with zeros).
Report outputFrame(std::span<const std::uint8_t> report);

// Turns what hid_read_timeout gave (`result` as it returned, `data` the buffer it filled)
// into a read status, filling `report` only when a whole report arrived. A short report
// (1..63 bytes) counts as a failed read: the meter always sends 64 bytes, and a partial
// answer handed on would mix new bytes with old ones.
ReadStatus placeInputReport(int result, std::span<const std::uint8_t> data, Report& report);

}  // namespace photara
