#pragma once

#include <string>

#include "core/procedure/capture_runner.h"
#include "core/procedure/report.h"

namespace photara {

// The words a front end shows while a procedure runs and at its end, the same in the
// terminal and the windows.

// "Point 3 of 9: Top-left corner, 5 % of the screen width in from the edges (the projector's
// full white field) — aim the meter, then press Enter or HOLD on the meter"; empty when done.
std::string pointPrompt(const CaptureRunner& runner, const Recipe& recipe, CaptureMode mode);

// The same prompt in its parts, for a window that sets each in its own size. enterKey names
// the key that takes a point ("Enter"; the windows say "Enter or Space").
struct PromptParts {
    std::string counter;  // "Point 3 of 9"
    std::string name;     // "Top-left corner"
    std::string where;    // "5 % of the screen width in from the edges"
    std::string shows;    // "the projector's full white field"
    std::string action;   // "aim the meter, then press Enter"
};
PromptParts pointPromptParts(const CaptureRunner& runner, const Recipe& recipe, CaptureMode mode,
                             const std::string& enterKey = "Enter");

// "48.20 cd/m²  stable" / "settling" / "the meter shows no luminance: waiting" for the
// reading line under the prompt.
std::string readingLine(const CaptureRunner& runner);

// The criteria as a plain-text table (rule, point, measured, limit, verdict) and the whole
// verdict on its last line.
std::string verdictTable(const ProcedureReport& report);

// Writes the report as HTML when path ends in .html or .htm, else as JSON; false with the
// reason.
bool writeReportFile(const std::string& path, const ProcedureReport& report, std::string& error);

}  // namespace photara
