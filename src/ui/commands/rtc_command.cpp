#include "commands/rtc_command.h"

#include "base/app_context.h"
#include "base/prompts.h"
#include "base/timer_pause.h"
#include "clock/setup_window.h"
#include "commands/logger_guards.h"
#include "commands/logger_messages.h"

namespace photara {

void execModal(SetupWindow& window) {
    window.exec();
}

void runRtcCommand(AppContext& context, const ModalRunner& run) {
    if (!meterFreeForSettings(context)) return;
    const TimerPause pause{&context.pollTimer, &context.statusTimer};
    SetupWindow window(context.link, context.clock, context.panel);
    QObject::connect(&window, &SetupWindow::meterClockNotSet, &window,
                     [&context] { tell(context, kMeterStoppedAnswering); });
    run(window);
}

}  // namespace photara
