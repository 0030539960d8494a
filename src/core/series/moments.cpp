#include "core/series/moments.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace photara {

Statistics Statistics::scaled(double factor) const {
    Statistics s = *this;
    s.min = min * factor;
    s.max = max * factor;
    if (factor < 0) std::swap(s.min, s.max);
    s.mean = mean * factor;
    s.sd = sd * std::fabs(factor);
    s.driftPerMinute = driftPerMinute * factor;
    return s;
}

void Moments::add(double t, double v) {
    ++n_;
    min_ = std::min(min_, v);
    max_ = std::max(max_, v);
    const double n = static_cast<double>(n_);
    const double dT = t - meanT_;
    const double dV = v - meanV_;
    meanT_ += dT / n;
    meanV_ += dV / n;
    m2T_ += dT * (t - meanT_);
    m2V_ += dV * (v - meanV_);
    cTV_ += dT * (v - meanV_);
}

void Moments::merge(const Moments& o) {
    if (o.n_ == 0) return;
    if (n_ == 0) {
        *this = o;
        return;
    }
    const double na = static_cast<double>(n_);
    const double nb = static_cast<double>(o.n_);
    const double n = na + nb;
    const double dT = o.meanT_ - meanT_;
    const double dV = o.meanV_ - meanV_;
    const double w = na * nb / n;
    meanT_ += dT * nb / n;
    meanV_ += dV * nb / n;
    m2T_ += o.m2T_ + dT * dT * w;
    m2V_ += o.m2V_ + dV * dV * w;
    cTV_ += o.cTV_ + dT * dV * w;
    n_ += o.n_;
    min_ = std::min(min_, o.min_);
    max_ = std::max(max_, o.max_);
}

Statistics Moments::statistics() const {
    Statistics s;
    s.n = n_;
    if (n_ == 0) return s;
    s.min = min_;
    s.max = max_;
    s.mean = meanV_;
    if (n_ > 1) s.sd = std::sqrt(std::max(m2V_, 0.0) / static_cast<double>(n_ - 1));
    if (m2T_ > 0) s.driftPerMinute = cTV_ / m2T_ * 60.0;
    return s;
}

}  // namespace photara
