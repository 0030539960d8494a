#include "app/photara_app.h"

#include <QAction>
#include <functional>
#include <utility>

#include "ui/commands/list_graph_commands.h"
#include "ui/commands/open_command.h"
#include "ui/base/recent_files_menu.h"
#include "ui/live/show_live_window.h"
#include "ui/panel/toolbar_commands.h"
#include "core/link/meter_identity.h"
#include "core/procedure/recipe_library.h"
#include "core/reading/reading.h"

namespace photara {

PhotaraApp::PhotaraApp(bool virtualMeter, MeterId usbMeter)
    : meter_(makeMeterBackend(virtualMeter, clock_)),
      session_(*meter_.backend, virtualMeter ? MeterId{} : usbMeter),
      panel_(session_.model(), clock_),
      statusLine_(panel_.statusBar()),
      context_{session_, workspace_, prompts_, clock_, &panel_, &statusLine_},
      views_(context_),
      logger_(context_, views_, *panel_.eraseList()),
      liveFeed_(clock_),
      live_(liveFeed_, prompts_, clock_, panel_.statusBar()),
      measure_(context_, meter_.virtualMeter.get(),
               QString::fromStdString(virtualMeter ? "virtual meter" : "USB meter " + meterIdText(usbMeter)),
               QString::fromStdString(userDataDir(processEnvironment) + "/results")) {
    prompts_.setParent(&panel_);
    live_.setStatusLine(&statusLine_);  // its news on the panel's status line, as every command's
    // A failed read is told on the status line, where the user sees it.
    QObject::connect(&session_, &GuiMeterSession::readFailed, &panel_, [this] {
        statusLine_.say(QStringLiteral("Reading from the meter failed (Readfile undefined "
                                       "error) — check its USB cable"));
    });
    // A meter another program holds is found but not opened: the LCD says "No Connection",
    // the status line says why.
    QObject::connect(&session_, &GuiMeterSession::meterRefused, &panel_, [this](QString text) {
        text[0] = text[0].toUpper();
        statusLine_.say(text + QStringLiteral(": close it to use the meter here."));
    });
    panel_.setPollTick([this] { session_.requestPoll(); });
    QObject::connect(&session_, &GuiMeterSession::polled, &panel_, &Panel::showPolled);
    panel_.setReportSeen([this] { return session_.lastPollAnswered(); });
    panel_.setKeySender([this](std::uint8_t code) { session_.pressKey(code); });
    panel_.setRhLit([this] { return session_.display()[Element::LblRH]; });
    wireCommands();
    // Each reading the poll shows goes to the trend and, while recording, to the file.
    QObject::connect(&panel_, &Panel::tickShown, &live_, [this] {
        liveFeed_.onPoll(session_.lastPollAnswered(), session_.lastReading(),
                         lcdText(session_.display(), session_.model()));
        live_.pollShown();
    });
    // An operation holding the link past a poll period is a hole the recording says why.
    QObject::connect(&session_, &GuiMeterSession::linkHeld, &live_,
                     [this](const QString& what) { liveFeed_.onLinkHeld(what.toStdString()); });
    QObject::connect(&session_, &GuiMeterSession::linkReleased, &live_,
                     [this] { liveFeed_.onLinkReleased(); });
    // A recording the poll saw end stored a new set: the logger window lists it.
    QObject::connect(&panel_, &Panel::tickShown, &panel_, [this] { logger_.pollShown(); });
    // Save has something to save once a download or Open filled the data text.
    if (QAction* save = panel_.toolbarAction(ToolbarCommand::Save))
        QObject::connect(&panel_.pollTimer(), &QTimer::timeout, save,
                         [this, save] { save->setEnabled(!workspace_.dataText.empty()); });
}

void PhotaraApp::wireCommands() {
    // A tick that finds the meter gone closes the logger window.
    session_.setOnDisconnected([this] { logger_.closeLoggerWindow(); });

    for (const ToolbarRow& row : toolbarRows()) {
        QAction* action = panel_.toolbarAction(row.command);
        if (!action) qFatal("the panel toolbar has no action %s", row.key);
        QObject::connect(action, &QAction::triggered, &panel_,
                         [this, command = row.command] { run(command); });
    }
    if (QAction* open = panel_.toolbarAction(ToolbarCommand::Open))
        addRecentFilesMenu(*open, [this](const QString& file) {
            openDataFile(context_, views_, file);
        });
}

void PhotaraApp::run(ToolbarCommand command) {
    switch (command) {
        case ToolbarCommand::Save: return runSaveCommand(context_);
        case ToolbarCommand::Open: return runOpenCommand(context_, views_);
        case ToolbarCommand::Intv: return logger_.runIntv();
        case ToolbarCommand::List: return runListCommand(context_, views_);
        case ToolbarCommand::Graph: return runGraphCommand(context_, views_);
        case ToolbarCommand::Rtc: return logger_.runRtc();
        case ToolbarCommand::RecSetup: return logger_.runRecSetup();
        case ToolbarCommand::Memory: return logger_.runMemory();
        case ToolbarCommand::Erase: return logger_.runErase();
        case ToolbarCommand::Live: return showLiveWindow(live_, panel_);
        case ToolbarCommand::Measure: return measure_.run();
        case ToolbarCommand::Results: return measure_.showResults();
    }
}

void PhotaraApp::start() {
    panel_.show();
    panel_.load();
    // No key carries the focus ring until the user tabs to one.
    panel_.centralWidget()->setFocus();
}

}  // namespace photara
