#include "sim/virtual_meter.h"

namespace photara::sim {

VirtualMeter::VirtualMeter(const Clock&) {}
VirtualMeter::~VirtualMeter() = default;
void VirtualMeter::receive(std::span<const std::uint8_t>) {}
std::optional<Report> VirtualMeter::takeInputReport() { return std::nullopt; }

}  // namespace photara::sim
