#pragma once

namespace photara {

// A rectangle of the plot's data space: time t0..t1 across, value v0..v1 up.
struct ViewRange {
    double t0 = 0;
    double t1 = 1;
    double v0 = 0;
    double v1 = 1;

    friend bool operator==(const ViewRange&, const ViewRange&) = default;
};

// Where a view range falls on a plot area of pixels: t0 at the left edge, t1 at the right,
// v0 at the bottom, v1 at the top, linear between (a reversed range mirrors its axis). A range
// of zero span puts its one value in the middle of its axis; an area of zero size maps every
// pixel back to the range's start.
class ViewMapping {
  public:
    ViewMapping(const ViewRange& view, double left, double top, double width, double height)
        : view_(view), left_(left), top_(top), width_(width), height_(height) {}

    double x(double t) const;
    double y(double v) const;
    double t(double x) const;
    double v(double y) const;

  private:
    ViewRange view_;
    double left_, top_, width_, height_;
};

// Which part of the data a plot shows, and how the user moves it: zoom about a point, pan,
// zoom into a rubber band, back Home to the full range. Plain arithmetic, no drawing.
class Viewport {
  public:
    // The data's full range, where Home returns. The visible range is kept unless it was
    // at Home (then it follows) or it is following the newest data (then it slides along).
    void setFull(const ViewRange& full);
    const ViewRange& full() const { return full_; }
    const ViewRange& visible() const { return visible_; }
    // The narrowest time span a zoom may show (by default a millisecond of a time axis in
    // seconds); a zoom below it is widened about its centre.
    void setMinimumTimeSpan(double span) { minTimeSpan_ = span; }

    // Shows a part of the time axis t0..t1 ending at the newest data from now on.
    void setFollowing(bool follow);
    bool following() const { return following_; }
    // Values fitted to what is visible (the owner calls fitValues after each change).
    void fitValues(double lo, double hi);

    void zoomTime(double factor, double anchorT);   // factor < 1 zooms in
    void zoomValue(double factor, double anchorV);
    void pan(double dt, double dv);
    void zoomTo(const ViewRange& r);  // a rubber band, corners in any order
    void home();
    bool atHome() const { return atHome_; }

  private:
    void setVisible(const ViewRange& r);

    ViewRange full_;
    ViewRange visible_;
    bool atHome_ = true;
    bool following_ = false;
    double minTimeSpan_ = 1e-3;  // never above the full range's span
};

}  // namespace photara
