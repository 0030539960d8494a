#include "core/procedure/point_history.h"

#include <algorithm>

#include "core/procedure/report_page.h"

namespace photara {

std::vector<HistoryEntry> pointHistory(const std::vector<ProcedureReport>& reports, const std::string& point) {
    std::vector<HistoryEntry> entries;
    for (const ProcedureReport& r : reports) {
        const Point* p = r.recipe.point(point);
        if (!p || p->patches.empty()) continue;
        const Capture* c = r.measurements.find(point, p->patches.front());
        if (!c) continue;
        HistoryEntry e;
        e.finished = r.info.finished;
        if (c->state == CaptureState::Value) e.value = c->value;
        e.valueText = captureValueText(c);
        const auto verdicts = pointVerdicts(r.result);
        if (const auto it = verdicts.find(point); it != verdicts.end()) e.verdict = it->second;
        entries.push_back(std::move(e));
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const HistoryEntry& a, const HistoryEntry& b) { return a.finished < b.finished; });
    return entries;
}

std::vector<HistoryBand> historyBands(const Recipe& recipe, const RunSettings& settings, const std::string& point) {
    std::vector<HistoryBand> bands;
    const Point* p = recipe.point(point);
    if (!p || p->patches.empty()) return bands;
    for (const Criterion& c : recipe.criteria) {
        if (c.kind != CriterionKind::Value || !settings.applies(c) || !c.overPatch.empty()) continue;
        if (!c.patch.empty() && c.patch != p->patches.front()) continue;
        const bool here = std::any_of(c.points.begin(), c.points.end(), [&](const std::string& name) {
            const auto ids = recipe.resolve(name);
            return std::find(ids.begin(), ids.end(), point) != ids.end();
        });
        if (!here) continue;
        if (c.note.any()) bands.push_back({c.note, Verdict::PassWithNote, c.rule});
        if (c.pass.any()) bands.push_back({c.pass, Verdict::Pass, c.rule});
    }
    return bands;
}

std::optional<Recipe> recipeOfReport(const RecipeListing& recipes, const ProcedureReport& report) {
    for (const ListedRecipe& listed : recipes.recipes) {
        if (listed.recipe.id != report.recipe.id || listed.recipe.version != report.recipe.version) continue;
        const int size = report.settings.gridSize ? report.settings.gridSize
                                                  : (listed.recipe.grid ? listed.recipe.grid->defaultSize : 0);
        return withGrid(listed.recipe, size);
    }
    return std::nullopt;
}

std::vector<const Point*> chartablePoints(const Recipe& recipe) {
    std::vector<const Point*> points;
    for (const Point& p : recipe.points)
        if (p.capture == PointCapture::Spot && !p.patches.empty()) points.push_back(&p);
    return points;
}

}  // namespace photara
