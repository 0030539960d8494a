#pragma once

#include <string>

#include "core/datafile/samples.h"
#include "core/plot/plot_settings.h"

namespace photara {

// The program's shared data, owned by the application and passed by reference. Each writer
// replaces a piece as a whole, and only after its operation succeeded.
struct Workspace {
    // The current data: one byte per character, exactly as the meter sent it or the file
    // held it. Never decoded as UTF-8.
    std::string dataText;
    Samples samples;
    PlotSettings plot;
};

}  // namespace photara
