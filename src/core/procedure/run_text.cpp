#include "core/procedure/run_text.h"

#include <algorithm>
#include <array>

#include "core/common/atomic_file.h"

namespace photara {

namespace {

std::string actionText(const CaptureRunner& runner, const Point& p, CaptureMode mode, const std::string& enter) {
    if (p.capture == PointCapture::RunUp) {
        return runner.awaitingMark() ? "aim the meter, then press " + enter + " the moment the mains fail"
                                     : "recording the run-up; " + enter + " ends it early";
    }
    if (p.capture == PointCapture::WarmUp) return "switch on now; recording until the reading is stable";
    switch (mode) {
        case CaptureMode::Enter: return "aim the meter, then press " + enter;
        case CaptureMode::Hold: return "aim the meter, then press " + enter + " or HOLD on the meter";
        case CaptureMode::Auto: return "aim the meter and hold it still: the point is taken when stable";
    }
    return {};
}

}  // namespace

PromptParts pointPromptParts(const CaptureRunner& runner, const Recipe& recipe, CaptureMode mode,
                             const std::string& enterKey) {
    const Point* p = runner.currentPoint();
    if (!p) return {};
    const Step& step = runner.steps()[runner.current()];
    PromptParts parts;
    parts.counter = "Point " + std::to_string(runner.current() + 1) + " of " + std::to_string(runner.steps().size());
    parts.name = p->name;
    parts.where = p->where;
    if (const Patch* patch = recipe.patch(step.patch)) parts.shows = patch->shows;
    parts.action = actionText(runner, *p, mode, enterKey);
    return parts;
}

std::string pointPrompt(const CaptureRunner& runner, const Recipe& recipe, CaptureMode mode) {
    const PromptParts parts = pointPromptParts(runner, recipe, mode);
    if (parts.counter.empty()) return {};
    std::string s = parts.counter + ": " + parts.name;
    if (!parts.where.empty()) s += ", " + parts.where;
    if (!parts.shows.empty()) s += " (" + parts.shows + ")";
    return s + " — " + parts.action;
}

std::string readingLine(const CaptureRunner& runner) {
    const ReadingInput& in = runner.last();
    switch (in.kind) {
        case ReadingInput::Kind::None: return "no reading from the meter";
        case ReadingInput::Kind::NotLuminance:
            return "the meter shows no luminance (a difference, a ratio or an accumulation): waiting";
        case ReadingInput::Kind::OverRange: return "OL (over range)";
        case ReadingInput::Kind::BelowRange: return "below range";
        case ReadingInput::Kind::Luminance: break;
    }
    const StabilityStatus& s = runner.stability();
    return formatNumber(in.cdPerM2) + " cd/m²  " + std::string(stabilityStateText(s.state)) +
           (s.state == StabilityState::Drifting ? " (" + formatNumber(s.driftPercentPerMinute) + " %/min)" : "");
}

std::string verdictTable(const ProcedureReport& report) {
    std::vector<std::array<std::string, 5>> rows{{"criterion", "point", "measured", "limit", "verdict"}};
    for (const auto& c : report.result.results) {
        const Point* p = report.recipe.point(c.point);
        rows.push_back({c.criterion, p ? p->name : c.point.empty() ? "–" : c.point,
                        c.measured ? formatNumber(*c.measured) + " " + c.quantity : "–", c.limit,
                        std::string(verdictText(c.verdict)) + (c.note.empty() ? "" : " (" + c.note + ")")});
    }
    // Widths in characters, counting each UTF-8 sequence once (°, –, ², …).
    auto width = [](const std::string& s) {
        return static_cast<std::size_t>(std::count_if(s.begin(), s.end(), [](char ch) {
            return (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
        }));
    };
    std::array<std::size_t, 5> w{};
    for (const auto& r : rows) {
        for (std::size_t i = 0; i < 5; ++i) w[i] = std::max(w[i], width(r[i]));
    }
    std::string out;
    for (const auto& r : rows) {
        for (std::size_t i = 0; i < 5; ++i) {
            out += r[i];
            if (i < 4) out += std::string(w[i] - width(r[i]) + 2, ' ');
        }
        out += '\n';
    }
    for (const auto& n : report.result.notes) out += "note: " + n + "\n";
    return out + "verdict: " + std::string(verdictText(report.result.overall)) + "\n";
}

bool writeReportFile(const std::string& path, const ProcedureReport& report, std::string& error) {
    auto endsWith = [&](std::string_view suffix) {
        return path.size() >= suffix.size() && path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0;
    };
    const bool html = endsWith(".html") || endsWith(".htm");
    if (auto e = writeFileAtomically(path, html ? reportHtml(report) : reportJson(report))) {
        error = *e;
        return false;
    }
    return true;
}

}  // namespace photara
