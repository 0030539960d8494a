#include "app/meter_wiring.h"

#include "core/live/display_model.h"
#include "core/meter/display_ops.h"
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

std::function<void(std::uint8_t)> makeKeySender(MeterLink& link) {
    // A key pressed while the meter is away is lost; the poll shows the meter's absence.
    return [&link](std::uint8_t keyCode) { (void)pressKey(link, keyCode); };
}

MeterLink::Listener makeLinkListener(DisplayModel& model,
                                     std::function<void(const QString&)> addResultLine) {
    MeterLink::Listener listener;
    listener.noConnection = [&model] { model.setCaption(Element::LblName, " No Connection"); };
    listener.readError = [add = std::move(addResultLine)] {
        if (add) add(QStringLiteral("Readfile undefined error"));
    };
    return listener;
}

}  // namespace photara
