#include "core/live/display_element.h"

#include <algorithm>

namespace photara {
namespace {

using enum ElementKind;
constexpr Alignment C = Alignment::Centre;
constexpr Alignment R = Alignment::Right;

// name, kind, left, top, width, height (twips), caption, font (pt), alignment, design visibility
constexpr std::array<ElementDesign, kElementCount> kDesigns = {{
    {"ImaAPO", Image, 240, 720, 480, 480, "", 0, C, true},
    {"LblRH", Label, 840, 720, 615, 375, "R-H", 14.25, C, true},
    {"LblPK", Label, 1560, 720, 465, 360, "PK", 14.25, C, true},
    {"LblREC", Label, 2160, 720, 735, 375, "REC", 14.25, C, true},
    {"LblMx", Label, 3000, 720, 615, 375, "MX", 14.25, C, true},
    {"LblMxDashMn", Label, 3480, 720, 255, 375, "-", 14.25, C, true},
    {"LblMn", Label, 3720, 720, 615, 375, "MN", 14.25, C, true},
    {"LblAVG1", Label, 4440, 720, 735, 375, "AVG", 14.25, C, true},
    {"LblH", Label, 5280, 720, 375, 375, "H", 14.25, C, true},
    {"LblREF", Label, 5760, 720, 735, 375, "REF", 14.25, C, true},
    {"LblACC", Label, 6600, 720, 735, 375, "ACC", 14.25, C, true},
    {"ImgUp", Image, 360, 1200, 480, 480, "", 0, C, true},
    {"ImgDown", Image, 360, 2040, 480, 480, "", 0, C, true},
    {"LblA", Label, 720, 1320, 735, 615, "A", 27.75, C, true},
    {"LblB", Label, 720, 2160, 735, 615, "B", 27.75, C, true},
    {"LblCMP", Label, 240, 1680, 735, 375, "CMP", 14.25, C, true},
    {"LblSeg1", Label, 1560, 1200, 855, 1455, "0", 60, C, true},
    {"LblSeg2", Label, 2640, 1200, 855, 1455, "0", 60, C, true},
    {"LblSeg3", Label, 3720, 1200, 855, 1455, "0", 60, C, true},
    {"LblSeg4", Label, 4800, 1200, 855, 1455, "0", 60, C, true},
    {"LblP1", Label, 2400, 960, 375, 1455, ".", 72, R, true},
    {"LblP2", Label, 3480, 960, 375, 1455, ".", 72, R, true},
    {"LblP3", Label, 4560, 960, 375, 1455, ".", 72, R, true},
    {"LblK1", Label, 5880, 1320, 375, 375, "K", 14.25, C, true},
    {"Lblcd", Label, 6120, 1320, 495, 375, "cd", 14.25, C, true},
    {"LblSlashm", Label, 6480, 1320, 495, 375, "/m", 14.25, C, true},
    {"Lbl2", Label, 6840, 1320, 255, 255, "2", 8.25, C, true},
    {"Lblh1", Label, 6960, 1320, 375, 375, ".h", 14.25, C, true},
    {"LblK2", Label, 5880, 1680, 375, 375, "K", 14.25, C, true},
    {"LblfL", Label, 6120, 1680, 375, 375, "fL", 14.25, C, true},
    {"Lblh2", Label, 6480, 1680, 375, 375, ".h", 14.25, C, true},
    {"LblK3", Label, 5880, 2040, 375, 375, "K", 14.25, C, false},
    {"Lbllx", Label, 6120, 2040, 375, 375, "lx", 14.25, C, false},
    {"Lblfc", Label, 6360, 2040, 375, 375, "fc", 14.25, C, false},
    {"Lblh3", Label, 6720, 2040, 375, 375, ".h", 14.25, C, false},
    {"ImaS1", Image, 360, 2520, 480, 480, "", 0, C, true},
    {"ImaS2", Image, 360, 2520, 480, 480, "", 0, C, true},
    {"ImaS3", Image, 360, 2520, 480, 480, "", 0, C, true},
    {"ImaS4", Image, 360, 2520, 480, 480, "", 0, C, true},
    {"ImaS5", Image, 360, 2520, 480, 480, "", 0, C, true},
    {"ImaS6", Image, 360, 2520, 480, 480, "", 0, C, true},
    {"LblZero", Label, 1320, 2640, 855, 375, "ZERO", 14.25, C, true},
    {"LblCaf", Label, 2400, 2640, 735, 375, "CAF", 14.25, C, true},
    {"LblCCF", Label, 3360, 2640, 735, 375, "CCF", 14.25, C, true},
    {"LblS", Label, 4200, 2640, 375, 375, "S", 14.25, C, true},
    {"LblPlus", Label, 4440, 2640, 375, 375, "+", 14.25, C, true},
    {"LblL", Label, 4800, 2640, 255, 375, "L", 14.25, C, true},
    {"LblTH", Label, 5160, 2640, 615, 375, "T-H", 14.25, C, true},
    {"LblSET", Label, 1560, 3120, 615, 375, "SET", 14.25, C, true},
    {"ImaDelta", Image, 3480, 3120, 480, 480, "", 0, C, true},
    {"LblASlashB", Label, 4320, 3120, 615, 375, "A/B", 14.25, C, true},
    {"LblPercentA", Label, 5040, 3120, 615, 375, "%A", 14.25, C, true},
    {"LblBDashA", Label, 5760, 3120, 615, 375, "B-A", 14.25, C, true},
    {"LblUSB", Label, 6480, 3120, 735, 375, "USB", 14.25, C, true},
    {"LblCycle", Label, 240, 3600, 1095, 375, "CYCLE", 14.25, C, true},
    {"LblAVG2", Label, 240, 3960, 735, 375, "AVG", 14.25, C, true},
    {"LblNo", Label, 240, 4320, 735, 375, "NO.", 14.25, C, true},
    {"LblAMRA", Label, 1440, 3600, 375, 375, "A", 14.25, C, true},
    {"LblAMRM", Label, 1920, 3600, 375, 375, "M", 14.25, C, true},
    {"LblAMRR", Label, 2400, 3600, 375, 375, "R", 14.25, C, true},
    {"LblSeg5", Label, 1080, 3840, 495, 975, "0", 48, R, true},
    {"LblSeg6", Label, 1560, 3840, 495, 975, "0", 48, R, true},
    {"LblSeg7", Label, 2040, 3840, 495, 975, "0", 48, R, true},
    {"LblSeg8", Label, 2880, 3600, 495, 975, "0", 36, C, true},
    {"LblSeg9", Label, 3480, 3600, 495, 975, "0", 36, C, true},
    {"LblSeg10", Label, 4080, 3600, 495, 975, "0", 36, C, true},
    {"LblSeg11", Label, 4680, 3600, 495, 975, "0", 36, C, true},
    {"LblSeg12", Label, 5280, 3600, 495, 975, "0", 36, C, true},
    {"LblSeg13", Label, 5880, 3600, 495, 975, "0", 36, C, true},
    {"LblSlash1", Label, 3840, 3600, 375, 975, "/", 36, C, true},
    {"LblDotDot1", Label, 3900, 3600, 255, 975, ":", 36, C, true},
    {"LblP10", Label, 4500, 3600, 255, 975, ".", 36, C, true},
    {"LblSlash2", Label, 5040, 3600, 375, 975, "/", 36, C, true},
    {"LblDotDot2", Label, 5100, 3600, 255, 975, ":", 36, C, true},
    {"LblP11", Label, 5100, 3600, 255, 975, ".", 36, R, true},
    {"LblP13", Label, 5700, 3600, 255, 975, ".", 36, C, true},
    {"LblPercent", Label, 6720, 3600, 375, 375, "%", 14.25, C, true},
    {"LblSmallh", Label, 6720, 3960, 255, 375, "h", 14.25, C, true},
    {"Lblft", Label, 7080, 3600, 255, 375, "ft", 14.25, C, false},
    {"Lblm", Label, 6960, 3960, 375, 375, "m", 14.25, C, false},
    {"LblINTV", Label, 3000, 4440, 735, 375, "INTV", 14.25, C, true},
    {"LblYMD", Label, 4320, 4440, 855, 375, "Y/M/D", 14.25, C, true},
    {"Lblhms", Label, 5760, 4440, 855, 375, "h:m:s", 14.25, C, true},
    {"LblName", Label, 2715, 5160, 1995, 285, "Photara", 12, C, true},
    {"Cmdref", Button, 0, 0, 0, 0, "REF", 0, C, true},
}};

}  // namespace

const ElementDesign& design(Element e) { return kDesigns[index(e)]; }

std::string_view elementName(Element e) { return kDesigns[index(e)].name; }

std::optional<Element> elementByName(std::string_view name) {
    const auto it = std::find_if(kDesigns.begin(), kDesigns.end(),
                                 [name](const ElementDesign& d) { return d.name == name; });
    if (it == kDesigns.end()) return std::nullopt;
    return static_cast<Element>(it - kDesigns.begin());
}

}  // namespace photara
