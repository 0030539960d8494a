#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "core/procedure/recipe.h"
#include "sim/scene_file.h"

namespace photara::sim {

// The light a scene puts in front of the virtual meter's sensor, as the meter's running
// seconds go by. A procedure runner moves the meter (aim) and marks the mains failure as a
// person would; both take effect at the meter's next reading. Thread-safe: the runner and
// the meter's poll may sit on different threads.
class SceneLight {
  public:
    // groupsOf(point) gives the groups of each point of the procedure, for "group" entries.
    SceneLight(Scene scene, std::map<std::string, std::vector<std::string>> groupsOf);

    // Moves the meter to a point and its patch; the way there shows the transit light.
    void aim(const std::string& point, const std::string& patch);
    // The mains fail now: the light follows the scene's run-up from here.
    void failMains();
    // A light far beyond the meter's range: it shows OL.
    static constexpr double kOverRangeLight = 1e9;
    // cd/m² at the meter's running time.
    double luminance(double seconds);

    const Scene& scene() const { return scene_; }
    // The value a point shows at a patch when settled, or none when the scene does not say.
    std::optional<double> valueAt(const std::string& point, const std::string& patch) const;
    // "no luminance for centre at black" for the first step the scene says nothing about.
    std::optional<std::string> missingValue(const std::vector<Step>& steps) const;

  private:
    Scene scene_;
    std::map<std::string, std::vector<std::string>> groupsOf_;
    std::mutex mutex_;
    std::string point_, patch_;
    bool aimPending_ = false;
    bool failurePending_ = false;
    std::optional<double> switchedOn_;
    std::optional<double> aimedAt_;
    std::optional<double> failedAt_;
};

}  // namespace photara::sim
