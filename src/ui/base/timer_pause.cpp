#include "ui/base/timer_pause.h"

#include <QTimer>

namespace photara {

TimerPause::TimerPause(std::initializer_list<QTimer*> timers) : timers_(timers) {
    for (QTimer* t : timers_) {
        if (t) t->stop();
    }
}

TimerPause::~TimerPause() {
    for (QTimer* t : timers_) {
        if (t) t->start();
    }
}

}  // namespace photara
