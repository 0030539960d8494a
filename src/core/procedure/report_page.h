#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/procedure/report.h"

namespace photara {

// What a report's one page says, in order, before it is drawn: the HTML page and the
// printed or PDF page are two drawings of this, so they never say different things.

// A row of the criteria table. A criterion over a large grid is summarised in one row
// ("all points", counts); `more` is the closing row of a list cut short.
struct ReportRow {
    std::string rule;
    std::string point;
    std::string measured;
    std::string limit;
    Verdict verdict = Verdict::NotJudged;
    std::string note;
    bool more = false;  // "… more in the JSON report": only the note is shown, across the table
};

struct ReportPage {
    std::string title;  // the recipe's title
    Verdict overall = Verdict::NotJudged;
    std::vector<std::string> notes;                          // about the whole run
    std::vector<std::pair<std::string, std::string>> info;   // "Site" → "Screen 1"; empty values left out
    std::string standard;                                    // "SMPTE ST 431-1:2006, 5.2; also …"
    // A warm-up is drawn as its curve; every other procedure as its diagram of points.
    std::optional<Capture> warmUp;
    std::map<std::string, Verdict> pointVerdicts;
    std::vector<ReportRow> rows;
    std::string footer;
};

ReportPage reportPage(const ProcedureReport& report);

// The worst verdict of each point over the criteria judged at it (a fail outranks a note, a
// note a pass); a point only reported stays not judged.
std::map<std::string, Verdict> pointVerdicts(const ProcedureResult& result);
bool worseThan(Verdict a, Verdict b);

// A capture as a person reads it: "48.2", "OL", "below range", "–" for none.
std::string captureValueText(const Capture* capture);

}  // namespace photara
