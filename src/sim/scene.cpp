#include "sim/scene.h"

#include <cmath>
#include <numbers>

namespace photara::sim {

double sceneLuminance(double seconds) {
    constexpr double kTwoPi = 2.0 * std::numbers::pi;
    // Starts at about 126 cd/m2 (a bright office monitor), rising first.
    const double decades =
        2.1 + 2.0 * std::sin(kTwoPi * seconds / 600.0) + 0.004 * std::sin(kTwoPi * seconds / 7.0);
    return std::pow(10.0, decades);
}

}  // namespace photara::sim
