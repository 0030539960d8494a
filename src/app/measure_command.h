#pragma once

#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

#include "ui/measure/measure_choice.h"
#include "ui/measure/measure_setup_dialog.h"

namespace photara {

namespace sim {
class SceneDriver;
class SceneLight;
class VirtualMeter;
}  // namespace sim

struct AppContext;
class GuideWindow;
class PatternWindow;
class ResultsWindow;

// Measure and Results on the panel: the setup window, then the guide (and, for a display,
// the pattern window on the screen chosen); the kept reports. On the virtual meter a scene
// can stand in front of the sensor: the meter is then moved from point to point as a person
// would move it, so a procedure runs with no meter and no hands.
class MeasureCommand {
  public:
    // virtualMeter: the program's virtual meter, or null with a USB meter. Reports are kept
    // in resultsFolder. seconds: the guide's steady clock (a real one when none is given).
    MeasureCommand(AppContext& context, sim::VirtualMeter* virtualMeter, QString meterName, QString resultsFolder,
                   std::function<double()> seconds = {});
    ~MeasureCommand();

    void run();
    void showResults();
    // The guide now open, if any.
    GuideWindow* guide() const;
    PatternWindow* pattern() const;
    MeasureSetupDialog* setupDialog() const { return setup_; }
    // Starts a run as the setup window's Start does.
    void start(const MeasureChoice& choice);

  private:
    bool aimAtScene(const MeasureChoice& choice, MeasureChoice& run);
    void endScene();

    AppContext& context_;
    sim::VirtualMeter* virtualMeter_;
    QString meterName_;
    QString resultsFolder_;
    std::function<double()> seconds_;
    QPointer<MeasureSetupDialog> setup_;
    QPointer<GuideWindow> guide_;
    QPointer<PatternWindow> pattern_;
    QPointer<ResultsWindow> results_;
    // Shared with the virtual meter, which reads it on the session's thread until told to stop.
    std::shared_ptr<sim::SceneLight> light_;
    std::unique_ptr<sim::SceneDriver> driver_;
};

// The scenes installed in dataDir/scenes, for the setup window's list.
std::vector<SceneOption> installedScenes(const QString& dataDir);

}  // namespace photara
