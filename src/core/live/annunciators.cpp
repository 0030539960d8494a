#include "core/live/annunciators.h"

#include "core/live/display_element.h"
#include "core/live/display_report.h"

namespace photara {
namespace {

using enum Element;

constexpr std::array<Annunciator, kAnnunciatorCount> kAnnunciators = {{
    {20, 0, ImaAPO, true},     {21, 0, LblRH, true},       {22, 0, LblPK, true},
    {23, 0, LblREC, true},     {24, 0, LblMx, true},       {25, 0, LblMxDashMn, true},
    {26, 0, LblMn, true},      {27, 0, LblAVG1, true},     {28, 0, LblH, true},
    {29, 0, LblREF, true},     {30, 0, LblACC, true},      {31, 0, ImgUp, false},
    {32, 0, LblCMP, true},     {33, 0, ImgDown, false},    {34, 0, LblA, true},
    {35, 0, LblB, true},       {36, 0, Lblh1, true},       {37, 0, Lblh2, true},
    {38, 0, LblZero, true},    {39, 0, LblCaf, true},      {40, 0, LblCCF, true},
    {41, 0, LblS, true},       {42, 0, LblPlus, true},     {43, 0, LblL, true},
    {44, 0, LblTH, false},     {45, 0, LblSET, true},      {46, 0, ImaDelta, true},
    {47, 0, LblASlashB, true}, {48, 0, LblPercentA, true}, {49, 0, LblBDashA, true},
    {50, 0, LblUSB, true},     {51, 0, LblCycle, false},   {52, 0, LblAVG2, true},
    {53, 0, LblNo, true},      {54, 0, LblAMRA, true},     {55, 0, LblAMRM, false},
    {56, 0, LblAMRR, true},    {57, 0, LblINTV, true},     {58, 0, LblYMD, true},
    {59, 0, Lblhms, true},     {64, 0, LblPercent, true},  {64, 1, LblSmallh, true},
}};

}  // namespace

const std::array<Annunciator, kAnnunciatorCount>& annunciators() {
    return kAnnunciators;
}

std::string annunciatorName(Element lit) {
    switch (lit) {
        case ImaAPO: return "APO";  // drawn as a clock
        case ImgUp: return "UP";    // the comparator's arrows
        case ImgDown: return "DOWN";
        case ImaDelta: return "\u0394";  // drawn, not written
        case LblMxDashMn: return "MX-MN";
        case LblAVG2: return "AVG2";
        case Lblh1: return "cd/m\u00b2.h";
        case Lblh2: return "fL.h";
        case LblAMRA: return "AMR-A";
        case LblAMRM: return "AMR-M";
        case LblAMRR: return "AMR-R";
        default: return std::string(design(lit).caption);
    }
}

void decodeAnnunciators(std::span<const std::uint8_t> report, DisplayState& state) {
    if (!isWholeReport(report)) return;
    for (const Annunciator& a : kAnnunciators)
        state.set(a.element, ((report[a.byte] >> a.bit) & 1U) != 0);
}

void showAnnunciators(const DisplayState& state, DisplayModel& model) {
    for (const Annunciator& a : kAnnunciators) {
        if (!a.shownByAnnunciatorStep) continue;
        model.setVisible(a.element, state[a.element]);
        // The REF key only works while R-H is lit.
        if (a.element == LblRH) model.setEnabled(Cmdref, state[LblRH]);
    }
}

}  // namespace photara
