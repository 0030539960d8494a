#include "app/meter_wiring.h"

#include "sim/virtual_meter.h"
#include "sim/virtual_meter_backend.h"
#ifdef PHOTARA_HAVE_DEVICE
#include "device/hidapi_backend.h"
#endif

namespace photara {

MeterBackend makeMeterBackend(bool virtualMeter, const Clock& clock) {
    MeterBackend result;
    if (virtualMeter) {
        result.virtualMeter = std::make_unique<sim::VirtualMeter>(clock);
        auto backend = std::make_unique<sim::VirtualMeterBackend>(*result.virtualMeter);
        result.virtualBackend = backend.get();
        result.backend = std::move(backend);
        return result;
    }
#ifdef PHOTARA_HAVE_DEVICE
    result.backend = std::make_unique<HidApiBackend>();
#endif
    return result;
}

bool usbAvailable() {
#ifdef PHOTARA_HAVE_DEVICE
    return true;
#else
    return false;
#endif
}


}  // namespace photara
