#pragma once

#include <QMainWindow>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>

#include "core/common/version.h"

class QAction;
class QComboBox;
class QListWidget;
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
class RecordingStatus;

// The main window: a picture of the meter. The upper half of its client area is the display
// (one widget per display element, named after it), the lower half the keypad headed by the
// title LblName; Toolbar1 sits on top. Timer1 keeps the poll's rhythm (250 ms, started by
// load()): each timeout asks for a poll, whose result is shown by showPolled() when it comes.
// Timer2 is the status timer (1000 ms, running from construction). Closing the window ends
// the program.
class Panel final : public QMainWindow {
    Q_OBJECT
  public:
    static constexpr const char* kShortCaption = "Panel   V" PHOTARA_CAPTION_VERSION;
    static constexpr const char* kBuildDate = "20190801.01";

    Panel(DisplayModel& model, const Clock& clock, QWidget* parent = nullptr);
    ~Panel() override;

    QTimer& pollTimer() { return pollTimer_; }      // Timer1
    QTimer& statusTimer() { return statusTimer_; }  // Timer2

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

    QAction* toolbarAction(const QString& key);  // "Save", "Open", ... "Erase"
    QComboBox* eraseList();                      // ComboErase
    void addResultLine(const QString& line);     // lstResults
    void showModel();  // copies the model's changes onto the widgets (and lights the LCD)
    // The window's load steps; starts Timer1 and runs its first tick at once, not a period
    // later.
    void load();

    // The caption toggles between the short form and the one with the build date.
    void toggleCaption();

    QPushButton* keypadMember(int index) const;
    RecordingStatus& recordingStatus() { return *status_; }

  signals:
    // After each poll's result is shown.
    void tickShown();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void addShortcuts();
    void onPollTimeout();
    void showTick();

    DisplayModel& model_;
    QTimer pollTimer_;
    QTimer statusTimer_;
    MeterFace* face_;
    QToolBar* toolbar_;
    std::unique_ptr<LcdDisplay> display_;
    std::unique_ptr<KeyExchange> exchange_;
    Keypad* keypad_;
    RecordingStatus* status_;
    EraseList* eraseList_;
    QListWidget* results_;
    std::function<void()> pollTick_;
    std::function<bool()> reportSeen_;
    bool placed_ = false;
};

}  // namespace photara
