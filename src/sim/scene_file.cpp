#include "sim/scene_file.h"

#include "core/procedure/json_fields.h"
#include "core/procedure/recipe_library.h"

namespace photara::sim {

std::variant<Scene, std::string> readSceneFile(const std::string& path) {
    std::string text, error;
    if (!readTextFile(path, text, error)) return error;
    return readScene(text, path);
}

std::variant<Scene, std::string> readScene(std::string_view text, const std::string& fileName) {
    auto parsed = parseJson(text);
    if (auto* e = std::get_if<JsonError>(&parsed)) {
        return fileName + ": line " + std::to_string(e->line) + ": " + e->message;
    }
    JsonReport report;
    Scene s;
    JsonFields f(report, std::get<JsonValue>(parsed), "");
    if (f.object()) {
        if (f.text("format") != "photara-scene" && report.ok()) {
            f.fail("format", "this is no Photara scene (\"format\": \"photara-scene\")");
        }
        const int version = f.integer("format_version", 1, 1000);
        if (report.ok() && version > kSceneFormatVersion) f.fail("format_version", "written for a newer Photara");
        s.title = f.optText("title");
        s.procedure = f.identifier("procedure");
        s.expect = f.text("expect");
        if (report.ok() && s.expect != "pass" && s.expect != "pass with note" && s.expect != "fail" &&
            s.expect != "not judged") {
            f.fail("expect", "one of \"pass\", \"pass with note\", \"fail\", \"not judged\"");
        }
        s.options = f.texts("options", false);
        s.gridSize = f.optInteger("grid_size", 1, 15).value_or(0);
        s.noisePercent = f.optNumber("noise_percent").value_or(0);
        if (report.ok() && (s.noisePercent < 0 || s.noisePercent > 50)) f.fail("noise_percent", "from 0 to 50");
        s.seed = static_cast<unsigned>(f.optInteger("seed", 0, 1 << 30).value_or(1));
        if (const JsonValue* t = f.member("transit", false)) {
            JsonFields tf(report, *t, "transit");
            if (tf.object()) {
                s.transitSeconds = tf.optNumber("seconds").value_or(1.0);
                s.transitLuminance = tf.optNumber("luminance").value_or(0.3);
                tf.done();
            }
        }
        if (const JsonValue* w = f.member("warm_up", false)) {
            JsonFields wf(report, *w, "warm_up");
            if (wf.object()) {
                s.warmUpStartFraction = wf.number("start_fraction");
                s.warmUpTimeConstant = wf.number("time_constant_s");
                if (report.ok() && s.warmUpTimeConstant <= 0) wf.fail("time_constant_s", "must be above 0");
                wf.done();
            }
        }
        if (const JsonValue* r = f.member("run_up", false)) {
            if (!r->isArray()) f.fail("run_up", "expected a list of [seconds, fraction]");
            for (std::size_t i = 0; report.ok() && r->isArray() && i < r->array.size(); ++i) {
                const JsonValue& pair = r->array[i];
                if (!pair.isArray() || pair.array.size() != 2 || !pair.array[0].isNumber() ||
                    !pair.array[1].isNumber() || (!s.runUp.empty() && pair.array[0].number <= s.runUp.back().first)) {
                    report = {pair.line, "run_up[" + std::to_string(i) + "]",
                              "expected [seconds, fraction], seconds rising"};
                    break;
                }
                s.runUp.emplace_back(pair.array[0].number, pair.array[1].number);
            }
        }
        if (const JsonValue* l = f.member("luminance", true)) {
            JsonFields lf(report, *l, "luminance");
            if (lf.object()) {
                for (const auto& [patch, values] : l->members) {
                    JsonFields pf(report, values, "luminance." + patch);
                    if (!pf.object()) break;
                    for (const auto& [where, v] : values.members) {
                        const auto n = pf.optNumber(where);
                        if (!report.ok()) break;
                        if (*n < 0 && *n != -1) pf.fail(where, "a luminance is 0 or more (-1: OL)");
                        s.luminance[patch][where] = *n;
                    }
                }
            }
        }
        f.done();
    }
    if (!report.ok()) {
        return fileName + ": line " + std::to_string(report.line) + ": " + report.field + ": " + report.message;
    }
    return s;
}

}  // namespace photara::sim
