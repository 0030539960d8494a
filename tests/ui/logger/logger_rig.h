#pragma once

#include <QComboBox>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMouseEvent>
#include <QTimer>
#include <QToolBar>
#include <string>
#include <vector>

#include "base/app_context.h"
#include "clock/setup_window.h"
#include "commands/logger_commands.h"
#include "common/workspace.h"
#include "core/logger/fake_logger.h"
#include "core/logger/fake_meter_backend.h"
#include "link/meter_identity.h"
#include "link/meter_link.h"
#include "live/display_state.h"
#include "logger/directory.h"
#include "logger/memory_window.h"
#include "support/fake_clock.h"
#include "support/scripted_prompts.h"

namespace photara::test {

// A left click as the user makes it: press and release in the middle of the widget.
inline void click(QWidget* widget) {
    const QPointF centre = QRectF(widget->rect()).center();
    QMouseEvent press(QEvent::MouseButtonPress, centre, widget->mapToGlobal(centre), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, widget->mapToGlobal(centre),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QCoreApplication::sendEvent(widget, &release);
}

// What was true at the moment a request reached the meter.
struct WriteMoment {
    int command;
    bool pollRunning;
    bool statusRunning;
    bool panelInputEnabled;
};

// The logger commands over a scripted meter, a stand-in panel (central widget with the
// erase list, a toolbar), the two panel timers running and a stand-in data list.
struct LoggerRig {
    LoggerRig() {
        auto* central = new QWidget(&panel);
        panel.setCentralWidget(central);
        eraseList = new QComboBox(central);
        eraseList->hide();
        toolbar = panel.addToolBar(QStringLiteral("Toolbar1"));
        toolbar->addAction(QStringLiteral("Memory"));
        panel.setGeometry(100, 120, 506, 600);
        panel.show();
        pollTimer.setInterval(250);
        statusTimer.setInterval(1000);
        pollTimer.start();
        statusTimer.start();
        backend.respond = [this](const Report& request) {
            moments.push_back({request[2], pollTimer.isActive(), statusTimer.isActive(),
                               panel.centralWidget()->isEnabled() && toolbar->isEnabled()});
            return logger(request);
        };
        commands = std::make_unique<LoggerCommands>(context, hooks(), *eraseList);
    }

    DataListHooks hooks() {
        return {[this] { return dataListOpen; },
                [this] {
                    dataListOpen = false;
                    ++dataListCloses;
                },
                [this] {
                    dataListOpen = true;
                    ++dataListShows;
                    shownText = workspace.dataText;
                }};
    }

    // Sets first .. first + n - 1, started at 2026/12/07 00:43:<k> (k < 60).
    void addSets(int n, std::size_t length = 200, int first = 1) {
        for (int k = first; k < first + n; ++k) {
            std::string text(length, ' ');
            for (std::size_t i = 0; i < length; ++i)
                text[i] = static_cast<char>('A' + (i + static_cast<std::size_t>(k)) % 26);
            const auto second = static_cast<std::uint8_t>(k / 10 * 16 + k % 10);  // BCD
            logger.sets.push_back({{0x20, 0x26, 0x12, 0x07, 0x00, 0x43, second}, text});
        }
    }

    // Connects the link as the poll would, then forgets the traffic.
    void connect() {
        link.request(Command::Display);
        link.writeThenRead();
        backend.written.clear();
        moments.clear();
    }
    void unplugAfterReads(int n) { backend.failAtRead = backend.reads + n; }
    bool timersRunning() const { return pollTimer.isActive() && statusTimer.isActive(); }

    FakeClock clock;
    FakeLogger logger;
    FakeMeterBackend backend;
    MeterLink link{backend, kMeterVendorId, kMeterProductId};
    DisplayState display;
    QMainWindow panel;
    QComboBox* eraseList = nullptr;
    QToolBar* toolbar = nullptr;
    QTimer pollTimer;
    QTimer statusTimer;
    Workspace workspace;
    ScriptedPrompts prompts;
    AppContext context{link, display, pollTimer, statusTimer, workspace, prompts, clock, &panel};
    std::vector<WriteMoment> moments;
    bool dataListOpen = false;
    int dataListShows = 0;
    int dataListCloses = 0;
    std::string shownText;
    std::unique_ptr<LoggerCommands> commands;
};

}  // namespace photara::test
