#pragma once

#include <optional>

#include "sim/display_frame.h"

namespace photara::sim {

// The meter's measuring functions over the sensor's reading: hold and peak hold, max/min,
// average, relative (Delta, %), accumulation, comparator and the A/B memories. All values
// are kept in cd/m2 and converted to the display unit when shown.
class MeasureFunctions {
  public:
    enum class Function {
        Plain,
        Max,
        Min,
        MaxMinusMin,
        Average,
        Delta,
        Percent,
        Accumulate,
        Compare,
        ShowA,
        ShowB,
        AOverB,
        BMinusA,
        PercentOfA,
    };
    enum class Hold { Off, Hold, Peak };

    // Takes the sensor's reading at a moment (seconds of the meter's running time).
    void sample(double cdPerM2, double seconds);

    // Key actions.
    void cycleHold();
    void cycleMaxMin();
    void toggleAverage();
    void cycleRelative(bool toStoredRef);
    void storeRef();
    void clearRef() { ref_.reset(); }
    void toggleAccumulate();
    void toggleCompare();
    void storeA();
    void pressB();
    void clear();  // back to the plain reading

    Function function() const { return function_; }
    Hold hold() const { return hold_; }
    bool refStored() const { return ref_.has_value(); }

    // The value the functions put in the main reading (cd/m2, or a plain number when the
    // function shows a ratio or percentage), and the legends that go with it.
    void show(DisplayFrame& frame, Unit unit, int heldPointAfter, double highLimit,
              double lowLimit) const;

    // The reading the functions work on: the sensor's, or the held or peak value.
    double input() const;

  private:
    void resetStatistics();
    void setFunction(Function f);

    Function function_ = Function::Plain;
    Hold hold_ = Hold::Off;
    double live_ = 0;
    double now_ = 0;
    double held_ = 0;
    double peak_ = 0;
    double max_ = 0;
    double min_ = 0;
    double sum_ = 0;
    long long count_ = 0;
    double accumulated_ = 0;  // cd/m2 * s
    double accumulateStart_ = 0;
    double lastSample_ = -1;
    double relativeRef_ = 0;
    std::optional<double> ref_;
    std::optional<double> a_;
    std::optional<double> b_;
};

}  // namespace photara::sim
