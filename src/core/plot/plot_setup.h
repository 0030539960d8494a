#pragma once

#include "core/datafile/samples.h"
#include "core/plot/plot_settings.h"

namespace photara {

// The settings whoever opens the plot gives it: each series from 0 to its maximum (with its
// margin), the other unit's range 0 … 9999, and every sample shown.
PlotSettings plotSettingsFor(const Samples& samples);

}  // namespace photara
