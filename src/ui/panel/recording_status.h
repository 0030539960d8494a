#pragma once

#include <QObject>

class QLabel;
class QTimer;
class QWidget;

namespace photara {

// The status timer Timer2 and its strip of three labels above the keypad: LblRecording
// ("Rec" in white at start), LblCount and LblFileName. Every sample period the timer takes a
// sample, which blanks the three labels. Stopping the timer freezes the tick counter.
class RecordingStatus final : public QObject {
    Q_OBJECT
  public:
    // Creates the labels on face and starts the timer (1000 ms).
    RecordingStatus(QWidget& face, QTimer& timer);

    void setSamplePeriod(int ticks) { samplePeriod_ = ticks; }
    int samplePeriod() const { return samplePeriod_; }
    int tickCounter() const { return counter_; }

    void tick();

  private:
    QLabel* recording_;
    QLabel* count_;
    QLabel* fileName_;
    int samplePeriod_ = 0;
    int counter_ = 0;
};

}  // namespace photara
