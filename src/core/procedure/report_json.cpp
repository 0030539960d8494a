#include "core/procedure/report.h"

#include "core/procedure/json_value.h"

namespace photara {

namespace {

std::string optionalNumber(const std::optional<double>& v) { return v ? jsonNumber(*v) : "null"; }

std::string patchJson(const Capture& c) {
    std::string s = "{\"patch\": " + jsonQuote(c.patch) + ", \"state\": " +
                    jsonQuote(captureStateText(c.state)) + ", \"value\": " +
                    (c.state == CaptureState::Value ? jsonNumber(c.value) : "null") +
                    ", \"unit\": \"cd/m2\", \"trigger\": " + jsonQuote(captureTriggerText(c.trigger)) +
                    ", \"captured_at\": " + jsonQuote(c.capturedAt);
    if (c.timeToStable || c.driftPercentPerMinute != 0) {
        s += ", \"time_to_stable_s\": " + optionalNumber(c.timeToStable) +
             ", \"drift_percent_per_minute\": " + jsonNumber(c.driftPercentPerMinute);
    }
    s += ",\n          \"readings\": [";
    for (std::size_t i = 0; i < c.readings.size(); ++i) {
        if (i) s += ", ";
        s += "[" + jsonNumber(c.readings[i].t) + ", " + optionalNumber(c.readings[i].value) + "]";
    }
    return s + "]}";
}

std::vector<std::string> strings(const JsonValue* v) {
    std::vector<std::string> out;
    if (v && v->isArray()) {
        for (const auto& item : v->array) {
            if (item.isString()) out.push_back(item.string);
        }
    }
    return out;
}

std::string text(const JsonValue& o, const char* name) {
    const JsonValue* v = o.find(name);
    return v && v->isString() ? v->string : "";
}

std::optional<double> number(const JsonValue& o, const char* name) {
    const JsonValue* v = o.find(name);
    return v && v->isNumber() ? std::optional<double>(v->number) : std::nullopt;
}

}  // namespace

std::string reportJson(const ProcedureReport& r) {
    const ReportInfo& i = r.info;
    std::string s = "{\n  \"format\": \"photara-report\",\n  \"format_version\": " +
                    std::to_string(kReportFormatVersion) + ",\n";
    s += "  \"program\": " + jsonQuote(i.program) + ",\n";
    s += "  \"procedure\": {\"id\": " + jsonQuote(r.recipe.id) + ", \"version\": " +
         std::to_string(r.recipe.version) + ", \"title\": " + jsonQuote(r.recipe.title) +
         ", \"layout\": " + jsonQuote(r.recipe.layout) + ",\n    \"standard\": {\"name\": " +
         jsonQuote(r.recipe.standard.name) + ", \"clause\": " + jsonQuote(r.recipe.standard.clause) +
         ", \"year\": " + std::to_string(r.recipe.standard.year) + ", \"also\": " +
         jsonQuote(r.recipe.standard.also) + "},\n    \"options\": [";
    for (std::size_t k = 0; k < r.settings.options.size(); ++k) {
        s += (k ? ", " : "") + jsonQuote(r.settings.options[k]);
    }
    s += "], \"grid_size\": " + std::to_string(r.settings.gridSize) + "},\n";
    for (const auto& [name, value] : {std::pair{"site", &i.site}, {"asset", &i.asset}, {"operator", &i.operatorName},
                                      {"notes", &i.notes}, {"meter", &i.meter}, {"started", &i.started},
                                      {"finished", &i.finished}, {"capture", &i.captureMode},
                                      {"stability", &i.stability}}) {
        s += std::string("  \"") + name + "\": " + jsonQuote(*value) + ",\n";
    }
    s += "  \"verdict\": " + jsonQuote(verdictText(r.result.overall)) + ",\n  \"verdict_notes\": [";
    for (std::size_t k = 0; k < r.result.notes.size(); ++k) s += (k ? ", " : "") + jsonQuote(r.result.notes[k]);
    s += "],\n  \"points\": [";
    for (std::size_t k = 0; k < r.recipe.points.size(); ++k) {
        const Point& p = r.recipe.points[k];
        s += k ? ",\n    " : "\n    ";
        s += "{\"id\": " + jsonQuote(p.id) + ", \"name\": " + jsonQuote(p.name) + ", \"where\": " +
             jsonQuote(p.where) + ", \"x\": " + jsonNumber(p.x) + ", \"y\": " + jsonNumber(p.y) +
             ", \"capture\": " + jsonQuote(captureText(p.capture)) + ", \"groups\": [";
        for (std::size_t g = 0; g < p.groups.size(); ++g) s += (g ? ", " : "") + jsonQuote(p.groups[g]);
        s += "],\n      \"values\": [";
        bool first = true;
        for (const auto& patch : p.patches) {
            if (const Capture* c = r.measurements.find(p.id, patch)) {
                s += (first ? "\n        " : ",\n        ") + patchJson(*c);
                first = false;
            }
        }
        s += "]}";
    }
    s += "\n  ],\n  \"criteria\": [";
    for (std::size_t k = 0; k < r.result.results.size(); ++k) {
        const CriterionResult& c = r.result.results[k];
        s += (k ? ",\n    " : "\n    ");
        s += "{\"criterion\": " + jsonQuote(c.criterion) + ", \"point\": " + jsonQuote(c.point) +
             ", \"verdict\": " + jsonQuote(verdictText(c.verdict)) + ", \"measured\": " +
             optionalNumber(c.measured) + ", \"quantity\": " + jsonQuote(c.quantity) + ", \"limit\": " +
             jsonQuote(c.limit) + ",\n      \"rule\": " + jsonQuote(c.rule) + ", \"note\": " + jsonQuote(c.note) + "}";
    }
    s += "\n  ]\n}\n";
    return s;
}

std::variant<ProcedureReport, std::string> readReport(std::string_view textIn) {
    auto parsed = parseJson(textIn);
    if (auto* e = std::get_if<JsonError>(&parsed)) {
        return "line " + std::to_string(e->line) + ": " + e->message;
    }
    const JsonValue& root = std::get<JsonValue>(parsed);
    if (!root.isObject() || text(root, "format") != "photara-report") return std::string("not a Photara report");
    if (number(root, "format_version").value_or(0) > kReportFormatVersion) {
        return std::string("written by a newer Photara");
    }
    ProcedureReport r;
    ReportInfo& i = r.info;
    i.program = text(root, "program");
    i.site = text(root, "site");
    i.asset = text(root, "asset");
    i.operatorName = text(root, "operator");
    i.notes = text(root, "notes");
    i.meter = text(root, "meter");
    i.started = text(root, "started");
    i.finished = text(root, "finished");
    i.captureMode = text(root, "capture");
    i.stability = text(root, "stability");
    if (const JsonValue* p = root.find("procedure"); p && p->isObject()) {
        r.recipe.id = text(*p, "id");
        r.recipe.version = static_cast<int>(number(*p, "version").value_or(0));
        r.recipe.title = text(*p, "title");
        r.recipe.layout = text(*p, "layout");
        r.settings.options = strings(p->find("options"));
        r.settings.gridSize = static_cast<int>(number(*p, "grid_size").value_or(0));
        if (const JsonValue* st = p->find("standard"); st && st->isObject()) {
            r.recipe.standard = {text(*st, "name"), text(*st, "clause"),
                                 static_cast<int>(number(*st, "year").value_or(0)), text(*st, "also")};
        }
    }
    r.result.overall = verdictFromText(text(root, "verdict")).value_or(Verdict::NotJudged);
    r.result.notes = strings(root.find("verdict_notes"));
    if (const JsonValue* points = root.find("points"); points && points->isArray()) {
        for (const auto& pv : points->array) {
            if (!pv.isObject()) continue;
            Point p;
            p.id = text(pv, "id");
            p.name = text(pv, "name");
            p.where = text(pv, "where");
            p.x = number(pv, "x").value_or(0.5);
            p.y = number(pv, "y").value_or(0.5);
            p.groups = strings(pv.find("groups"));
            p.capture = captureFromText(text(pv, "capture")).value_or(PointCapture::Spot);
            const JsonValue* values = pv.find("values");
            for (const auto& cv : values && values->isArray() ? values->array : std::vector<JsonValue>{}) {
                if (!cv.isObject()) continue;
                Capture c;
                c.point = p.id;
                c.patch = text(cv, "patch");
                const std::string state = text(cv, "state");
                for (CaptureState s : {CaptureState::Value, CaptureState::OverRange, CaptureState::BelowRange}) {
                    if (captureStateText(s) == state) c.state = s;
                }
                const std::string trigger = text(cv, "trigger");
                for (CaptureTrigger t : {CaptureTrigger::Enter, CaptureTrigger::Hold, CaptureTrigger::Auto}) {
                    if (captureTriggerText(t) == trigger) c.trigger = t;
                }
                c.value = number(cv, "value").value_or(0);
                c.capturedAt = text(cv, "captured_at");
                c.timeToStable = number(cv, "time_to_stable_s");
                c.driftPercentPerMinute = number(cv, "drift_percent_per_minute").value_or(0);
                if (const JsonValue* rs = cv.find("readings"); rs && rs->isArray()) {
                    for (const auto& pair : rs->array) {
                        if (!pair.isArray() || pair.array.size() != 2 || !pair.array[0].isNumber()) continue;
                        c.readings.push_back({pair.array[0].number, pair.array[1].isNumber()
                                                                        ? std::optional<double>(pair.array[1].number)
                                                                        : std::nullopt});
                    }
                }
                p.patches.push_back(c.patch);
                r.measurements.put(std::move(c));
            }
            r.recipe.points.push_back(std::move(p));
        }
    }
    if (const JsonValue* criteria = root.find("criteria"); criteria && criteria->isArray()) {
        for (const auto& cv : criteria->array) {
            if (!cv.isObject()) continue;
            CriterionResult c;
            c.criterion = text(cv, "criterion");
            c.point = text(cv, "point");
            c.verdict = verdictFromText(text(cv, "verdict")).value_or(Verdict::NotJudged);
            c.measured = number(cv, "measured");
            c.quantity = text(cv, "quantity");
            c.limit = text(cv, "limit");
            c.rule = text(cv, "rule");
            c.note = text(cv, "note");
            r.result.results.push_back(std::move(c));
        }
    }
    return r;
}

}  // namespace photara
