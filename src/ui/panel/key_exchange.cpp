#include "ui/panel/key_exchange.h"

namespace photara {

void KeyExchange::fire(std::uint8_t keyCode, const std::function<void()>& afterSend) {
    if (send_) send_(keyCode);
    if (afterSend) afterSend();
}

}  // namespace photara
