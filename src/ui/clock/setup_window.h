#pragma once

#include <QDialog>
#include <QTimer>

class QLabel;
class QPushButton;

namespace photara {

class Clock;
class GuiMeterSession;

// The clock window "Setup": the meter's clock and the PC's clock side by side, refreshed by
// its own Timer1 once a second while their labels are switched on (a click on a label
// switches it), and a button that sets the meter's clock from the PC's. Modal; the panel's
// poll goes on meanwhile, its exchanges queued between the clock's.
class SetupWindow final : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kRefreshMs = 1000;
    static constexpr int kOffsetBelowPanelTwips = 1000;

    SetupWindow(GuiMeterSession& meter, const Clock& clock, QWidget* panel);

    // Centred on the panel horizontally, 1000 twips below its top.
    void placeOn(const QWidget* panel);

    // One refresh, as each Timer1 timeout runs it; tests call it instead of waiting.
    void tick();

    QTimer& timer() { return timer_; }

  signals:
    // "Set Meter Time To System Time" did not reach the meter (it is gone): nothing was set.
    void meterClockNotSet();
    // The meter's clock was set to the PC's time, shown as the window shows times.
    void meterClockSet(const QString& time);

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void toggleMeterTime();
    void setMeterClock();

    GuiMeterSession& meter_;
    const Clock& clock_;
    QTimer timer_;
    QLabel* meterTime_;
    QLabel* pcTime_;
    // Both clocks show from the start; a click on one stops or starts reading it.
    bool showMeterTime_ = true;
    bool showPcTime_ = true;
    bool discardFirst_ = true;  // the next clock read first throws away a waiting answer
    bool reading_ = false;      // a clock exchange is under way
};

}  // namespace photara
