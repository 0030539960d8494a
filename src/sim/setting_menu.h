#pragma once

#include "sim/blink_codes.h"
#include "sim/display_frame.h"
#include "sim/logger_memory.h"
#include "sim/meter_clock.h"
#include "sim/meter_settings.h"

namespace photara::sim {

// What the setting items edit: the meter's settings, its clock, and the answer to "CLr",
// which erases the memory when the item is left with "YES".
struct SettingTarget {
    MeterSettings& settings;
    MeterClock& clock;
    bool clearConfirmed = false;
};

// The meter's setting mode: a fixed round of items, one shown at a time with the part being
// edited blinking. ENTER goes to the next item (after the last one the mode ends), the
// change keys step the edited value. Each item is one row of a table: how it changes, what
// it shows and what blinks.
class SettingMenu {
  public:
    enum class Item {
        Unit,
        RangePoint,
        AutoPowerOff,
        Backlight,
        TimeHold,
        Caf,
        Ccf,
        HighLimit,
        LowLimit,
        RecordMode,
        SamplingTime,
        RecordingPeriod,
        Year,
        Month,
        Day,
        Hour,
        Minute,
        Second,
        ClearMemory,
    };
    static constexpr int kItemCount = 19;

    SettingMenu(MeterSettings& settings, MeterClock& clock, LoggerMemory& memory);

    void open();
    // Next item; false when the round is over and the mode ends.
    bool next();
    void close();                // leaves the mode, applying what needs applying
    void change(int direction);  // +1 or -1

    bool isOpen() const { return open_; }
    Item item() const { return item_; }

    void show(DisplayFrame& frame, double cdPerM2) const;
    BlinkCodes blink(double cdPerM2) const;

  private:
    void leaveItem();

    SettingTarget target_;
    LoggerMemory& memory_;
    bool open_ = false;
    Item item_ = Item::Unit;
};

}  // namespace photara::sim
