#include "core/plot/plot_setup.h"

namespace photara {

PlotSettings plotSettingsFor(const Samples& samples) {
    PlotSettings s;
    s.alternateSecond = {0, 9999};
    s.first = {0, samples.firstMaximum};
    s.second = {0, samples.secondMaximum};
    s.sampleCount = static_cast<double>(samples.timeTexts.size());
    s.shownFirst = 1;
    s.shownLast = s.sampleCount;
    s.fullCount = s.sampleCount;
    return s;
}

}  // namespace photara
