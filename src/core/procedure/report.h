#pragma once

#include <string>
#include <variant>
#include <vector>

#include "core/procedure/measurement.h"
#include "core/procedure/recipe.h"
#include "core/procedure/verdict.h"

namespace photara {

// Who measured what, where, with which meter.
struct ReportInfo {
    std::string site;
    std::string asset;
    std::string operatorName;
    std::string notes;
    std::string meter;         // the meter's identity ("virtual meter", USB ids, serial)
    std::string started;       // ISO 8601 with its UTC offset
    std::string finished;
    std::string captureMode;   // "enter", "hold", "auto"
    std::string stability;     // the stability preset
    std::string program;       // "Photara 10.2.0"
};

// A finished run: enough to write the JSON and the HTML page, and to write them again from
// the JSON alone (a reopened report keeps the recipe's points and standard).
struct ProcedureReport {
    ReportInfo info;
    Recipe recipe;  // with its grid expanded
    RunSettings settings;
    Measurements measurements;
    ProcedureResult result;
};

inline constexpr int kReportFormatVersion = 1;

// Everything as JSON: recipe id and version, site, asset, operator, notes, meter, times,
// each point's values with their readings, each criterion with its verdict.
std::string reportJson(const ProcedureReport& report);
// A report written by reportJson, back; the reason when it is none.
std::variant<ProcedureReport, std::string> readReport(std::string_view text);

// One self-contained HTML page (inline SVG and CSS, no scripts, no external files) that
// prints on one A4 page: the diagram coloured by verdict, the criteria, the standard.
std::string reportHtml(const ProcedureReport& report);

}  // namespace photara
