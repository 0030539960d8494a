#include "ui/panel/key_exchange.h"

#include "ui/base/timer_pause.h"

namespace photara {

void KeyExchange::fire(std::uint8_t keyCode, const std::function<void()>& beforeTimersRestart) {
    const TimerPause pause{&pollTimer_, &statusTimer_};
    if (send_) send_(keyCode);
    if (beforeTimersRestart) beforeTimersRestart();
}

}  // namespace photara
