#pragma once

#include <optional>
#include <variant>
#include <string>
#include <vector>

#include "core/procedure/capture_runner.h"
#include "core/procedure/report.h"

namespace photara {

// A run set up from the user's choices, whether they came from photara-cli's options or the
// Measure window: the recipe with its grid expanded, the steps in measuring order, and how
// points are taken.
struct RunPlan {
    Recipe recipe;
    RunSettings settings;
    std::vector<Step> steps;
    CaptureMode mode = CaptureMode::Enter;
    StabilityCriteria stability;
};

// The plan for recipe with the options and grid size of settings, the capture mode and a
// stability preset's name (empty: the recipe's own, else "spot"); the reason a choice is
// refused ("film-screen has no option 'smoke'", "--grid" style is the caller's to add).
struct RunPlanError {
    enum class What { Option, Grid, Stability } what;
    std::string message;
};
std::variant<RunPlan, RunPlanError> planRun(const Recipe& recipe, const RunSettings& settings, CaptureMode mode,
                                           const std::string& stabilityPreset);

// The finished run as a report: the captures judged against the plan's recipe. info carries
// who, where and with what; the capture mode and stability are filled from the plan.
ProcedureReport makeReport(const RunPlan& plan, const Measurements& measurements, ReportInfo info);

}  // namespace photara
