#include "core/procedure/report_page.h"

namespace photara {

namespace {

int severity(Verdict v) {
    switch (v) {
        case Verdict::Fail: return 3;
        case Verdict::PassWithNote: return 2;
        case Verdict::Pass: return 1;
        case Verdict::NotJudged: return 0;
    }
    return 0;
}

ReportRow rowOf(const ProcedureReport& r, const CriterionResult& c) {
    const Point* p = r.recipe.point(c.point);
    return {c.rule, p ? p->name : c.point, c.measured ? formatNumber(*c.measured) + " " + c.quantity : "–",
            c.limit, c.verdict, c.note};
}

// A large grid lists each criterion once and then only the cells that did not pass, so the
// page still prints on one sheet.
constexpr std::size_t kCompactAbove = 24;
constexpr int kListedAtMost = 20;

std::vector<ReportRow> compactRows(const ProcedureReport& r) {
    std::vector<ReportRow> rows;
    std::vector<std::string> order;
    std::map<std::string, std::map<Verdict, int>> counts;
    for (const auto& c : r.result.results) {
        if (!counts.contains(c.criterion)) order.push_back(c.criterion);
        ++counts[c.criterion][c.verdict];
    }
    for (const auto& id : order) {
        const auto& n = counts[id];
        ReportRow summary;
        summary.point = "all points";
        for (const auto& c : r.result.results) {
            if (c.criterion != id) continue;
            summary.rule = c.rule;
            if (worseThan(c.verdict, summary.verdict)) summary.verdict = c.verdict;
        }
        auto count = [&](Verdict v) { return std::to_string(n.contains(v) ? n.at(v) : 0); };
        summary.measured = count(Verdict::Pass) + " pass, " + count(Verdict::PassWithNote) + " with note, " +
                           count(Verdict::Fail) + " fail, " + count(Verdict::NotJudged) + " not judged";
        rows.push_back(std::move(summary));
    }
    int listed = 0;
    for (const auto& c : r.result.results) {
        if (c.verdict == Verdict::Pass) continue;
        if (++listed > kListedAtMost) {
            ReportRow more;
            more.note = "… more in the JSON report";
            more.more = true;
            rows.push_back(std::move(more));
            break;
        }
        rows.push_back(rowOf(r, c));
    }
    return rows;
}

}  // namespace

bool worseThan(Verdict a, Verdict b) { return severity(a) > severity(b); }

std::map<std::string, Verdict> pointVerdicts(const ProcedureResult& result) {
    std::map<std::string, Verdict> worst;
    for (const auto& c : result.results) {
        if (c.point.empty()) continue;
        auto [it, added] = worst.emplace(c.point, c.verdict);
        if (!added && worseThan(c.verdict, it->second)) it->second = c.verdict;
    }
    return worst;
}

std::string captureValueText(const Capture* c) {
    if (!c) return "–";
    if (c->state == CaptureState::OverRange) return "OL";
    if (c->state == CaptureState::BelowRange) return "below range";
    return formatNumber(c->value);
}

ReportPage reportPage(const ProcedureReport& r) {
    ReportPage page;
    const ReportInfo& i = r.info;
    const StandardReference& st = r.recipe.standard;
    page.title = r.recipe.title;
    page.overall = r.result.overall;
    page.notes = r.result.notes;
    page.standard = st.name + ":" + std::to_string(st.year);
    if (!st.clause.empty()) page.standard += ", " + st.clause;
    if (!st.also.empty()) page.standard += "; also " + st.also;
    const std::vector<std::pair<std::string, std::string>> info{
        {"Site", i.site}, {"Asset", i.asset}, {"Operator", i.operatorName}, {"Notes", i.notes},
        {"Meter", i.meter}, {"Started", i.started}, {"Finished", i.finished},
        {"Procedure", r.recipe.id + ", version " + std::to_string(r.recipe.version)},
        {"Standard", page.standard},
        {"Capture", i.captureMode + (i.stability.empty() ? "" : ", stability " + i.stability)}};
    for (const auto& [k, v] : info)
        if (!v.empty()) page.info.emplace_back(k, v);
    if (r.recipe.layout == "warm-up") {
        for (const auto& c : r.measurements.captures)
            if (c.timeToStable || !c.readings.empty()) page.warmUp = c;
    }
    page.pointVerdicts = pointVerdicts(r.result);
    if (r.result.results.size() > kCompactAbove) {
        page.rows = compactRows(r);
    } else {
        for (const auto& c : r.result.results) page.rows.push_back(rowOf(r, c));
    }
    page.footer = "Values in cd/m² (1 fL = 3.4262591 cd/m²). Limits as written in the procedure's recipe after " +
                  page.standard + "; consult the standard for its text. " + i.program + ".";
    return page;
}

}  // namespace photara
