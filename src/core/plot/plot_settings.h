#pragma once

namespace photara {

struct ValueRange {
    double minimum = 0;
    double maximum = 0;
    friend bool operator==(const ValueRange&, const ValueRange&) = default;
};

// What the graph is drawn with. Set by whoever opens the plot, changed by its range dialog;
// outlives the plot window.
struct PlotSettings {
    ValueRange first;                     // scale titled "cd"
    ValueRange second;                    // scale titled "Fl"
    ValueRange alternateSecond{0, 9999};  // second range in the other unit
    double sampleCount = 0;               // N
    double shownFirst = 1;                // shown sample range
    double shownLast = 0;
    double fullCount = 0;  // copy of N
    friend bool operator==(const PlotSettings&, const PlotSettings&) = default;
};

}  // namespace photara
