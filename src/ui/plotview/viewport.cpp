#include "ui/plotview/viewport.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace photara {
namespace {

// Narrower spans than these are below what a reading can tell apart.
constexpr double kMinTimeSpan = 1e-3;
constexpr double kMinValueSpan = 1e-9;

// A span of at least minSpan, widened about its centre.
void keepOpen(double& a, double& b, double minSpan) {
    if (a > b) std::swap(a, b);
    if (b - a >= minSpan) return;
    const double mid = (a + b) / 2;
    a = mid - minSpan / 2;
    b = mid + minSpan / 2;
}

// Where value lies between a and b as a fraction (0 at a, 1 at b); the middle when a == b.
double fraction(double value, double a, double b) {
    return b == a ? 0.5 : (value - a) / (b - a);
}

}  // namespace

double ViewMapping::x(double t) const {
    return left_ + fraction(t, view_.t0, view_.t1) * width_;
}

double ViewMapping::y(double v) const {
    return top_ + height_ - fraction(v, view_.v0, view_.v1) * height_;
}

double ViewMapping::t(double x) const {
    return view_.t0 + (width_ == 0 ? 0 : (x - left_) / width_) * (view_.t1 - view_.t0);
}

double ViewMapping::v(double y) const {
    return view_.v0 + (height_ == 0 ? 0 : (top_ + height_ - y) / height_) * (view_.v1 - view_.v0);
}

void Viewport::setFull(const ViewRange& full) {
    full_ = full;
    keepOpen(full_.t0, full_.t1, kMinTimeSpan);
    keepOpen(full_.v0, full_.v1, kMinValueSpan);
    if (atHome_) {
        visible_ = full_;
    } else if (following_) {
        const double span = visible_.t1 - visible_.t0;
        visible_.t1 = full_.t1;
        visible_.t0 = full_.t1 - span;
    }
}

void Viewport::setFollowing(bool follow) {
    following_ = follow;
    if (follow && !atHome_) setFull(full_);
}

void Viewport::fitValues(double lo, double hi) {
    keepOpen(lo, hi, kMinValueSpan);
    visible_.v0 = lo;
    visible_.v1 = hi;
}

void Viewport::setVisible(const ViewRange& r) {
    visible_ = r;
    keepOpen(visible_.t0, visible_.t1, std::min(minTimeSpan_, full_.t1 - full_.t0));
    keepOpen(visible_.v0, visible_.v1, kMinValueSpan);
    atHome_ = false;
}

void Viewport::zoomTime(double factor, double anchorT) {
    ViewRange r = visible_;
    r.t0 = anchorT + (r.t0 - anchorT) * factor;
    r.t1 = anchorT + (r.t1 - anchorT) * factor;
    following_ = following_ && r.t1 >= full_.t1;
    setVisible(r);
}

void Viewport::zoomValue(double factor, double anchorV) {
    ViewRange r = visible_;
    r.v0 = anchorV + (r.v0 - anchorV) * factor;
    r.v1 = anchorV + (r.v1 - anchorV) * factor;
    setVisible(r);
}

void Viewport::pan(double dt, double dv) {
    ViewRange r = visible_;
    r.t0 += dt;
    r.t1 += dt;
    r.v0 += dv;
    r.v1 += dv;
    if (dt != 0) following_ = false;
    setVisible(r);
}

void Viewport::zoomTo(const ViewRange& r) {
    following_ = false;
    setVisible(r);
}

void Viewport::home() {
    visible_ = full_;
    atHome_ = true;
}

}  // namespace photara
