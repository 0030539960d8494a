#pragma once

#include "sim/display_frame.h"

namespace photara::sim {

// What the user set on the meter; kept while it runs.
struct MeterSettings {
    Unit unit = Unit::CdPerM2;
    bool autoPowerOff = true;
    int backlightSeconds = 30;  // 0 = the backlight stays on until LIGHT is pressed again
    int timeHoldSeconds = 0;    // 0 = off
    int heldPointAfter = -1;    // range hold's decimal point (-1: auto range)
    double caf = 1.000;         // calibration factors, shown with a data set
    double ccf = 1.000;
    double highLimit = 2000.0;  // comparator limits, cd/m2
    double lowLimit = 50.0;
    int samplingSeconds = 1;          // logger: one sample every so many seconds
    int recordingPeriod = 600;        // logger: a recording ends after so many seconds...
    bool recordUntilStopped = false;  // ...unless it runs until MEM is pressed again
};

}  // namespace photara::sim
