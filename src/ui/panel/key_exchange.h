#pragma once

#include <cstdint>
#include <functional>

namespace photara {

// What every key of the panel does when it fires: send the key report {0, 1, code}, then let
// the key finish its own business (a key face gets its colour back). The meter session
// queues the report between two polls, so no poll comes between it and the meter's reaction
// and nothing needs to stop the poll.
class KeyExchange {
  public:
    using Sender = std::function<void(std::uint8_t keyCode)>;

    void setSender(Sender send) { send_ = std::move(send); }

    void fire(std::uint8_t keyCode, const std::function<void()>& afterSend = {});

  private:
    Sender send_;
};

}  // namespace photara
