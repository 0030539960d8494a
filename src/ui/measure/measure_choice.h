#pragma once

#include <QString>
#include <string>

#include "core/procedure/capture_runner.h"
#include "core/procedure/recipe_library.h"
#include "core/procedure/report.h"

namespace photara {

// A scene the virtual meter can show for a procedure (installed with the program).
struct SceneOption {
    QString path;
    QString title;      // "Review room with a dim corner"
    std::string procedure;
};

// What the user chose in the Measure window before the first point.
struct MeasureChoice {
    ListedRecipe recipe;
    RunSettings settings;
    CaptureMode mode = CaptureMode::Enter;
    std::string stability;  // a preset's name
    ReportInfo info;        // site, asset, operator and notes
    QString scenePath;      // the virtual meter's scene; empty: none
    int patternScreen = -1; // the screen for the pattern window, in QGuiApplication::screens(); -1: none
};

}  // namespace photara
