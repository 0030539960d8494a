#include "commands/rtc_command.h"

#include "base/app_context.h"
#include "base/prompts.h"
#include "base/timer_pause.h"
#include "clock/setup_window.h"
#include "commands/logger_messages.h"
#include "link/meter_link.h"
#include "meter/guards.h"

namespace photara {

void execModal(SetupWindow& window) {
    window.exec();
}

void runRtcCommand(AppContext& context, const ModalRunner& run) {
    if (refuseSettings(context.link.connected(), context.display)) return;
    const TimerPause pause{&context.pollTimer, &context.statusTimer};
    SetupWindow window(context.link, context.clock, context.panel);
    QObject::connect(&window, &SetupWindow::meterClockNotSet, &window,
                     [&context] { tell(context, kMeterStoppedAnswering); });
    run(window);
}

}  // namespace photara
