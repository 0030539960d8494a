#pragma once

#include <QMainWindow>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>

#include "core/common/version.h"
#include "ui/panel/toolbar_commands.h"

class QAction;
class QComboBox;
class QPushButton;
class QToolBar;

namespace photara {

class Clock;
class DisplayModel;
class EraseList;
class KeyExchange;
class Keypad;
class LcdDisplay;
class MeterFace;

// The main window: a picture of the meter. The upper half of its client area is the display
// (one widget per display element, named after it), the lower half the keypad headed by the
// title LblName; Toolbar1 sits on top. Timer1 keeps the poll's rhythm (250 ms, started by
// load()): each timeout asks for a poll, whose result is shown by showPolled() when it comes.
// Closing the window ends the program.
class Panel final : public QMainWindow {
    Q_OBJECT
  public:
    static constexpr const char* kShortCaption = "Panel   V" PHOTARA_CAPTION_VERSION;

    Panel(DisplayModel& model, const Clock& clock, QWidget* parent = nullptr);
    ~Panel() override;

    QTimer& pollTimer() { return pollTimer_; }  // Timer1

    // Run on each Timer1 timeout: asks for a poll.
    void setPollTick(std::function<void()> tick) { pollTick_ = std::move(tick); }
    // A poll's result is in the model: shows it and says so (tickShown).
    void showPolled();
    // Whether the last tick got the meter's display report: the first one lights the LCD,
    // which is blank until then.
    void setReportSeen(std::function<bool()> seen) { reportSeen_ = std::move(seen); }
    // Sends one key report (queued between two polls).
    void setKeySender(std::function<void(std::uint8_t keyCode)> send);
    // Whether R-H is lit (CmdBtn member 6 then sends 26 instead of 6).
    void setRhLit(std::function<bool()> rhLit);

    QAction* toolbarAction(ToolbarCommand command);
    QComboBox* eraseList();                      // ComboErase
    void showModel();  // copies the model's changes onto the widgets (and lights the LCD)
    // The window's load steps; starts Timer1 and runs its first tick at once, not a period
    // later.
    void load();

    QPushButton* keypadMember(int index) const;

  signals:
    // After each poll's result is shown.
    void tickShown();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void addShortcuts();
    void onPollTimeout();
    void showTick();

    DisplayModel& model_;
    QTimer pollTimer_;
    MeterFace* face_;
    QToolBar* toolbar_;
    std::unique_ptr<LcdDisplay> display_;
    std::unique_ptr<KeyExchange> exchange_;
    Keypad* keypad_;
    EraseList* eraseList_;
    std::function<void()> pollTick_;
    std::function<bool()> reportSeen_;
    bool placed_ = false;
};

}  // namespace photara
