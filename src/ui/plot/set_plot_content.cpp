#include "ui/plot/set_plot_content.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ui/base/latin1.h"
#include "ui/plotview/envelope_lines.h"
#include "ui/plotview/value_text.h"

namespace photara {
namespace {

constexpr double kLabelGap = 10;  // between two time labels, as the full drawing keeps
const QString kCdTitle = QStringLiteral("cd");
const QString kFlTitle = QStringLiteral("Fl");

// Where a value lies on a scale, 0 at its minimum and 1 at its maximum: below the minimum
// it is drawn on the minimum and above the maximum on the maximum, as the full drawing does
// (there through scaledFraction, whose four decimals would be too coarse for a deep zoom).
double scaleFraction(double value, const ValueRange& range) {
    const double a = std::max(value, range.minimum) - range.minimum;
    const double b = range.maximum - range.minimum;
    if (std::isnan(a) || std::isnan(b)) return 0;
    if (b == 0) return a > 0 ? 1 : 0;
    return std::clamp(a / b, 0.0, 1.0);
}

// The part of a scale between the fractions v0 and v1.
ValueRange visiblePart(const ValueRange& range, double v0, double v1) {
    const double span = range.maximum - range.minimum;
    return {range.minimum + span * v0, range.minimum + span * v1};
}

// Enough decimals on the scale labels that neighbouring levels of a zoomed scale differ.
int scaleDecimals(const ValueRange& a, const ValueRange& b) {
    const double step = std::min(std::fabs(a.maximum - a.minimum), std::fabs(b.maximum - b.minimum)) / 8;
    if (!(step > 0) || !std::isfinite(step)) return 2;
    return std::clamp(static_cast<int>(std::ceil(-std::log10(step))) + 1, 2, 6);
}

// The label step in samples: 1, 2 or 5 times a power of ten, so that labels keep apart and
// stay on the same samples while the view pans.
long long labelStep(double samplesPerLabel) {
    for (long long power = 1; power < (1LL << 50); power *= 10)
        for (const long long m : {1, 2, 5})
            if (static_cast<double>(m * power) >= samplesPerLabel) return m * power;
    return 1LL << 50;
}

Series seriesOf(const std::vector<double>& values, std::size_t from, std::size_t to) {
    Series s;
    for (std::size_t i = from; i < to; ++i) s.append(static_cast<double>(i), values[i]);
    return s;
}

// The samples the drawing joins: from sample first − 1 to last − 1 (the shown range).
std::pair<std::size_t, std::size_t> shownSpan(const Samples& samples, const PlotSettings& s) {
    const std::size_t count =
        std::min({samples.timeTexts.size(), samples.first.size(), samples.second.size()});
    auto index = [count](double setting) {
        return std::isnan(setting)
                   ? std::size_t{0}
                   : static_cast<std::size_t>(std::clamp(std::trunc(setting), 0.0, static_cast<double>(count)));
    };
    const std::size_t last = index(s.shownLast);
    const std::size_t from = std::min(index(s.shownFirst - 1), last);
    return {from, last};
}

}  // namespace

SetPlotContent::SetPlotContent(const Samples& samples, const PlotSettings& settings)
    : samples_(samples), settings_(settings), metrics_(font_) {
    const auto [from, to] = shownSpan(samples, settings);
    first_ = seriesOf(samples.first, from, to);
    second_ = seriesOf(samples.second, from, to);
}

void SetPlotContent::setFont(const QFont& font) {
    font_ = font;
    metrics_ = FontTextMetrics(font);
    frame_.valid = false;
}

void SetPlotContent::setCdOnly(bool on) {
    cdOnly_ = on;
}

void SetPlotContent::dropSecond(PlotDrawing& d) const {
    if (!cdOnly_) return;
    // The second scale's labels and title are black, the first's blue.
    std::erase_if(d.scaleTexts,
                  [](const PlotText& t) { return t.colour == plot_colours::kBlack; });
    d.secondCurve.clear();
}

std::string_view SetPlotContent::firstTimeText() const {
    return samples_.timeTexts.empty() ? std::string_view() : std::string_view(samples_.timeTexts[0]);
}

ViewRange SetPlotContent::fullRange() const {
    // Sample 0 at the left end, the last shown sample at the right (x(i) = x0 + W·i ÷ m).
    const double m = std::trunc(settings_.shownLast) - 1;
    return {0, m >= 1 && std::isfinite(m) ? m : 1, 0, 1};
}

std::optional<std::pair<double, double>> SetPlotContent::valueExtent(double, double) const {
    return std::nullopt;  // the values keep the Range's scales: nothing to fit
}

QRectF SetPlotContent::plotArea(const QRectF& rect) const {
    // The layout of the drawing painted there: its scales' labels, which the view's range
    // and the font size, set how much room they take left of the plot.
    const PlotLayout& l = frame(rect.size(), frame_.valid ? frame_.view : fullRange()).drawing.layout;
    return {rect.left() + l.x0, rect.top() + l.y0 - l.height, l.width, l.height};
}

const PlotDrawing& SetPlotContent::drawing(QSizeF size, const ViewRange& view) const {
    return frame(size, view).drawing;
}

const SetPlotContent::Frame& SetPlotContent::frame(QSizeF size, const ViewRange& view) const {
    if (frame_.valid && frame_.size == size && frame_.view == view && frame_.settings == settings_ &&
        frame_.cdOnly == cdOnly_)
        return frame_;
    frame_ = Frame{true, size, view, settings_, cdOnly_, {}, {}, {}};
    if (view == fullRange()) {
        frame_.drawing = fullDrawing(size, metrics_);
    } else {
        drawZoomed(frame_);
    }
    return frame_;
}

PlotDrawing SetPlotContent::fullDrawing(QSizeF size, const TextMetrics& metrics) const {
    PlotDrawing d = drawPlot(size.width(), size.height(), samples_, settings_, metrics);
    dropSecond(d);
    return d;
}

void SetPlotContent::drawZoomed(Frame& f) const {
    const ViewRange& view = f.view;
    const PlotSettings& shown = settings_;
    PlotSettings axes = shown;
    axes.first = visiblePart(shown.first, view.v0, view.v1);
    axes.second = visiblePart(shown.second, view.v0, view.v1);
    PlotDrawing& d = f.drawing;
    d = drawPlotAxes(f.size.width(), f.size.height(), firstTimeText(), axes, metrics_,
                     scaleDecimals(axes.first, axes.second));
    dropSecond(d);
    const PlotLayout& l = d.layout;
    if (!(l.width > 1) || !(l.height > 1)) return;

    // Time labels on every step-th sample in view, each with a tick and a grid line.
    const double perSample = l.width / (view.t1 - view.t0);
    const long long step = labelStep((l.labelWidth + kLabelGap) / perSample);
    const double lastSample = first_.empty() ? -1 : first_.time(first_.size() - 1);
    const double firstLabel = std::ceil(std::max(view.t0, 0.0) / static_cast<double>(step));
    for (double i = firstLabel * static_cast<double>(step);
         i <= std::min(view.t1, lastSample) && i < static_cast<double>(samples_.timeTexts.size());
         i += static_cast<double>(step)) {
        const double x = l.x0 + (i - view.t0) * perSample;
        d.timeMarks.push_back({{x, l.y0 + 5}, {x, l.y0 + 12}, plot_colours::kBlack, 1, false});
        d.timeMarks.push_back({{x, l.y0}, {x, l.y0 - l.height}, plot_colours::kGrid, 1, true});
        d.timeLabels.push_back({{x - l.labelWidth / 2, l.y0 + l.labelHeight - 2},
                                plot_colours::kBlack,
                                samples_.timeTexts[static_cast<std::size_t>(i)]});
    }

    const QRectF area(l.x0, l.y0 - l.height, l.width, l.height);
    const double vSpan = view.v1 - view.v0;
    auto row = [&](double value, const ValueRange& range) {
        return l.y0 - l.height * (scaleFraction(value, range) - view.v0) / vSpan;
    };
    f.firstLines = envelopeLines(first_, view, area, [&](double v) { return row(v, shown.first); });
    if (!cdOnly_)
        f.secondLines =
            envelopeLines(second_, view, area, [&](double v) { return row(v, shown.second); });
}

void SetPlotContent::paint(QPainter& painter, const QRectF& rect, const ViewRange& view) const {
    const Frame& f = frame(rect.size(), view);
    painter.save();
    painter.translate(rect.topLeft());
    painter.fillRect(QRectF(QPointF(0, 0), rect.size()), Qt::white);
    painter.setFont(font_);
    paintPlot(painter, f.drawing);
    if (!f.firstLines.isEmpty() || !f.secondLines.isEmpty()) {
        const PlotColour blue = plot_colours::kBlue;
        painter.setPen(QPen(QColor(blue.r, blue.g, blue.b), 1));
        painter.drawLines(f.firstLines);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawLines(f.secondLines);
    }
    painter.restore();
}

std::array<Statistics, 2> SetPlotContent::visibleStatistics(const ViewRange& view) const {
    if (cdOnly_) return {first_.statistics(view.t0, view.t1), Statistics{}};
    return {first_.statistics(view.t0, view.t1), second_.statistics(view.t0, view.t1)};
}

QString SetPlotContent::cursorText(double t) const {
    if (first_.empty()) return QString();
    // The sample nearest the pointer.
    const double last = first_.time(first_.size() - 1);
    const auto i = static_cast<std::size_t>(std::clamp(std::round(t), first_.time(0), last));
    const QString cd = QStringLiteral("%1 · %2 %3")
                           .arg(latin1(samples_.timeTexts[i]), kCdTitle, valueText(samples_.first[i]));
    if (cdOnly_) return cd;
    return cd + QStringLiteral(" · %1 %2").arg(kFlTitle, valueText(samples_.second[i]));
}

QString SetPlotContent::statisticsText(const ViewRange& view) const {
    const std::array<Statistics, 2> s = visibleStatistics(view);
    // Two rows whatever is in view, so the strip keeps its height and the plot its layout.
    if (s[0].n == 0)
        return QStringLiteral("<table cellspacing=0><tr><td>Visible: no readings</td></tr>"
                              "<tr><td>&nbsp;</td></tr></table>");
    const QString second = cdOnly_ ? QStringLiteral("<td></td><td>&nbsp;</td>")
                                   : QStringLiteral("<td>%1&nbsp;</td><td>%2</td>")
                                         .arg(kFlTitle, spanLine(s[1]));
    return QStringLiteral(
               "<table cellspacing=0><tr><td>Visible: n %1&nbsp;&nbsp;</td>"
               "<td style='color:#0000ff'>%2&nbsp;</td><td>%3</td></tr>"
               "<tr><td></td>%4</tr></table>")
        .arg(s[0].n)
        .arg(kCdTitle, spanLine(s[0]), second);
}

}  // namespace photara
