#include "photara_app.h"

#include <QAction>

#include "link/meter_identity.h"

namespace photara {

PhotaraApp::PhotaraApp(bool virtualMeter)
    : meter_(makeMeterBackend(virtualMeter, clock_)),
      link_(*meter_.backend, kMeterVendorId, kMeterProductId),
      pollTick_(link_, state_, model_),
      panel_(model_, clock_),
      context_{link_,  state_, panel_.pollTimer(), panel_.statusTimer(), workspace_, prompts_,
               clock_, &panel_} {
    prompts_.setParent(&panel_);
    link_.setListener(
        makeLinkListener(model_, [this](const QString& line) { panel_.addResultLine(line); }));
    panel_.setPollTick([this] { pollTick_.run(); });
    panel_.setKeySender(makeKeySender(link_));
    panel_.setRhLit([this] { return state_[Element::LblRH]; });
    wireCommands();
}

void PhotaraApp::wireCommands() {
    // "Save" does nothing. The other toolbar buttons and the closing of the logger window by
    // a tick that lost the meter are connected here to the commands of the data views and
    // the logger once those exist:
    //     pollTick_.setOnDisconnected([this] { logger_.closeLoggerWindow(); });
    //     connect "Open"     -> runOpenCommand(context_, views_)
    //             "List"     -> runListCommand(context_, views_)
    //             "Graph"    -> runGraphCommand(context_, views_)
    //             "Intv"     -> logger_.runIntv()       "RTC"    -> logger_.runRtc()
    //             "RecSetup" -> logger_.runRecSetup()   "Memory" -> logger_.runMemory()
    //             "Erase"    -> logger_.runErase()
    //     (QObject::connect(panel_.toolbarAction(key), &QAction::triggered, ...)).
}

void PhotaraApp::start() {
    panel_.show();
    panel_.load();
    // No key carries the focus ring until the user tabs to one.
    panel_.centralWidget()->setFocus();
}

}  // namespace photara
