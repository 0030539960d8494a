#include "core/meter/guards.h"

#include <array>
#include <span>

namespace photara {
namespace {

constexpr std::array kRecording = {Element::LblREC, Element::LblAMRA};

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
    return firstLit(display, kRecording);
}

std::optional<Refusal> refuseMemory(bool connected, const DisplayState& display) {
    if (!connected) return Refusal{};
    return firstLit(display, kMemoryBusy);
}

std::optional<Refusal> refuseDownload(const DisplayState& display) {
    return firstLit(display, kRecording);
}

bool showsRecording(const DisplayState& display) {
    return firstLit(display, kRecording).has_value();
}

std::string refusalText(const Refusal& refusal) {
    if (refusal.reason == Refusal::Reason::NotConnected) return "no meter is connected";
    std::string_view name = design(refusal.lit).caption;
    if (refusal.lit == Element::ImaDelta) name = "delta";  // drawn, not written
    if (refusal.lit == Element::LblREC || refusal.lit == Element::LblAMRA)
        return "the meter is recording (" + std::string(name) + " is lit)";
    return "the meter is in a measuring or setting mode (" + std::string(name) + " is lit)";
}

}  // namespace photara
