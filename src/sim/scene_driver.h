#pragma once

#include <cstddef>
#include <functional>
#include <optional>

#include "core/procedure/capture_runner.h"
#include "sim/scene_light.h"

namespace photara::sim {

// Moves the virtual meter through a procedure as a person would, so a procedure runs
// hands-free on a scene: it aims at each point the runner asks for, waits for the reading to
// settle and takes it (Enter, or HOLD on the meter), marks the mains failure of a run-up
// point, and gives a warm-up up after giveUpSeconds. With automatic capture it only aims.
class SceneDriver {
  public:
    // pressHold presses H on the meter; releaseHold lets go of the held reading (ENTER on
    // the meter).
    SceneDriver(SceneLight& light, CaptureRunner& runner, CaptureMode mode, std::function<void()> pressHold,
                std::function<void()> releaseHold, double giveUpSeconds = 1800);

    // Before each poll, at the poll's time in seconds.
    void beforePoll(double t);

  private:
    SceneLight& light_;
    CaptureRunner& runner_;
    CaptureMode mode_;
    std::function<void()> pressHold_;
    std::function<void()> releaseHold_;
    double giveUpSeconds_;
    std::optional<std::size_t> aimed_;
    double aimedAt_ = 0;
    bool holdPressed_ = false;
};

}  // namespace photara::sim
