#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "core/procedure/report.h"
#include "core/procedure/report_page.h"

namespace photara {

namespace {

std::string esc(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (const char c : s) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string cssClass(Verdict v) {
    switch (v) {
        case Verdict::Pass: return "pass";
        case Verdict::PassWithNote: return "note";
        case Verdict::Fail: return "fail";
        case Verdict::NotJudged: return "none";
    }
    return "none";
}

std::string num(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", v);
    return buf;
}

constexpr const char* kStyle = R"(
@page { size: A4; margin: 12mm; }
* { box-sizing: border-box; }
body { font-family: "DejaVu Sans", Arial, sans-serif; font-size: 9pt; color: #111; margin: 0 auto; max-width: 186mm; }
h1 { font-size: 15pt; margin: 0 0 2mm; }
.verdict { font-size: 13pt; font-weight: bold; padding: 1.5mm 3mm; display: inline-block; border-radius: 2px; }
table { border-collapse: collapse; width: 100%; margin: 2mm 0; }
th, td { text-align: left; padding: 0.6mm 1.5mm; border-bottom: 0.2mm solid #bbb; vertical-align: top; }
th { background: #eee; }
table.info td:first-child { width: 28mm; color: #444; }
td.n { text-align: right; white-space: nowrap; }
.pass { background: #cdeccd; } .note { background: #fbe9b0; } .fail { background: #f6c1c1; } .none { background: #e4e4e4; }
svg { display: block; margin: 2mm auto; max-width: 100%; height: auto; }
svg text { font-family: "DejaVu Sans", Arial, sans-serif; }
.small { color: #444; font-size: 8pt; }
@media print { body { max-width: none; } tr { page-break-inside: avoid; } }
)";

std::string diagram(const ProcedureReport& r, const std::map<std::string, Verdict>& worst) {
    const bool square = r.recipe.layout == "grid" || r.recipe.layout == "patches";
    const double w = square ? 360 : 480;
    const double h = square ? 270 : 270;
    std::string s = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + num(w) + " " + num(h) +
                    "\" width=\"" + num(w * 0.33) + "mm\" role=\"img\" aria-label=\"Measured points\">\n";
    s += "<rect x=\"1\" y=\"1\" width=\"" + num(w - 2) + "\" height=\"" + num(h - 2) +
         "\" fill=\"#fafafa\" stroke=\"#333\" stroke-width=\"1.5\"/>\n";
    static const std::map<std::string, std::string> kFill{
        {"pass", "#4caf50"}, {"note", "#e0a800"}, {"fail", "#d32f2f"}, {"none", "#9e9e9e"}};
    const std::size_t n = r.recipe.points.size();
    const double radius = n > 40 ? 6 : n > 12 ? 9 : 12;
    const double font = n > 40 ? 7 : n > 12 ? 9 : 11;
    for (const auto& p : r.recipe.points) {
        // A run-up or warm-up is a moment, not a place: it stays in the table.
        if (p.capture != PointCapture::Spot) continue;
        const double cx = p.x * w, cy = p.y * h;
        const auto it = worst.find(p.id);
        const std::string cls = it == worst.end() ? "none" : cssClass(it->second);
        const Capture* c = p.patches.empty() ? nullptr : r.measurements.find(p.id, p.patches.front());
        s += "<g><title>" + esc(p.name) + "</title><circle cx=\"" + num(cx) + "\" cy=\"" + num(cy) + "\" r=\"" +
             num(radius) + "\" fill=\"" + kFill.at(cls) + "\" stroke=\"#222\" stroke-width=\"0.8\"/>";
        const double ty = cy > h - 2 * radius - font ? cy - radius - 3 : cy + radius + font;
        s += "<text x=\"" + num(cx) + "\" y=\"" + num(ty) + "\" font-size=\"" + num(font) +
             "\" text-anchor=\"middle\">" + esc(captureValueText(c)) + "</text></g>\n";
    }
    return s + "</svg>\n";
}

// A warm-up's readings as a curve: time across, luminance up.
std::string curve(const Capture& c) {
    if (c.readings.size() < 2) return {};
    double t1 = 0, lo = INFINITY, hi = -INFINITY;
    for (const auto& tv : c.readings) {
        t1 = std::max(t1, tv.t);
        if (tv.value) {
            lo = std::min(lo, *tv.value);
            hi = std::max(hi, *tv.value);
        }
    }
    if (!(hi > lo) || t1 <= 0) return {};
    const double w = 480, h = 160;
    std::string pts;
    // At most a point per horizontal unit: a long warm-up stays a small page.
    double lastX = -1;
    for (const auto& tv : c.readings) {
        if (!tv.value) continue;
        const double x = 30 + tv.t / t1 * (w - 40);
        if (x - lastX < 1 && &tv != &c.readings.back()) continue;
        lastX = x;
        pts += num(x) + "," + num(h - 20 - (*tv.value - lo) / (hi - lo) * (h - 40)) + " ";
    }
    std::string s = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 480 160\" width=\"150mm\" role=\"img\" "
                    "aria-label=\"Luminance over time\">\n<rect x=\"30\" y=\"20\" width=\"440\" height=\"120\" "
                    "fill=\"#fafafa\" stroke=\"#999\"/>\n<polyline fill=\"none\" stroke=\"#1565c0\" stroke-width=\"1.5\" "
                    "points=\"" + pts + "\"/>\n";
    if (c.timeToStable) {
        const double x = 30 + *c.timeToStable / t1 * (w - 40);
        s += "<line x1=\"" + num(x) + "\" y1=\"20\" x2=\"" + num(x) + "\" y2=\"140\" stroke=\"#2e7d32\" "
             "stroke-dasharray=\"4 3\"/><text x=\"" + num(x + 3) + "\" y=\"32\" font-size=\"9\">stable from " +
             num(*c.timeToStable) + " s</text>\n";
    }
    s += "<text x=\"30\" y=\"154\" font-size=\"9\">0 s</text><text x=\"470\" y=\"154\" font-size=\"9\" "
         "text-anchor=\"end\">" + num(t1) + " s</text><text x=\"2\" y=\"24\" font-size=\"9\">" + esc(formatNumber(hi)) +
         "</text><text x=\"2\" y=\"140\" font-size=\"9\">" + esc(formatNumber(lo)) + "</text>\n";
    return s + "</svg>\n";
}

std::string row(const ReportRow& c) {
    if (c.more) return "<tr><td colspan=\"6\" class=\"small\">" + esc(c.note) + "</td></tr>\n";
    return "<tr class=\"" + cssClass(c.verdict) + "\"><td>" + esc(c.rule) + "</td><td>" + esc(c.point) +
           "</td><td class=\"n\">" + esc(c.measured) + "</td><td>" + esc(c.limit) + "</td><td>" +
           esc(std::string(verdictText(c.verdict))) + "</td><td>" + esc(c.note) + "</td></tr>\n";
}

}  // namespace

std::string reportHtml(const ProcedureReport& r) {
    const ReportPage page = reportPage(r);
    const ReportInfo& i = r.info;
    std::string s = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
                    esc(r.recipe.title + " — " + i.site + ", " + i.asset) + "</title>\n<style>" + kStyle +
                    "</style>\n</head>\n<body>\n";
    s += "<h1>" + esc(page.title) + "</h1>\n<p><span class=\"verdict " + cssClass(page.overall) + "\">" +
         esc(std::string(verdictText(page.overall))) + "</span></p>\n";
    for (const auto& note : page.notes) s += "<p class=\"small\">" + esc(note) + "</p>\n";
    s += "<table class=\"info\">\n";
    for (const auto& [k, v] : page.info) s += "<tr><td>" + esc(k) + "</td><td>" + esc(v) + "</td></tr>\n";
    s += "</table>\n";
    s += page.warmUp ? curve(*page.warmUp) : diagram(r, page.pointVerdicts);
    s += "<table class=\"criteria\">\n<tr><th>Rule</th><th>Point</th><th>Measured</th><th>Limit</th><th>Verdict</th>"
         "<th>Note</th></tr>\n";
    for (const ReportRow& c : page.rows) s += row(c);
    s += "</table>\n<p class=\"small\">" + esc(page.footer) + "</p>\n</body>\n</html>\n";
    return s;
}

}  // namespace photara
