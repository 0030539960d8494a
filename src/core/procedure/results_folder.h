#pragma once

#include <string>
#include <vector>

#include "core/procedure/report.h"

namespace photara {

// Reports are kept as <results>/<site>/<asset>/<finished>-<procedure>.json, with the HTML
// page beside each, so a site's history is one folder and a file manager shows it sorted.

// A folder name for a site or an asset: letters and digits kept, the rest '-', never empty.
std::string folderName(std::string_view text);

struct KeptReport {
    std::string jsonPath;
    std::string htmlPath;
};

// Writes the report's JSON and HTML into the results folder (each file whole or not at all);
// false with the reason.
bool keepReport(const std::string& resultsDir, const ProcedureReport& report, KeptReport& kept, std::string& error);

struct ResultEntry {
    std::string path;  // the JSON file
    std::string site;
    std::string asset;
    std::string procedure;
    std::string title;
    std::string finished;
    Verdict verdict = Verdict::NotJudged;
};

// The kept reports, oldest first; only one site's when site is not empty (matched by its
// folder name, so "Screen 1" finds "screen-1"). Files that do not read are skipped.
std::vector<ResultEntry> listResults(const std::string& resultsDir, const std::string& site = "");

// A kept report, read again; false with the reason.
bool reopenReport(const std::string& path, ProcedureReport& report, std::string& error);

}  // namespace photara
