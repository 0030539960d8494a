#pragma once

namespace photara::sim {

// The luminance in cd/m2 that the virtual meter's sensor sees after running for seconds.
// It drifts smoothly between about 1.3 and 12600 cd/m2 over ten minutes, with a small
// flicker, so the decimal point moves and K comes and goes; the same time always gives the
// same value, which keeps tests deterministic.
double sceneLuminance(double seconds);

}  // namespace photara::sim
