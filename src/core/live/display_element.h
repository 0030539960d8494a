#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace photara {

// Every element of the panel's picture of the meter display, named as the panel's widgets
// are (each widget's objectName is its element's name), plus the REF key whose Enabled state
// the poll drives.
enum class Element : std::uint8_t {
    ImaAPO, LblRH, LblPK, LblREC, LblMx, LblMxDashMn, LblMn, LblAVG1, LblH, LblREF, LblACC,
    ImgUp, ImgDown, LblA, LblB, LblCMP,
    LblSeg1, LblSeg2, LblSeg3, LblSeg4,
    LblP1, LblP2, LblP3,
    LblK1, Lblcd, LblSlashm, Lbl2, Lblh1,
    LblK2, LblfL, Lblh2,
    LblK3, Lbllx, Lblfc, Lblh3,
    ImaS1, ImaS2, ImaS3, ImaS4, ImaS5, ImaS6,
    LblZero, LblCaf, LblCCF, LblS, LblPlus, LblL, LblTH,
    LblSET, ImaDelta, LblASlashB, LblPercentA, LblBDashA, LblUSB,
    LblCycle, LblAVG2, LblNo,
    LblAMRA, LblAMRM, LblAMRR,
    LblSeg5, LblSeg6, LblSeg7,
    LblSeg8, LblSeg9, LblSeg10, LblSeg11, LblSeg12, LblSeg13,
    LblSlash1, LblDotDot1, LblP10, LblSlash2, LblDotDot2, LblP11, LblP13,
    LblPercent, LblSmallh, Lblft, Lblm,
    LblINTV, LblYMD, Lblhms,
    LblName,
    Cmdref,
    Count_
};

inline constexpr std::size_t kElementCount = static_cast<std::size_t>(Element::Count_);

enum class ElementKind : std::uint8_t { Label, Image, Button };
enum class Alignment : std::uint8_t { Centre, Right };

// How an element was designed: kind, place and size in twips (15 twips = 1 px at 96 dpi)
// from the top-left of the client area, design caption, font size in points, alignment and
// whether it is visible before the first display report.
struct ElementDesign {
    std::string_view name;
    ElementKind kind;
    int left;
    int top;
    int width;
    int height;
    std::string_view caption;
    double fontPoints;
    Alignment alignment;
    bool visible;
};

const ElementDesign& design(Element e);
std::string_view elementName(Element e);
std::optional<Element> elementByName(std::string_view name);

inline constexpr std::size_t index(Element e) { return static_cast<std::size_t>(e); }

// The 13 character positions, in order.
inline constexpr std::array<Element, 13> kDigitPositions = {
    Element::LblSeg1,  Element::LblSeg2,  Element::LblSeg3,  Element::LblSeg4, Element::LblSeg5,
    Element::LblSeg6,  Element::LblSeg7,  Element::LblSeg8,  Element::LblSeg9, Element::LblSeg10,
    Element::LblSeg11, Element::LblSeg12, Element::LblSeg13};

}  // namespace photara
