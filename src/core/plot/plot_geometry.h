#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/datafile/samples.h"
#include "core/plot/plot_settings.h"

namespace photara {

// Text measurement of the surface the plot is drawn on, in its drawing units.
class TextMetrics {
  public:
    virtual ~TextMetrics() = default;
    virtual double width(std::string_view text) const = 0;
    virtual double height(std::string_view text) const = 0;
};

struct PlotColour {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const PlotColour&, const PlotColour&) = default;
};

namespace plot_colours {
inline constexpr PlotColour kBlack{0, 0, 0};
inline constexpr PlotColour kBlue{0, 0, 255};
inline constexpr PlotColour kGrid{200, 200, 200};
}  // namespace plot_colours

struct PlotPoint {
    double x = 0, y = 0;
    friend bool operator==(const PlotPoint&, const PlotPoint&) = default;
};

struct PlotLine {
    PlotPoint from, to;
    PlotColour colour;
    int width = 1;
    bool dotted = false;
};

// Text placed by its top-left corner. The text is the data's bytes (Latin-1).
struct PlotText {
    PlotPoint topLeft;
    PlotColour colour;
    std::string text;
};

// The widest label of each value scale (first: the blue one next to the plot; second: the
// black one left of it), which the room left of the plot must hold.
struct ScaleLabelWidths {
    double first = 0;
    double second = 0;
};

// Where the plot area lies in a client area, from its size, the size of time text 0 and the
// widths of the scale labels.
struct PlotLayout {
    double x0 = 0;           // left edge of the plot area
    double firstScaleX = 0;  // where each scale's labels and title are placed from
    double secondScaleX = 0;
    double y0 = 0;           // its bottom edge
    double width = 0;        // W
    double height = 0;       // H
    double labelWidth = 0;   // TW
    double labelHeight = 0;  // TH
    int labelBudget = 0;     // time labels between the first and the last
};

// Everything one redraw draws, in the order it is drawn.
struct PlotDrawing {
    PlotLayout layout;
    std::vector<PlotLine> frame;       // axes, scale ticks, horizontal grid
    std::vector<PlotText> scaleTexts;  // scale labels and the titles "cd" and "Fl"
    std::vector<PlotLine> timeMarks;   // per labelled step: a tick and a vertical grid line
    std::vector<PlotText> timeLabels;
    // Polylines, blue and black; a single point is a lone reading, drawn as a dot.
    std::vector<PlotPoint> firstCurve;
    std::vector<PlotPoint> secondCurve;
};

// The scales sit 60 units apart, the first 60 left of the plot, each label a quarter of its
// width left of its scale's place; wider labels (a larger font) move them apart and the plot
// right, so that no two labels, nor a label and the plot's ticks, overlap.
PlotLayout plotLayout(double clientWidth, double clientHeight, const TextMetrics& metrics,
                      std::string_view firstTimeText, ScaleLabelWidths scaleLabels = {});

// The widths of the labels the scales of these settings show with this many decimals.
ScaleLabelWidths scaleLabelWidths(const PlotSettings& settings, const TextMetrics& metrics,
                                  int decimals = 2);

// a ÷ b rounded to four decimals and kept within 0 … 1, so a position never lies beyond
// either end of its axis. A zero b (a range whose maximum equals its minimum) gives 0 for
// a ≤ 0 and 1 above, the limit of the quotient; not-a-number gives 0.
double scaledFraction(double a, double b);

// The layout, the axes with their ticks and horizontal grid, and the scale labels and
// titles, without the curves and the time axis; the scale labels keep scaleDecimals digits
// after the point.
PlotDrawing drawPlotAxes(double clientWidth, double clientHeight, std::string_view firstTimeText,
                         const PlotSettings& settings, const TextMetrics& metrics,
                         int scaleDecimals = 2);

// The whole drawing for a client area of the given size.
PlotDrawing drawPlot(double clientWidth, double clientHeight, const Samples& samples,
                     const PlotSettings& settings, const TextMetrics& metrics);

}  // namespace photara
