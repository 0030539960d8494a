#pragma once

#include "core/plot/plot_geometry.h"

namespace photara::test {

// Text that is 10 units wide per character and 20 units high, so placements are exact.
class FixedMetrics final : public TextMetrics {
  public:
    double width(std::string_view text) const override {
        return 10.0 * static_cast<double>(text.size());
    }
    double height(std::string_view) const override { return 20; }
};

}  // namespace photara::test
