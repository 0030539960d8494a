#pragma once

#include <chrono>
#include <cstdio>
#include <string>

namespace photara::cli {

// When a progress line is redrawn: the meter reports every block of a download (thousands),
// a terminal needs no more than about ten redraws a second. A new percentage is drawn when
// the last drawing is 100 ms old, and 100 % always.
class ProgressThrottle {
  public:
    using Time = std::chrono::steady_clock::time_point;
    bool due(int percent, Time now);

  private:
    int drawn_ = -1;
    Time drawnAt_{};
};

// "set 2:  45%" on standard error, redrawn in place while it is a terminal; nothing otherwise.
class ProgressLine {
  public:
    explicit ProgressLine(std::string label);
    ~ProgressLine();  // clears the line
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void show(int percent);

  private:
    std::string label_;
    bool terminal_;
    ProgressThrottle throttle_;
};

}  // namespace photara::cli
