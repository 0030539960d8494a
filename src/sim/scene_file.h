#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace photara::sim {

// What the virtual meter is aimed at, read from a JSON scene (docs/scenes.md): the
// luminance at each point of a procedure for each patch shown, noise, a warm-up curve and
// the run-up after a mains failure; and which procedure it is for and the verdict it must give.
struct Scene {
    std::string title;
    std::string procedure;   // a recipe id
    std::string expect;      // "pass", "pass with note", "fail", "not judged"
    std::vector<std::string> options;
    int gridSize = 0;        // 0: the recipe's default
    // patch → (point id, group or "*") → cd/m²; a point's own entry beats its group's, a
    // group's beats "*". A value of -1 makes the meter show OL there.
    std::map<std::string, std::map<std::string, double>> luminance;
    double noisePercent = 0;       // ± uniform, the same for the same time
    unsigned seed = 1;
    double transitSeconds = 1.0;   // moving the meter between points
    double transitLuminance = 0.3; // what it sees on the way
    // Warm-up from switch-on (the first aim): starts at startFraction of the value and
    // approaches it with this time constant.
    double warmUpStartFraction = 1;
    double warmUpTimeConstant = 0;
    // After the mains fail: seconds → fraction of the point's value, linear in between.
    std::vector<std::pair<double, double>> runUp;
};

inline constexpr int kSceneFormatVersion = 1;

// The scene, or "file: line N: field: what is wrong".
std::variant<Scene, std::string> readScene(std::string_view text, const std::string& fileName);
// The scene in a file, or why there is none ("cannot read …", or readScene's reason).
std::variant<Scene, std::string> readSceneFile(const std::string& path);

}  // namespace photara::sim
