#include "commands/rtc_command.h"

#include "base/app_context.h"
#include "base/prompts.h"
#include "base/meter_session.h"
#include "clock/setup_window.h"
#include "commands/logger_messages.h"

namespace photara {

void execModal(SetupWindow& window) {
    window.exec();
}

void runRtcCommand(AppContext& context, const ModalRunner& run) {
    if (context.meter.refuseSettings()) return;
    const TimerPause pause = context.meter.pause();
    SetupWindow window(context.meter.link(), context.clock, context.panel);
    QObject::connect(&window, &SetupWindow::meterClockNotSet, &window,
                     [&context] { tell(context, kMeterStoppedAnswering); });
    run(window);
}

}  // namespace photara
