#include "ui/commands/rtc_command.h"

#include "ui/base/app_context.h"
#include "ui/base/prompts.h"
#include "ui/base/gui_meter_session.h"
#include "ui/base/status_line.h"
#include "ui/clock/setup_window.h"
#include "ui/commands/logger_messages.h"

namespace photara {

void execModal(SetupWindow& window) {
    window.exec();
}

void runRtcCommand(AppContext& context, const ModalRunner& run) {
    if (refusedAloud(context, context.meter.refuseSettings())) return;
    SetupWindow window(context.meter, context.clock, context.panel);
    QObject::connect(&window, &SetupWindow::meterClockNotSet, &window,
                     [&context] { tell(context, kMeterStoppedAnswering); });
    QObject::connect(&window, &SetupWindow::meterClockSet, &window, [&context](const QString& time) {
        sayOnStatusLine(context, QStringLiteral("Meter clock set to %1").arg(time));
    });
    run(window);
}

}  // namespace photara
