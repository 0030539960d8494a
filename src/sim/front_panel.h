#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "sim/blink_codes.h"
#include "sim/display_frame.h"
#include "sim/logger_memory.h"
#include "sim/measure_functions.h"
#include "sim/meter_clock.h"
#include "sim/meter_settings.h"
#include "sim/recorder.h"
#include "sim/setting_menu.h"

namespace photara::sim {

// The meter's keys and what its display shows in each mode: measuring (with its functions
// and the clock in the small digits), the setting round, the logger read-back and the
// all-segments display test.
class FrontPanel {
  public:
    enum class Mode { Measure, Setting, Read, DisplayTest };

    FrontPanel(MeterClock& clock, MeterSettings& settings, LoggerMemory& memory);

    void press(std::uint8_t key);

    // The display at this moment (running functions take the current reading as a sample).
    DisplayFrame display();
    // What blinks; all zero outside the setting mode.
    BlinkCodes blink() const;

    Mode mode() const;
    bool recording() const { return recorder_.recording(); }
    const MeasureFunctions& functions() const { return functions_; }
    const SettingMenu& menu() const { return menu_; }

    // The luminance the sensor sees now, cd/m2.
    double luminance() const;
    // What the sensor is aimed at, by running seconds; empty: the drifting demo light. The
    // logger's own recordings keep the demo light.
    void setLight(std::function<double(double)> light) { light_ = std::move(light); }

  private:
    // A short text that replaces the reading for two seconds after some keys.
    struct Message {
        std::string main;    // positions 1..4
        int smallFirst = 0;  // first small position of `small`, 0 for none
        std::string small;
        int number = -1;    // positions 5..7 with "NO.", -1 for none
        bool zero = false;  // the ZERO legend and 0.000
        double until = -1;
    };

    void pressInMeasure(std::uint8_t key);
    void pressInMenu(std::uint8_t key);
    void pressInRead(std::uint8_t key);
    void toggleRecording();
    void say(Message message);

    void showCommon(DisplayFrame& frame) const;
    void showSmallDigits(DisplayFrame& frame) const;
    void showRead(DisplayFrame& frame) const;
    void showMessage(DisplayFrame& frame) const;
    DisplayFrame displayTest() const;
    std::uint8_t battery() const;

    MeterClock& clock_;
    MeterSettings& settings_;
    LoggerMemory& memory_;
    Recorder recorder_;
    std::function<double(double)> light_;
    SettingMenu menu_;
    MeasureFunctions functions_;
    bool displayTest_ = false;
    int readPage_ = -1;  // -1: not reading back; 0 summary; k: set k
    bool showDate_ = false;
    bool rangeHold_ = false;
    bool backlight_ = false;
    Message message_;
};

}  // namespace photara::sim
