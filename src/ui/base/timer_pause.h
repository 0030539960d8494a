#pragma once

#include <initializer_list>
#include <vector>

class QTimer;

namespace photara {

// Stops the given timers for the lifetime of the guard and starts them again when it ends,
// on every path out of the scope: early return, exception or normal end. The timers are
// left running afterwards whatever their state was before.
class TimerPause {
public:
    explicit TimerPause(std::initializer_list<QTimer*> timers);
    ~TimerPause();
    TimerPause(const TimerPause&) = delete;
    TimerPause& operator=(const TimerPause&) = delete;

private:
    std::vector<QTimer*> timers_;
};

}  // namespace photara
