#pragma once

#include <QComboBox>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMouseEvent>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/base/app_context.h"
#include "ui/base/gui_meter_session.h"
#include "ui/base/status_line.h"
#include "ui/clock/setup_window.h"
#include "ui/commands/logger_commands.h"
#include "ui/base/workspace.h"
#include "core/link/hid_backend.h"
#include "core/link/meter_identity.h"
#include "core/link/meter_link.h"
#include "core/live/display_state.h"
#include "core/logger/directory.h"
#include "ui/logger/memory_window.h"
#include "core/meter/display_ops.h"
#include "sim/logger_memory.h"
#include "sim/virtual_meter.h"
#include "sim/virtual_meter_backend.h"
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
    bool panelInputEnabled;
};

// Passes everything to the virtual meter's backend, logging each request and running a
// hook at the moment it is written (to see what else is true then) and counting reads.
class RecordingBackend final : public HidBackend {
  public:
    explicit RecordingBackend(HidBackend& inner) : inner_(inner) {}

    std::vector<Report> written;
    int reads = 0;
    std::function<void(const Report&)> onWrite;

    std::vector<HidDeviceInfo> enumerate(std::uint16_t vid, std::uint16_t pid) override {
        return inner_.enumerate(vid, pid);
    }
    std::unique_ptr<HidDevice> open(const std::string& path) override {
        std::unique_ptr<HidDevice> device = inner_.open(path);
        if (!device) return nullptr;
        return std::make_unique<Device>(std::move(device), *this);
    }
    std::vector<int> commands() const {
        std::vector<int> list;
        for (const Report& r : written) list.push_back(r[2]);
        return list;
    }
    int count(int command) const {
        const auto list = commands();
        return static_cast<int>(std::count(list.begin(), list.end(), command));
    }

  private:
    class Device final : public HidDevice {
      public:
        Device(std::unique_ptr<HidDevice> inner, RecordingBackend& owner)
            : inner_(std::move(inner)), owner_(owner) {}
        std::size_t inputReportLength() const override { return inner_->inputReportLength(); }
        std::size_t outputReportLength() const override { return inner_->outputReportLength(); }
        bool write(std::span<const std::uint8_t> report) override {
            Report r{};
            std::copy_n(report.begin(), std::min(report.size(), r.size()), r.begin());
            owner_.written.push_back(r);
            if (owner_.onWrite) owner_.onWrite(r);
            return inner_->write(report);
        }
        ReadStatus read(Report& report, std::chrono::milliseconds timeout) override {
            ++owner_.reads;
            return inner_->read(report, timeout);
        }

      private:
        std::unique_ptr<HidDevice> inner_;
        RecordingBackend& owner_;
    };

    HidBackend& inner_;
};

// The logger commands on the virtual meter (starting with an empty logger), a stand-in
// panel (central widget with the erase list, a toolbar) and a stand-in data list.
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
        // Runs on the session's thread while the window's thread waits for the outcome.
        backend.onWrite = [this](const Report& request) {
            moments.push_back(
                {request[2], panel.centralWidget()->isEnabled() && toolbar->isEnabled()});
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

    // Sets first .. first + n - 1 of `samples` readings, started at 2026/12/07 00:43:<k>.
    void addSets(int n, int samples = 3, int first = 1) {
        for (int k = first; k < first + n; ++k)
            meter.logger().add(
                {{2026, 12, 7, 0, 43, k}, samples, 1, 100.0 + k, static_cast<std::uint32_t>(k)});
    }
    // Set `index` (from 0) as the meter serves it: padded with 0x00 to whole blocks.
    std::string served(int index) {
        std::string text = meter.logger().text(index);
        text.resize((text.size() + 63) / 64 * 64, '\0');
        return text;
    }

    // Connects the link by a poll, then forgets the traffic.
    void connect() {
        (void)session.poll();
        backend.written.clear();
        backend.reads = 0;
        moments.clear();
    }
    void unplugAfterReads(int n) { simBackend.failAfterReads(n); }

    FakeClock clock;
    sim::VirtualMeter meter{clock, sim::LoggerMemory{}};
    sim::VirtualMeterBackend simBackend{meter};
    RecordingBackend backend{simBackend};
    GuiMeterSession session{backend};
    DisplayState& display = session.stageDisplay();
    QMainWindow panel;
    QComboBox* eraseList = nullptr;
    QToolBar* toolbar = nullptr;
    Workspace workspace;
    ScriptedPrompts prompts;
    StatusLine statusLine{panel.statusBar()};
    AppContext context{session, workspace, prompts, clock, &panel, &statusLine};
    std::vector<WriteMoment> moments;
    bool dataListOpen = false;
    int dataListShows = 0;
    int dataListCloses = 0;
    std::string shownText;
    std::unique_ptr<LoggerCommands> commands;
};

}  // namespace photara::test
