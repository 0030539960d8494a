#include "sim/front_panel.h"

#include "sim/reading_format.h"
#include "sim/scene.h"

namespace photara::sim {

FrontPanel::FrontPanel(const MeterClock& clock, MeterSettings& settings)
    : clock_(clock), settings_(settings) {}

void FrontPanel::press(std::uint8_t) {}

double FrontPanel::luminance() const {
    return sceneLuminance(clock_.runningSeconds());
}

DisplayFrame FrontPanel::display() {
    DisplayFrame frame;
    frame.light(Annunciator::Usb);
    frame.light(Annunciator::Apo, settings_.autoPowerOff);
    showMainReading(frame, toUnit(luminance(), settings_.unit), settings_.unit);
    showClock(frame);
    return frame;
}

void FrontPanel::showClock(DisplayFrame& frame) const {
    const LocalDateTime t = clock_.now();
    frame.writeNumber(8, 9, t.hour, true);
    frame.writeNumber(10, 11, t.minute, true);
    frame.writeNumber(12, 13, t.second, true);
    frame.separator1 = Separator::Colon;
    frame.separator2 = Separator::Colon;
    frame.light(Annunciator::Hms);
}

BlinkCodes FrontPanel::blink() const {
    return {};
}

}  // namespace photara::sim
