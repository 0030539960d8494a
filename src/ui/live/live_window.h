#pragma once

#include <QMainWindow>
#include <QTimer>
#include <memory>
#include <optional>

#include "ui/live/trend_content.h"
#include "core/series/recording_trend.h"

class QAction;
class QComboBox;
class QLabel;
class QStatusBar;

namespace photara {

class Clock;
class LiveFeed;
class PlotView;
class NoticeBar;
class Prompts;
class StabilityIndicator;
class StatusLine;

// The live window "Live Readings": the trend of the main reading against clock time, the
// statistics of the visible span and of the whole, the unit the user reads in, whether the
// luminance is stable (and a mark on the trend where it became so), follow and autoscale, Record (its state on the panel's status line), and File → Open of a recording.
// News (a recording that stopped, a file that could not be read) goes to a bar at the top of
// the window and to the panel's status line, never to a message box that would stop the
// program until it is answered.
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
    bool showingFile() const { return file_ != nullptr; }

    // The panel's status line, where news is said too; without one, the panel's status bar
    // shows it for as long.
    void setStatusLine(StatusLine* line) { statusLine_ = line; }
    NoticeBar* noticeBar() const { return notice_; }

    void setRecording(bool on);
    bool recording() const;

    PlotView* plot() const { return plot_; }
    TrendContent& trend() { return trend_; }
    QAction* action(const QString& name) const;  // "record", "follow", "autoscale", ...
    QComboBox* unitChoice() const { return unit_; }
    QLabel* recordingState() const { return recordingState_; }
    QLabel* wholeStatistics() const { return whole_; }
    StabilityIndicator* stability() const { return stability_; }

  private:
    void buildActions();
    void refresh();
    void updateRecordingState();
    void askValueRange();
    void openFromMenu();
    void notify(const QString& text);
    void noteConnection();

    LiveFeed& feed_;
    Prompts& prompts_;
    const Clock& clock_;
    TrendContent trend_;
    std::unique_ptr<RecordingTrend> file_;
    QStatusBar* panelStatus_;
    StatusLine* statusLine_ = nullptr;
    NoticeBar* notice_;
    PlotView* plot_;
    QComboBox* unit_;
    QLabel* reading_;
    QLabel* whole_;
    QLabel* recordingState_;
    StabilityIndicator* stability_;
    QTimer second_;
    std::optional<bool> connected_;  // as the last poll shown found the meter
};

}  // namespace photara
