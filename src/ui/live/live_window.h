#pragma once

#include <QMainWindow>
#include <QTimer>
#include <memory>

#include "ui/live/trend_content.h"
#include "core/series/series.h"

class QAction;
class QComboBox;
class QLabel;
class QStatusBar;

namespace photara {

class Clock;
class LiveFeed;
class PlotView;
class Prompts;

// The live window "Live Readings": the trend of the main reading against clock time, the
// statistics of the visible span and of the whole, the unit the user reads in, follow and
// autoscale, Record (its state on the panel's status line), and File → Open of a recording.
class LiveWindow final : public QMainWindow {
    Q_OBJECT
  public:
    LiveWindow(LiveFeed& feed, Prompts& prompts, const Clock& clock, QStatusBar* panelStatus,
               QWidget* parent = nullptr);
    ~LiveWindow() override;

    // After each poll, when the feed has taken its reading.
    void pollShown();
    // Opens a recording file into the trend; false (with a message) when it can't be read.
    bool openRecording(const QString& path);
    // Back to the live readings after an opened recording.
    void showLive();
    bool showingFile() const { return fileSeries_ != nullptr; }

    void setRecording(bool on);
    bool recording() const;

    PlotView* plot() const { return plot_; }
    TrendContent& trend() { return trend_; }
    QAction* action(const QString& name) const;  // "record", "follow", "autoscale", ...
    QComboBox* unitChoice() const { return unit_; }
    QLabel* recordingState() const { return recordingState_; }
    QLabel* wholeStatistics() const { return whole_; }

  private:
    void buildActions();
    void refresh();
    void updateRecordingState();
    void askValueRange();
    void openFromMenu();

    LiveFeed& feed_;
    Prompts& prompts_;
    const Clock& clock_;
    TrendContent trend_;
    std::unique_ptr<Series> fileSeries_;
    PlotView* plot_;
    QComboBox* unit_;
    QLabel* reading_;
    QLabel* whole_;
    QLabel* recordingState_;
    QTimer second_;
};

// Puts the "Live" button (Ctrl+L) on a main window's toolbar Toolbar1: it shows the window.
void addLiveWindowButton(QMainWindow& panel, LiveWindow& live);

}  // namespace photara
