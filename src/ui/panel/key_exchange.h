#pragma once

#include <QTimer>
#include <cstdint>
#include <functional>

namespace photara {

// What every key of the panel does when it fires: stop the poll and status timers so that no
// poll or sample comes between the key report and the meter's reaction, send the key report
// {0, 1, code}, let the key finish its own business (a key face gets its colour back), then
// start both timers again, on every path and whatever their state was before.
class KeyExchange {
  public:
    using Sender = std::function<void(std::uint8_t keyCode)>;

    KeyExchange(QTimer& pollTimer, QTimer& statusTimer)
        : pollTimer_(pollTimer), statusTimer_(statusTimer) {}

    void setSender(Sender send) { send_ = std::move(send); }

    void fire(std::uint8_t keyCode, const std::function<void()>& beforeTimersRestart = {});

  private:
    QTimer& pollTimer_;
    QTimer& statusTimer_;
    Sender send_;
};

}  // namespace photara
