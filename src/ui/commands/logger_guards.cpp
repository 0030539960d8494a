#include "commands/logger_guards.h"

#include <array>

#include "base/app_context.h"
#include "link/meter_link.h"
#include "live/display_state.h"

namespace photara {
namespace {

constexpr std::array kSettingsBusy = {Element::LblREC, Element::LblAMRA};

constexpr std::array kMemoryBusy = {Element::LblREC,    Element::LblSET,      Element::LblCMP,
                                    Element::ImaDelta,  Element::LblPercentA, Element::LblPercent,
                                    Element::LblREF,    Element::LblACC,      Element::LblAMRM,
                                    Element::LblAMRA,   Element::LblAMRR,     Element::LblASlashB,
                                    Element::LblBDashA, Element::LblA,        Element::LblB,
                                    Element::LblMx,     Element::LblMn,       Element::LblAVG1};

template <std::size_t N>
bool freeOf(const AppContext& context, const std::array<Element, N>& busy) {
    if (!context.link.connected()) return false;
    for (const Element e : busy) {
        if (context.display[e]) return false;
    }
    return true;
}

}  // namespace

bool meterFreeForSettings(const AppContext& context) {
    return freeOf(context, kSettingsBusy);
}

bool meterFreeForMemory(const AppContext& context) {
    return freeOf(context, kMemoryBusy);
}

}  // namespace photara
