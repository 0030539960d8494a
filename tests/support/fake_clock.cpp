#include "support/fake_clock.h"

namespace photara::test {

void FakeClock::advanceMilliseconds(long long ms) {
    long long total =
        ((now_.hour * 60LL + now_.minute) * 60 + now_.second) * 1000 + now_.millisecond + ms;
    const long long day = 24LL * 3600 * 1000;
    now_.day += static_cast<int>(total / day);
    total %= day;
    now_.millisecond = static_cast<int>(total % 1000);
    now_.second = static_cast<int>(total / 1000 % 60);
    now_.minute = static_cast<int>(total / 60000 % 60);
    now_.hour = static_cast<int>(total / 3600000);
}

}  // namespace photara::test
