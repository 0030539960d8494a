#include "core/meter/guards.h"

#include <algorithm>

#include <array>
#include <span>

namespace photara {
namespace {

constexpr std::array kLoggerRecording = {Element::LblREC, Element::LblAMRA};

constexpr std::array kMemoryBusy = {Element::LblREC,    Element::LblSET,      Element::LblCMP,
                                    Element::ImaDelta,  Element::LblPercentA, Element::LblPercent,
                                    Element::LblREF,    Element::LblACC,      Element::LblAMRM,
                                    Element::LblAMRA,   Element::LblAMRR,     Element::LblASlashB,
                                    Element::LblBDashA, Element::LblA,        Element::LblB,
                                    Element::LblMx,     Element::LblMn,       Element::LblAVG1};

std::optional<Refusal> firstLit(const DisplayState& display, std::span<const Element> busy) {
    for (const Element e : busy) {
        if (display[e]) return Refusal{Refusal::Reason::Busy, e};
    }
    return std::nullopt;
}

}  // namespace

std::optional<Refusal> refuseSettings(bool connected, const DisplayState& display) {
    if (!connected) return Refusal{};
    return firstLit(display, kLoggerRecording);
}

std::optional<Refusal> refuseMemory(bool connected, const DisplayState& display) {
    if (!connected) return Refusal{};
    return firstLit(display, kMemoryBusy);
}

std::optional<Refusal> refuseDownload(const DisplayState& display) {
    return firstLit(display, kLoggerRecording);
}

bool showsLoggerRecording(const DisplayState& display) {
    return firstLit(display, kLoggerRecording).has_value();
}

bool refusedForLoggerRecording(const Refusal& refusal) {
    return refusal.reason == Refusal::Reason::Busy &&
           std::find(kLoggerRecording.begin(), kLoggerRecording.end(), refusal.lit) !=
               kLoggerRecording.end();
}

std::string refusalText(const Refusal& refusal) {
    if (refusal.reason == Refusal::Reason::NotConnected) return "no meter is connected";
    const std::string name = annunciatorName(refusal.lit);
    if (refusedForLoggerRecording(refusal))
        return "the meter's logger is recording (" + name + " is lit)";
    return "the meter is in a measuring or setting mode (" + name + " is lit)";
}

}  // namespace photara
