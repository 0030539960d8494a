#include "core/link/meter_identity.h"

#include <charconv>
#include <cstdio>

namespace photara {
namespace {

std::optional<std::uint16_t> parseHex16(std::string_view text) {
    if (text.empty() || text.size() > 4) return std::nullopt;
    std::uint16_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

std::optional<MeterId> parseMeterId(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const auto vendor = parseHex16(text.substr(0, colon));
    const auto product = parseHex16(text.substr(colon + 1));
    if (!vendor || !product || *vendor == 0) return std::nullopt;
    return MeterId{*vendor, *product};
}

std::string meterIdText(MeterId id) {
    char text[10];
    std::snprintf(text, sizeof text, "%04x:%04x", id.vendorId, id.productId);
    return text;
}

std::string meterIdRefusal(std::string_view given) {
    return "--meter-id needs the meter's USB ids as VVVV:PPPP in hex, as lsusb shows them "
           "(got \"" +
           std::string(given) + "\").";
}

}  // namespace photara
