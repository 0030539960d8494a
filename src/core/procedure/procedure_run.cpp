#include "core/procedure/procedure_run.h"

#include <algorithm>

namespace photara {

std::variant<RunPlan, RunPlanError> planRun(const Recipe& recipe, const RunSettings& settings, CaptureMode mode,
                                           const std::string& stabilityPreset) {
    for (const std::string& option : settings.options) {
        if (std::none_of(recipe.options.begin(), recipe.options.end(),
                         [&](const RecipeOption& o) { return o.id == option; }))
            return RunPlanError{RunPlanError::What::Option, recipe.id + " has no option '" + option + "'"};
    }
    if (settings.gridSize != 0) {
        if (!recipe.grid) return RunPlanError{RunPlanError::What::Grid, recipe.id + " has no grid"};
        const std::vector<int>& sizes = recipe.grid->sizes;
        if (std::find(sizes.begin(), sizes.end(), settings.gridSize) == sizes.end()) {
            std::string list;
            for (int n : sizes) list += (list.empty() ? "" : ", ") + std::to_string(n);
            return RunPlanError{RunPlanError::What::Grid, recipe.id + " takes " + list};
        }
    }
    const std::string preset = !stabilityPreset.empty() ? stabilityPreset
                               : !recipe.stability.empty() ? recipe.stability
                                                           : "spot";
    const std::optional<StabilityCriteria> stability = stabilityFromText(preset);
    if (!stability) {
        std::string names;
        for (const std::string& n : stabilityPresetNames()) names += n + ", ";
        return RunPlanError{RunPlanError::What::Stability,
                            "'" + preset + "' is none of " + names + "custom:<window s>,<tolerance %>"};
    }
    RunPlan plan;
    plan.settings = settings;
    plan.recipe = withGrid(recipe, settings.gridSize);
    plan.steps = stepsOf(plan.recipe, settings.options);
    plan.mode = mode;
    plan.stability = *stability;
    return plan;
}

ProcedureReport makeReport(const RunPlan& plan, const Measurements& measurements, ReportInfo info) {
    ProcedureReport report;
    info.captureMode = std::string(captureModeText(plan.mode));
    info.stability = plan.stability.name;
    report.info = std::move(info);
    report.recipe = plan.recipe;
    report.settings = plan.settings;
    report.measurements = measurements;
    report.result = judge(plan.recipe, measurements, plan.settings);
    return report;
}

}  // namespace photara
