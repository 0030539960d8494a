#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "core/common/local_time.h"
#include "core/procedure/capture_runner.h"
#include "core/procedure/procedure_run.h"

class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QStackedWidget;

namespace photara {

class DiagramWidget;
class GuiMeterSession;
class Prompts;
class ReportView;
class StatusLine;

// The guide through a procedure, meant to be read from across a room: the point to measure
// next in large type, the diagram with every point by verdict, the live reading and its
// stability. Each poll of the meter goes to the capture runner; a point is taken by Enter or
// Space, by HOLD on the meter, or by itself when stable, with a sound and a flash. A point is
// measured again by clicking it, or choosing it with Up and Down and pressing R. At the end the
// report is judged, kept in the results folder and shown, ready to save or print.
//
// Everything is reachable from the keyboard without moving the focus: Enter/Space take, Up and
// Down choose a step, R measures it again, Esc stops.
class GuideWindow final : public QWidget {
    Q_OBJECT
  public:
    struct Setup {
        RunPlan plan;
        ReportInfo info;        // who, where, with which meter; the times are filled in here
        QString resultsFolder;  // where the report is kept
    };
    // seconds: a steady clock for the runner (a real one when none is given).
    GuideWindow(GuiMeterSession& meter, Prompts& prompts, const Clock& clock, StatusLine* status, Setup setup,
                std::function<double()> seconds = {}, QWidget* parent = nullptr);
    ~GuideWindow() override;

    CaptureRunner& runner() { return runner_; }
    const RunPlan& plan() const { return setup_.plan; }
    // The finished run's report, once the last point is taken.
    const std::optional<ProcedureReport>& report() const { return report_; }
    QString keptReportPath() const { return keptPath_; }

    // Called by Esc before it stops the run; true when it did something else instead (the
    // pattern window closed).
    void setEscapeFirst(std::function<bool()> handler) { escapeFirst_ = std::move(handler); }

    void takePoint();
    // Measures the point again (its first step).
    void measureAgain(const std::string& point);

  signals:
    // After each poll the runner was given, at the runner's time (a scene moves the meter here).
    void polledAt(double t);
    // The step being measured changed (the pattern window follows); -1 when done.
    void stepChanged(int step);
    void pointTaken(int step);
    void finished();
    // The user asked for the kept reports (Results… on the finished page).
    void resultsAsked();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void onPoll();
    void afterChange(bool taken);
    void refresh();
    void refreshSteps();
    void flash();
    void finish();
    bool mayStop();

    GuiMeterSession& meter_;
    Prompts& prompts_;
    const Clock& clock_;
    StatusLine* status_;
    Setup setup_;
    std::function<double()> seconds_;
    std::function<bool()> escapeFirst_;
    std::string started_;
    CaptureRunner runner_;
    std::optional<ProcedureReport> report_;
    QString keptPath_;
    int shownStep_ = -2;
    double lastPoll_ = 0;  // the runner's time of the last poll
    std::optional<double> settlingFrom_;  // the point's start or the last step
    std::optional<double> stableFrom_;    // stable since

    QStackedWidget* pages_;
    QFrame* header_;
    QLabel* counter_;
    QLabel* name_;
    QLabel* detail_;
    QLabel* action_;
    DiagramWidget* diagram_;
    QLabel* reading_;
    QLabel* stability_;
    QListWidget* steps_;
    QLabel* message_;
    ReportView* reportView_;
};

}  // namespace photara
