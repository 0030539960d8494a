#include "sim/scene_driver.h"

namespace photara::sim {

SceneDriver::SceneDriver(SceneLight& light, CaptureRunner& runner, CaptureMode mode, std::function<void()> pressHold,
                         std::function<void()> releaseHold, double giveUpSeconds)
    : light_(light), runner_(runner), mode_(mode), pressHold_(std::move(pressHold)),
      releaseHold_(std::move(releaseHold)), giveUpSeconds_(giveUpSeconds) {}

void SceneDriver::beforePoll(double t) {
    if (runner_.done()) return;
    std::string why;
    if (!aimed_ || *aimed_ != runner_.current()) {
        if (holdPressed_) {
            releaseHold_();  // let go of the held reading before moving on
            holdPressed_ = false;
            return;
        }
        const Step& step = runner_.steps()[runner_.current()];
        light_.aim(step.point, step.patch);
        aimed_ = runner_.current();
        aimedAt_ = t;
        return;
    }
    const Point* p = runner_.currentPoint();
    const double since = t - aimedAt_;
    // Past the way there, and more than a spot window of readings at the point.
    const double settled = light_.scene().transitSeconds + 1.5;
    switch (p->capture) {
        case PointCapture::RunUp:
            if (runner_.awaitingMark() && since >= settled) {
                light_.failMains();
                (void)runner_.enter(why);
            }
            return;
        case PointCapture::WarmUp:
            if (since >= giveUpSeconds_) (void)runner_.enter(why);
            return;
        case PointCapture::Spot: break;
    }
    if (since < settled || runner_.stability().state != StabilityState::Stable) return;
    if (mode_ == CaptureMode::Enter) {
        (void)runner_.enter(why);
    } else if (mode_ == CaptureMode::Hold && !holdPressed_) {
        pressHold_();
        holdPressed_ = true;
    }
}

}  // namespace photara::sim
