#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

#include "core/link/hid_backend.h"
#include "core/link/meter_link.h"
#include "sim/virtual_meter.h"

namespace photara {
namespace sim {
class VirtualMeterBackend;
}

class Clock;
class DisplayModel;

// The meter the program talks to: a USB meter through hidapi, or a virtual meter inside the
// program. Either way the rest of the program sees only a HidBackend.
struct MeterBackend {
    std::unique_ptr<sim::VirtualMeter> virtualMeter;  // set only for the virtual meter
    std::unique_ptr<HidBackend> backend;              // null when this build has no USB
    sim::VirtualMeterBackend* virtualBackend = nullptr;  // backend, when virtual: its faults
};
// The virtual meter keeps a reference to clock, which must outlive it.
MeterBackend makeMeterBackend(bool virtualMeter, const Clock& clock);
// Whether this build can reach a USB meter.
bool usbAvailable();

}  // namespace photara
