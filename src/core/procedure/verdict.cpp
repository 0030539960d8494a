#include "core/procedure/verdict.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace photara {

std::string_view verdictText(Verdict v) {
    switch (v) {
        case Verdict::Pass: return "pass";
        case Verdict::PassWithNote: return "pass with note";
        case Verdict::Fail: return "fail";
        case Verdict::NotJudged: return "not judged";
    }
    return "not judged";
}

std::optional<Verdict> verdictFromText(std::string_view text) {
    for (Verdict v : {Verdict::Pass, Verdict::PassWithNote, Verdict::Fail, Verdict::NotJudged}) {
        if (verdictText(v) == text) return v;
    }
    return std::nullopt;
}

bool RunSettings::has(const std::string& option) const {
    return std::find(options.begin(), options.end(), option) != options.end();
}

bool RunSettings::applies(const Criterion& c) const {
    return (c.option.empty() || has(c.option)) && (c.unlessOption.empty() || !has(c.unlessOption));
}

std::string formatNumber(double v) {
    char buf[32];
    const double a = std::fabs(v);
    const int decimals = a >= 100 ? 1 : a >= 10 ? 2 : a >= 1 ? 2 : 3;
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

namespace {

std::string boundText(const Limits& l) {
    auto n = [](double v) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%g", v);
        return std::string(buf);
    };
    if (l.min && l.max) {
        if (!l.minExclusive && !l.maxExclusive) return n(*l.min) + " to " + n(*l.max);
        return std::string(l.minExclusive ? "above " : "at least ") + n(*l.min) +
               (l.maxExclusive ? " and below " : " and at most ") + n(*l.max);
    }
    if (l.min) return (l.minExclusive ? "above " : "at least ") + n(*l.min);
    if (l.max) return (l.maxExclusive ? "below " : "at most ") + n(*l.max);
    return {};
}

// A point's number for a criterion, or why there is none.
struct PointValue {
    std::optional<double> value;
    std::string missing;
};

PointValue valueAt(const Recipe& r, const Measurements& m, const std::string& pointId,
                   const std::string& patch, const std::string& overPatch) {
    const Point* p = r.point(pointId);
    if (!p) return {std::nullopt, "no point " + pointId};
    auto one = [&](const std::string& patchId) -> PointValue {
        const std::string& pid = patchId.empty() ? p->patches.front() : patchId;
        const Capture* c = m.find(pointId, pid);
        if (!c) return {std::nullopt, p->name + " (" + pid + ") not measured"};
        if (c->state != CaptureState::Value) {
            return {std::nullopt, p->name + " (" + pid + ") " + std::string(captureStateText(c->state))};
        }
        return {c->value, {}};
    };
    PointValue v = one(patch);
    if (!v.value || overPatch.empty()) return v;
    PointValue under = one(overPatch);
    if (!under.value) return under;
    if (*under.value <= 0) return {std::nullopt, p->name + " (" + overPatch + ") is zero"};
    return {*v.value / *under.value, {}};
}

CriterionResult start(const Criterion& c, const std::string& point) {
    CriterionResult res;
    res.criterion = c.id;
    res.point = point;
    res.quantity = c.quantity;
    res.limit = limitText(c);
    res.rule = c.rule;
    return res;
}

void decide(const Criterion& c, CriterionResult& res, double measured) {
    res.measured = measured;
    if (!c.pass.any()) {
        res.verdict = Verdict::NotJudged;
        res.note = "no limit";
    } else if (c.pass.contains(measured)) {
        res.verdict = Verdict::Pass;
    } else if (c.note.any() && c.note.contains(measured)) {
        res.verdict = Verdict::PassWithNote;
        res.note = c.noteText;
    } else {
        res.verdict = Verdict::Fail;
    }
}

void notJudged(CriterionResult& res, std::string why) {
    res.verdict = Verdict::NotJudged;
    res.note = std::move(why);
}

std::vector<std::string> pointsOf(const Recipe& r, const std::vector<std::string>& names) {
    std::vector<std::string> ids;
    for (const auto& n : names) {
        for (auto& id : r.resolve(n)) {
            if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(std::move(id));
        }
    }
    return ids;
}

void perPoint(const Recipe& r, const Measurements& m, const Criterion& c,
              std::vector<CriterionResult>& out) {
    std::optional<double> reference;
    std::string referenceMissing;
    std::string referenceId;
    if (!c.reference.empty()) {
        const auto refs = r.resolve(c.reference);
        referenceId = refs.empty() ? c.reference : refs.front();
        const PointValue rv = valueAt(r, m, referenceId, c.patch, c.overPatch);
        reference = rv.value;
        referenceMissing = rv.missing;
        if (reference && *reference <= 0) {
            reference.reset();
            referenceMissing = "the reference is zero";
        }
    }
    for (const auto& id : pointsOf(r, c.points)) {
        if (id == referenceId) continue;
        CriterionResult res = start(c, id);
        const PointValue v = valueAt(r, m, id, c.patch, c.overPatch);
        if (!v.value) {
            notJudged(res, v.missing);
        } else if (!c.reference.empty() && !reference) {
            notJudged(res, referenceMissing);
        } else if (c.kind == CriterionKind::PercentOfReference) {
            decide(c, res, 100.0 * *v.value / *reference);
        } else if (c.kind == CriterionKind::DeviationFromReference) {
            decide(c, res, 100.0 * std::fabs(*v.value / *reference - 1.0));
        } else {
            decide(c, res, *v.value);
            if (c.kind == CriterionKind::Reported) res.note = "reported";
        }
        out.push_back(std::move(res));
    }
}

// Values of all the points, or the first reason one is missing.
std::optional<std::vector<double>> valuesOf(const Recipe& r, const Measurements& m,
                                            const std::vector<std::string>& names,
                                            const std::string& patch, std::string& missing) {
    std::vector<double> values;
    for (const auto& id : pointsOf(r, names)) {
        const PointValue v = valueAt(r, m, id, patch, {});
        if (!v.value) {
            missing = v.missing;
            return std::nullopt;
        }
        values.push_back(*v.value);
    }
    if (values.empty()) {
        missing = "no points";
        return std::nullopt;
    }
    return values;
}

double mean(const std::vector<double>& v) {
    double s = 0;
    for (double x : v) s += x;
    return s / static_cast<double>(v.size());
}

CriterionResult overPoints(const Recipe& r, const Measurements& m, const Criterion& c) {
    CriterionResult res = start(c, "");
    std::string missing;
    const auto values = valuesOf(r, m, c.points, c.patch, missing);
    if (!values) {
        notJudged(res, missing);
        return res;
    }
    if (c.kind == CriterionKind::MaxOverMin) {
        const auto [lo, hi] = std::minmax_element(values->begin(), values->end());
        if (*lo <= 0) {
            notJudged(res, "the darkest point is zero");
        } else {
            decide(c, res, *hi / *lo);
        }
        return res;
    }
    const auto under = valuesOf(r, m, c.overPoints, c.overPatch, missing);
    if (!under) {
        notJudged(res, missing);
    } else if (mean(*under) <= 0) {
        notJudged(res, "the denominator is zero");
    } else {
        decide(c, res, mean(*values) / mean(*under));
    }
    return res;
}

CriterionResult timed(const Recipe& r, const Measurements& m, const Criterion& c) {
    CriterionResult res = start(c, c.points.empty() ? "" : c.points.front());
    const auto ids = pointsOf(r, c.points);
    const Point* p = ids.empty() ? nullptr : r.point(ids.front());
    const Capture* cap = p ? m.find(p->id, p->patches.front()) : nullptr;
    if (!cap) {
        notJudged(res, (p ? p->name : c.points.front()) + " not measured");
        return res;
    }
    res.point = p->id;
    if (c.kind == CriterionKind::TimeToStable) {
        if (!cap->timeToStable) {
            res.verdict = Verdict::Fail;
            res.note = "never stable";
        } else if (c.pass.any()) {
            decide(c, res, *cap->timeToStable);
        } else {
            res.measured = cap->timeToStable;
            res.verdict = Verdict::Pass;
        }
        return res;
    }
    // Run-up: the first reading at or above the level after the mark. The reading at the
    // mark itself was taken before the mains failed.
    const double level = c.fraction * c.required;
    double last = 0;
    for (const auto& tv : cap->readings) {
        if (tv.t <= 0) continue;
        last = tv.t;
        if (tv.value && *tv.value >= level - 1e-9 * std::max(1.0, level)) {
            res.measured = tv.t;
            res.verdict = tv.t <= c.withinSeconds ? Verdict::Pass : Verdict::Fail;
            return res;
        }
    }
    if (last >= c.withinSeconds) {
        res.verdict = Verdict::Fail;
        res.note = "below " + formatNumber(level) + " cd/m2 for all of " + formatNumber(last) + " s";
    } else {
        notJudged(res, "the readings end at " + formatNumber(last) + " s, before the limit");
    }
    return res;
}

}  // namespace

std::string limitText(const Criterion& c) {
    if (c.kind == CriterionKind::RunUp) {
        char buf[96];
        std::snprintf(buf, sizeof buf, "%g cd/m2 within %g s", c.fraction * c.required, c.withinSeconds);
        return buf;
    }
    std::string s = boundText(c.pass);
    if (c.note.any() && !s.empty()) s += " (" + boundText(c.note) + " with a note)";
    return s;
}

ProcedureResult judge(const Recipe& recipe, const Measurements& m, const RunSettings& settings) {
    ProcedureResult out;
    for (const auto& c : recipe.criteria) {
        if (!settings.applies(c)) continue;
        switch (c.kind) {
            case CriterionKind::Value:
            case CriterionKind::PercentOfReference:
            case CriterionKind::DeviationFromReference:
            case CriterionKind::Reported: perPoint(recipe, m, c, out.results); break;
            case CriterionKind::MaxOverMin:
            case CriterionKind::RatioOfMeans: out.results.push_back(overPoints(recipe, m, c)); break;
            case CriterionKind::RunUp:
            case CriterionKind::TimeToStable: out.results.push_back(timed(recipe, m, c)); break;
        }
    }
    if (recipe.grid && recipe.grid->recommendedMin > 0) {
        const int size = static_cast<int>(std::lround(std::sqrt(static_cast<double>(recipe.points.size()))));
        if (size < recipe.grid->recommendedMin && !recipe.grid->belowNote.empty()) {
            out.notes.push_back(recipe.grid->belowNote);
        }
    }
    bool judged = false, note = false, failed = false;
    for (const auto& r : out.results) {
        judged |= r.verdict != Verdict::NotJudged;
        note |= r.verdict == Verdict::PassWithNote;
        failed |= r.verdict == Verdict::Fail;
    }
    out.overall = failed ? Verdict::Fail : !judged ? Verdict::NotJudged : note ? Verdict::PassWithNote : Verdict::Pass;
    return out;
}

}  // namespace photara
