#include "core/procedure/recipe.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "core/procedure/json_fields.h"

namespace photara {

// A limit that a displayed reading meets exactly must be met: 38.4 / 48 is 0.79999… in a
// double, yet 80.0 % to the person holding the meter.
bool Limits::contains(double v) const {
    constexpr double kRelative = 1e-9;
    auto slack = [](double bound) { return kRelative * std::max(1.0, std::fabs(bound)); };
    if (min) {
        const double s = slack(*min);
        if (minExclusive ? !(v > *min + s) : !(v >= *min - s)) return false;
    }
    if (max) {
        const double s = slack(*max);
        if (maxExclusive ? !(v < *max - s) : !(v <= *max + s)) return false;
    }
    return true;
}

const Point* Recipe::point(const std::string& pid) const {
    for (const auto& p : points) {
        if (p.id == pid) return &p;
    }
    return nullptr;
}

const Patch* Recipe::patch(const std::string& pid) const {
    for (const auto& p : patches) {
        if (p.id == pid) return &p;
    }
    return nullptr;
}

std::vector<std::string> Recipe::resolve(const std::string& name) const {
    if (point(name)) return {name};
    std::vector<std::string> ids;
    for (const auto& p : points) {
        if (std::find(p.groups.begin(), p.groups.end(), name) != p.groups.end()) ids.push_back(p.id);
    }
    return ids;
}

std::optional<PointCapture> captureFromText(std::string_view s) {
    if (s == "spot") return PointCapture::Spot;
    if (s == "run_up") return PointCapture::RunUp;
    if (s == "warm_up") return PointCapture::WarmUp;
    return std::nullopt;
}

std::string_view captureText(PointCapture c) {
    switch (c) {
        case PointCapture::Spot: return "spot";
        case PointCapture::RunUp: return "run_up";
        case PointCapture::WarmUp: return "warm_up";
    }
    return "spot";
}

std::string RecipeError::text() const {
    std::string s = file;
    if (line > 0) s += ": line " + std::to_string(line);
    if (!field.empty()) s += ": " + field;
    return s + ": " + message;
}

namespace {

const std::set<std::string> kLayouts{"screen", "grid", "patches", "sign", "warm-up"};

// "r3c12": a cell that withGrid makes.
bool isGridCell(const std::string& name) {
    std::size_t i = 0;
    auto digits = [&] {
        const std::size_t from = i;
        while (i < name.size() && name[i] >= '0' && name[i] <= '9') ++i;
        return i > from;
    };
    if (i >= name.size() || name[i++] != 'r' || !digits()) return false;
    if (i >= name.size() || name[i++] != 'c' || !digits()) return false;
    return i == name.size();
}

bool isGridName(const std::string& name) {
    return name == "cells" || name == "centre" || name == "outer" || isGridCell(name);
}

std::optional<CriterionKind> kindFromText(const std::string& s) {
    if (s == "value") return CriterionKind::Value;
    if (s == "percent_of_reference") return CriterionKind::PercentOfReference;
    if (s == "deviation_from_reference") return CriterionKind::DeviationFromReference;
    if (s == "max_over_min") return CriterionKind::MaxOverMin;
    if (s == "ratio_of_means") return CriterionKind::RatioOfMeans;
    if (s == "run_up") return CriterionKind::RunUp;
    if (s == "time_to_stable") return CriterionKind::TimeToStable;
    if (s == "reported") return CriterionKind::Reported;
    return std::nullopt;
}


void readLimits(JsonFields& f, Limits& l, const char* min, const char* max, const char* above,
                const char* below) {
    l.min = f.optNumber(min);
    l.max = f.optNumber(max);
    if (auto a = f.optNumber(above)) {
        l.min = a;
        l.minExclusive = true;
    }
    if (auto b = f.optNumber(below)) {
        l.max = b;
        l.maxExclusive = true;
    }
}

class RecipeReader {
  public:
    explicit RecipeReader(JsonReport& report) : report_(report) {}

    Recipe read(const JsonValue& root) {
        Recipe r;
        JsonFields f(report_, root, "");
        if (!f.object()) return r;
        if (f.text("format") != "photara-procedure") {
            f.fail("format", "this is no Photara procedure (\"format\": \"photara-procedure\")");
            return r;
        }
        r.formatVersion = f.integer("format_version", 1, 1000);
        if (report_.ok() && r.formatVersion > kRecipeFormatVersion) {
            f.fail("format_version", "written for a newer Photara (format " +
                                         std::to_string(r.formatVersion) + ")");
            return r;
        }
        r.id = f.identifier("id");
        r.version = f.integer("version", 1, 1000000);
        r.title = f.text("title");
        r.summary = f.optText("summary");
        r.layout = f.text("layout");
        if (report_.ok() && !kLayouts.contains(r.layout)) f.fail("layout", "unknown layout \"" + r.layout + "\"");
        r.unit = f.optText("unit", "cd/m2");
        if (report_.ok() && r.unit != "cd/m2") f.fail("unit", "limits are written in cd/m2");
        r.stability = f.optText("stability", "spot");
        if (auto s = f.member("standard", true)) {
            JsonFields sf(report_, *s, "standard");
            if (sf.object()) {
                r.standard.name = sf.text("name");
                r.standard.clause = sf.optText("clause");
                r.standard.year = sf.integer("year", 1900, 2200);
                r.standard.also = sf.optText("also");
                sf.done();
            }
        }
        f.each("options", false, [&](JsonFields& o) {
            r.options.push_back({o.identifier("id"), o.text("label")});
        });
        f.each("patches", true, [&](JsonFields& p) {
            Patch patch{p.identifier("id"), p.text("shows"), p.optText("option")};
            if (r.patch(patch.id)) p.fail("id", "the patch \"" + patch.id + "\" is given twice");
            r.patches.push_back(std::move(patch));
        });
        if (auto g = f.member("grid", false)) readGrid(r, *g);
        f.each("points", r.layout != "grid", [&](JsonFields& p) { readPoint(r, p); });
        if (r.layout == "grid" && !r.grid && report_.ok()) f.fail("grid", "a grid layout needs a \"grid\"");
        f.each("criteria", true, [&](JsonFields& c) { readCriterion(r, c); });
        f.done();
        if (report_.ok()) checkOptions(r, f);
        return r;
    }

  private:
    void checkPatchIds(const Recipe& r, JsonFields& f, const char* field,
                       const std::vector<std::string>& ids) {
        for (const auto& id : ids) {
            if (!r.patch(id)) f.fail(field, "no patch \"" + id + "\"");
        }
    }

    void readGrid(Recipe& r, const JsonValue& v) {
        JsonFields g(report_, v, "grid");
        if (!g.object()) return;
        GridLayout layout;
        layout.sizes = g.integers("sizes", 1, 15);
        layout.defaultSize = g.integer("default", 1, 15);
        layout.recommendedMin = g.optInteger("recommended_min", 0, 15).value_or(0);
        layout.belowNote = g.optText("below_note");
        layout.patches = g.texts("patches");
        checkPatchIds(r, g, "patches", layout.patches);
        if (report_.ok() && std::find(layout.sizes.begin(), layout.sizes.end(), layout.defaultSize) == layout.sizes.end()) {
            g.fail("default", "not one of the sizes");
        }
        for (int s : layout.sizes) {
            if (report_.ok() && s % 2 == 0) g.fail("sizes", "a grid needs a centre cell: odd sizes only");
        }
        g.done();
        r.grid = std::move(layout);
    }

    void readPoint(Recipe& r, JsonFields& p) {
        Point pt;
        pt.id = p.identifier("id");
        pt.name = p.text("name");
        pt.where = p.optText("where");
        pt.x = p.optNumber("x").value_or(0.5);
        pt.y = p.optNumber("y").value_or(0.5);
        if (pt.x < 0 || pt.x > 1) p.fail("x", "must lie between 0 and 1");
        if (pt.y < 0 || pt.y > 1) p.fail("y", "must lie between 0 and 1");
        pt.groups = p.texts("groups", false);
        pt.patches = p.texts("patches");
        checkPatchIds(r, p, "patches", pt.patches);
        if (report_.ok() && pt.patches.empty()) p.fail("patches", "a point needs at least one patch");
        const std::string capture = p.optText("capture", "spot");
        if (auto c = captureFromText(capture)) {
            pt.capture = *c;
        } else {
            p.fail("capture", "unknown capture \"" + capture + "\"");
        }
        pt.option = p.optText("option");
        if (report_.ok() && r.point(pt.id)) p.fail("id", "the point \"" + pt.id + "\" is given twice");
        r.points.push_back(std::move(pt));
    }

    void readCriterion(Recipe& r, JsonFields& c) {
        Criterion cr;
        cr.id = c.identifier("id");
        cr.rule = c.text("rule");
        const std::string kind = c.text("kind");
        if (auto k = kindFromText(kind)) {
            cr.kind = *k;
        } else if (report_.ok()) {
            c.fail("kind", "unknown kind \"" + kind + "\"");
        }
        cr.points = c.texts("points");
        cr.overPoints = c.texts("over_points", cr.kind == CriterionKind::RatioOfMeans);
        cr.patch = c.optText("patch");
        cr.overPatch = c.optText("over_patch");
        for (const char* field : {"patch", "over_patch"}) {
            const std::string id = c.optText(field);
            if (!id.empty() && !r.patch(id)) c.fail(field, "no patch \"" + id + "\"");
        }
        cr.reference = c.optText("reference");
        const bool needsReference = cr.kind == CriterionKind::PercentOfReference ||
                                    cr.kind == CriterionKind::DeviationFromReference;
        if (report_.ok() && needsReference && cr.reference.empty()) c.fail("reference", "missing");
        cr.quantity = c.optText("quantity");
        readLimits(c, cr.pass, "min", "max", "above", "below");
        readLimits(c, cr.note, "note_min", "note_max", "note_above", "note_below");
        cr.noteText = c.optText("note");
        if (report_.ok() && cr.note.any() && cr.noteText.empty()) c.fail("note", "a note band needs its note");
        cr.option = c.optText("option");
        cr.unlessOption = c.optText("unless_option");
        if (cr.kind == CriterionKind::RunUp) {
            cr.required = c.number("required");
            cr.fraction = c.number("fraction");
            cr.withinSeconds = c.number("within_s");
            if (report_.ok() && (cr.fraction <= 0 || cr.fraction > 1)) c.fail("fraction", "must lie in (0, 1]");
        }
        // A grid's points appear only once its size is chosen: only its groups can be named.
        if (report_.ok() && r.layout == "grid") {
            for (const auto* list : {&cr.points, &cr.overPoints}) {
                for (const auto& name : *list) {
                    if (!isGridName(name)) c.fail(list == &cr.points ? "points" : "over_points",
                                                  "a grid names \"cells\", \"centre\", \"outer\" or r<row>c<column>");
                }
            }
            if (!cr.reference.empty() && cr.reference != "centre" && !isGridCell(cr.reference)) {
                c.fail("reference", "a grid's reference is \"centre\" or r<row>c<column>");
            }
        }
        if (report_.ok() && r.layout != "grid") {
            auto known = [&](const std::string& name) { return !r.resolve(name).empty(); };
            for (const auto* list : {&cr.points, &cr.overPoints}) {
                for (const auto& name : *list) {
                    if (!known(name)) c.fail(list == &cr.points ? "points" : "over_points",
                                             "no point or group \"" + name + "\"");
                }
            }
            if (!cr.reference.empty() && r.resolve(cr.reference).size() != 1) {
                c.fail("reference", "\"" + cr.reference + "\" must name exactly one point");
            }
        }
        if (report_.ok() && std::any_of(r.criteria.begin(), r.criteria.end(),
                                        [&](const Criterion& o) { return o.id == cr.id; })) {
            c.fail("id", "the criterion \"" + cr.id + "\" is given twice");
        }
        r.criteria.push_back(std::move(cr));
    }

    void checkOptions(const Recipe& r, JsonFields& f) {
        auto known = [&](const std::string& o) {
            return o.empty() || std::any_of(r.options.begin(), r.options.end(),
                                            [&](const RecipeOption& x) { return x.id == o; });
        };
        for (const auto& p : r.patches) {
            if (!known(p.option)) return f.fail("patches", "no option \"" + p.option + "\"");
        }
        for (const auto& p : r.points) {
            if (!known(p.option)) return f.fail("points", "no option \"" + p.option + "\"");
        }
        for (const auto& c : r.criteria) {
            if (!known(c.option) || !known(c.unlessOption)) {
                return f.fail("criteria", "criterion \"" + c.id + "\" names an unknown option");
            }
        }
    }

    JsonReport& report_;
};

}  // namespace

std::variant<Recipe, RecipeError> readRecipe(std::string_view text, const std::string& fileName) {
    auto parsed = parseJson(text);
    if (auto* e = std::get_if<JsonError>(&parsed)) {
        return RecipeError{fileName, e->line, "", e->message + " (column " + std::to_string(e->column) + ")"};
    }
    JsonReport report;
    Recipe r = RecipeReader(report).read(std::get<JsonValue>(parsed));
    if (!report.ok()) return RecipeError{fileName, report.line, report.field, report.message};
    return r;
}

Recipe withGrid(const Recipe& recipe, int size) {
    if (!recipe.grid) return recipe;
    const auto& sizes = recipe.grid->sizes;
    if (std::find(sizes.begin(), sizes.end(), size) == sizes.end()) size = recipe.grid->defaultSize;
    Recipe r = recipe;
    r.points.clear();
    const int mid = size / 2;
    for (int row = 0; row < size; ++row) {
        for (int col = 0; col < size; ++col) {
            Point p;
            p.id = "r" + std::to_string(row + 1) + "c" + std::to_string(col + 1);
            p.name = "Row " + std::to_string(row + 1) + ", column " + std::to_string(col + 1);
            p.where = "centre of the cell";
            p.x = (col + 0.5) / size;
            p.y = (row + 0.5) / size;
            p.groups = {"cells"};
            if (row == mid && col == mid) {
                p.groups.push_back("centre");
                p.name = "Centre cell";
            } else {
                p.groups.push_back("outer");
            }
            p.patches = recipe.grid->patches;
            r.points.push_back(std::move(p));
        }
    }
    return r;
}

std::vector<Step> stepsOf(const Recipe& recipe, const std::vector<std::string>& options) {
    auto on = [&](const std::string& o) {
        return o.empty() || std::find(options.begin(), options.end(), o) != options.end();
    };
    std::vector<Step> steps;
    // Patch by patch: a display shows one field for all its points before it changes.
    for (const auto& patch : recipe.patches) {
        if (!on(patch.option)) continue;
        for (const auto& p : recipe.points) {
            if (!on(p.option)) continue;
            if (std::find(p.patches.begin(), p.patches.end(), patch.id) != p.patches.end()) {
                steps.push_back({p.id, patch.id});
            }
        }
    }
    return steps;
}

}  // namespace photara
