#include "photara_app.h"

#include <QAction>
#include <functional>
#include <utility>

#include "commands/list_graph_commands.h"
#include "commands/open_command.h"
#include "link/meter_identity.h"

namespace photara {

PhotaraApp::PhotaraApp(bool virtualMeter, MeterId usbMeter)
    : meter_(makeMeterBackend(virtualMeter, clock_)),
      link_(*meter_.backend, virtualMeter ? kMeterVendorId : usbMeter.vendorId,
            virtualMeter ? kMeterProductId : usbMeter.productId),
      pollTick_(link_, state_, model_),
      panel_(model_, clock_),
      context_{link_,  state_, panel_.pollTimer(), panel_.statusTimer(), workspace_, prompts_,
               clock_, &panel_},
      views_(context_),
      logger_(context_, views_, *panel_.eraseList()) {
    prompts_.setParent(&panel_);
    link_.setListener(
        makeLinkListener(model_, [this](const QString& line) { panel_.addResultLine(line); }));
    panel_.setPollTick([this] { (void)pollTick_.run(); });
    panel_.setReportSeen([this] { return link_.connected(); });
    panel_.setKeySender(makeKeySender(link_));
    panel_.setRhLit([this] { return state_[Element::LblRH]; });
    wireCommands();
}

void PhotaraApp::wireCommands() {
    // A tick that finds the meter gone closes the logger window.
    pollTick_.setOnDisconnected([this] { logger_.closeLoggerWindow(); });

    // "Save" does nothing.
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"Open", [this] { runOpenCommand(context_, views_); }},
        {"Intv", [this] { logger_.runIntv(); }},
        {"List", [this] { runListCommand(context_, views_); }},
        {"Graph", [this] { runGraphCommand(context_, views_); }},
        {"RTC", [this] { logger_.runRtc(); }},
        {"RecSetup", [this] { logger_.runRecSetup(); }},
        {"Memory", [this] { logger_.runMemory(); }},
        {"Erase", [this] { logger_.runErase(); }},
    };
    for (const auto& [key, run] : commands) {
        QAction* action = panel_.toolbarAction(QString::fromLatin1(key));
        if (action) QObject::connect(action, &QAction::triggered, &panel_, run);
    }
}

void PhotaraApp::start() {
    panel_.show();
    panel_.load();
    // No key carries the focus ring until the user tabs to one.
    panel_.centralWidget()->setFocus();
}

}  // namespace photara
