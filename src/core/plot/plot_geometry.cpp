#include "core/plot/plot_geometry.h"

#include <algorithm>
#include <cmath>

#include "core/plot/decimal_text.h"

namespace photara {
namespace {

using plot_colours::kBlack;
using plot_colours::kBlue;
using plot_colours::kGrid;

constexpr double kScaleSpacing = 60;  // between the scales, and from the first to the plot
constexpr double kSecondScaleX = 20;
constexpr double kTickReach = 10;     // the scale's longer ticks, left of the plot
constexpr double kTickClearance = 2;
constexpr double kTitleRise = 25;     // a scale's title above the plot's top
constexpr double kBottomMargin = 27;
constexpr double kVerticalMargin = 100;
constexpr double kLabelGap = 10;
constexpr int kScaleTicks = 16;
constexpr int kScaleLabels = 8;

void addFrame(PlotDrawing& d) {
    const PlotLayout& l = d.layout;
    d.frame.push_back({{l.x0 - 2, l.y0 + 5}, {l.x0 - 2, l.y0 - l.height - 5}, kBlack, 2, false});
    d.frame.push_back({{l.x0 - 2, l.y0 + 6}, {l.x0 + l.width + 2, l.y0 + 6}, kBlack, 2, false});
    for (int k = 0; k <= kScaleTicks; ++k) {
        const double y = l.y0 - k * l.height / kScaleTicks;
        d.frame.push_back({{l.x0 - 2, y}, {l.x0 - 7, y}, kBlack, 1, false});
        if (k % 2 == 0) {
            d.frame.push_back({{l.x0 - 2, y}, {l.x0 - 10, y}, kBlack, 1, false});
            d.frame.push_back({{l.x0, y}, {l.x0 + l.width, y}, kGrid, 1, true});
        }
    }
}

std::string scaleLabel(const ValueRange& range, int j, int decimals) {
    return truncatedDecimal(range.minimum + (range.maximum - range.minimum) * j / kScaleLabels,
                            decimals);
}

void addScaleTexts(PlotDrawing& d, const PlotSettings& s, const TextMetrics& metrics,
                   int decimals) {
    const PlotLayout& l = d.layout;
    auto label = [&](const ValueRange& range, int j, double left, PlotColour colour) {
        std::string text = scaleLabel(range, j, decimals);
        const double y = l.y0 - j * l.height / kScaleLabels - metrics.height(text) / 2;
        const double x = left - metrics.width(text) / 4;
        d.scaleTexts.push_back({{x, y}, colour, std::move(text)});
    };
    for (int j = 0; j <= kScaleLabels; ++j) {
        label(s.first, j, l.firstScaleX, kBlue);
        label(s.second, j, l.secondScaleX, kBlack);
    }
    // Above the top label, which reaches half its height above the plot.
    const double titleHeight = metrics.height("cd");
    const double titleY = l.y0 - l.height - std::max(kTitleRise, 1.5 * titleHeight);
    d.scaleTexts.push_back({{l.firstScaleX, titleY}, kBlue, "cd"});
    d.scaleTexts.push_back({{l.secondScaleX, titleY}, kBlack, "Fl"});
}

// A sample index from a setting, kept where a loop over it stays finite.
long long sampleIndex(double setting, std::size_t count) {
    if (std::isnan(setting)) return 0;
    const double limit = static_cast<double>(count) + 1;
    return static_cast<long long>(std::clamp(std::trunc(setting), -1.0, limit));
}

double curveY(const PlotLayout& l, double value, const ValueRange& range) {
    const double raised = value < range.minimum ? range.minimum : value;
    return l.y0 - l.height * scaledFraction(raised - range.minimum, range.maximum - range.minimum);
}

void addCurvesAndTimeAxis(PlotDrawing& d, const Samples& samples, const PlotSettings& s) {
    const PlotLayout& l = d.layout;
    const std::size_t count =
        std::min({samples.timeTexts.size(), samples.first.size(), samples.second.size()});
    const long long first = sampleIndex(s.shownFirst, count);
    const long long last = sampleIndex(s.shownLast, count);
    const double m = static_cast<double>(last - 1);
    auto x = [&](long long i) {
        return l.x0 + l.width * scaledFraction(static_cast<double>(i), m);
    };

    const double labelY = l.y0 + l.labelHeight - 2;
    const double halfLabel = l.labelWidth / 2;
    int budget = l.labelBudget;
    double nextFreeX = l.x0 - halfLabel + l.labelWidth + kLabelGap;
    const double gridBottom = scaledFraction(0, s.second.maximum - s.second.minimum);
    const double gridTop = scaledFraction(s.second.maximum, s.second.maximum - s.second.minimum);

    auto mark = [&](double at) {
        d.timeMarks.push_back({{at, l.y0 + 5}, {at, l.y0 + 12}, kBlack, 1, false});
        d.timeMarks.push_back(
            {{at, l.y0 - l.height * gridBottom}, {at, l.y0 - l.height * gridTop}, kGrid, 1, true});
    };
    auto label = [&](long long i, double left) {
        if (i >= 0 && static_cast<std::size_t>(i) < samples.timeTexts.size())
            d.timeLabels.push_back({{left, labelY}, kBlack, samples.timeTexts[i]});
    };

    // Steps past the last sample have nothing to draw; stopping there keeps the loop finite.
    const long long end = std::min(last - 1, static_cast<long long>(count) - 1);
    for (long long i = first; i <= end; ++i) {
        const double xi = x(i);
        if (i == first) {
            label(0, l.x0 - halfLabel);
            mark(xi);
        } else if (i == last - 1) {
            label(i, l.x0 + l.width - halfLabel - 5);
            mark(xi);
        } else if (budget > 0 && xi - halfLabel > nextFreeX) {
            --budget;
            nextFreeX = xi + halfLabel + kLabelGap;
            label(i, xi - halfLabel);
            mark(xi);
        }
    }

    // A lone reading has no step to join it to the next: it stands in the middle of the
    // plot with its time as the axis' one label, so a set of one reading is not an empty graph.
    if (last == first && end == first - 1 && end >= 0) {
        const double middle = l.x0 + l.width / 2;
        label(end, middle - halfLabel);
        mark(middle);
        d.firstCurve.push_back({middle, curveY(l, samples.first[end], s.first)});
        d.secondCurve.push_back({middle, curveY(l, samples.second[end], s.second)});
        return;
    }

    // Step i joins samples i − 1 and i, so the curves run from sample first − 1 to end.
    if (end < first) return;
    const long long from = std::max(first - 1, 0LL);
    d.firstCurve.reserve(static_cast<std::size_t>(end - from + 1));
    d.secondCurve.reserve(static_cast<std::size_t>(end - from + 1));
    for (long long j = from; j <= end; ++j) {
        const double xj = x(j);
        d.firstCurve.push_back({xj, curveY(l, samples.first[j], s.first)});
        d.secondCurve.push_back({xj, curveY(l, samples.second[j], s.second)});
    }
}

}  // namespace

PlotLayout plotLayout(double clientWidth, double clientHeight, const TextMetrics& metrics,
                      std::string_view firstTimeText, ScaleLabelWidths scaleLabels) {
    PlotLayout l;
    l.labelWidth = metrics.width(firstTimeText);
    l.labelHeight = metrics.height(firstTimeText);
    // A label reaches a quarter of its width left of its scale's place and three quarters
    // right of it.
    const double first = scaleLabels.first, second = scaleLabels.second;
    l.secondScaleX = std::max(kSecondScaleX, second / 4);
    l.firstScaleX = l.secondScaleX + std::max(kScaleSpacing, 0.75 * second + first / 4);
    l.x0 = l.firstScaleX + std::max(kScaleSpacing, 0.75 * first + kTickReach + kTickClearance);
    l.y0 = clientHeight - kBottomMargin;
    l.width = clientWidth - l.x0 - l.labelWidth / 2;
    l.height = clientHeight - kVerticalMargin;
    const double budget =
        std::floor((l.width - l.labelWidth - kLabelGap) / (l.labelWidth + kLabelGap));
    l.labelBudget = std::isfinite(budget) ? static_cast<int>(std::clamp(budget, 0.0, 1e6)) : 0;
    return l;
}

double scaledFraction(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) return 0;
    if (b == 0) return a > 0 ? 1 : 0;
    const double q = std::round(a / b * 10000) / 10000;
    if (std::isnan(q)) return 0;
    return std::clamp(q, 0.0, 1.0);
}

ScaleLabelWidths scaleLabelWidths(const PlotSettings& settings, const TextMetrics& metrics,
                                  int decimals) {
    ScaleLabelWidths widths;
    for (int j = 0; j <= kScaleLabels; ++j) {
        widths.first = std::max(widths.first, metrics.width(scaleLabel(settings.first, j, decimals)));
        widths.second =
            std::max(widths.second, metrics.width(scaleLabel(settings.second, j, decimals)));
    }
    widths.first = std::max(widths.first, metrics.width("cd"));
    widths.second = std::max(widths.second, metrics.width("Fl"));
    return widths;
}

PlotDrawing drawPlotAxes(double clientWidth, double clientHeight, std::string_view firstTimeText,
                         const PlotSettings& settings, const TextMetrics& metrics,
                         int scaleDecimals) {
    PlotDrawing d;
    d.layout = plotLayout(clientWidth, clientHeight, metrics, firstTimeText,
                          scaleLabelWidths(settings, metrics, scaleDecimals));
    addFrame(d);
    addScaleTexts(d, settings, metrics, scaleDecimals);
    return d;
}

PlotDrawing drawPlot(double clientWidth, double clientHeight, const Samples& samples,
                     const PlotSettings& settings, const TextMetrics& metrics) {
    const std::string_view firstTimeText =
        samples.timeTexts.empty() ? std::string_view() : std::string_view(samples.timeTexts[0]);
    PlotDrawing d = drawPlotAxes(clientWidth, clientHeight, firstTimeText, settings, metrics);
    addCurvesAndTimeAxis(d, samples, settings);
    return d;
}

}  // namespace photara
