#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "core/live/display_element.h"
#include "core/live/display_model.h"
#include "core/live/display_state.h"
#include "core/protocol/report.h"

namespace photara::test {

// Elements are named in the tests by their widget names, so a test table does not share an
// enum value (and a mistake) with the table it checks.
inline Element el(std::string_view name) {
    const auto e = elementByName(name);
    if (!e) throw std::invalid_argument("no element " + std::string(name));
    return *e;
}

using ByteValues = std::initializer_list<std::pair<std::size_t, std::uint8_t>>;

// A 65-byte report filled with fill, with the given bytes set.
inline Report reportWith(ByteValues bytes, std::uint8_t fill = 0) {
    Report r;
    r.fill(fill);
    r[0] = 0;
    for (const auto& [at, value] : bytes) r[at] = value;
    return r;
}

// Visibility of the named elements as a string of '1' (shown) and '0' (hidden).
inline std::string shown(const DisplayModel& model, std::initializer_list<std::string_view> names) {
    std::string out;
    for (const auto name : names) out += model.visible(el(name)) ? '1' : '0';
    return out;
}

// Sets the named elements' visibility from a string of '1'/'0'.
inline void setShown(DisplayModel& model, std::initializer_list<std::string_view> names,
                     std::string_view pattern) {
    std::size_t i = 0;
    for (const auto name : names) model.setVisible(el(name), pattern.at(i++) == '1');
}

inline void setLit(DisplayState& state, std::initializer_list<std::string_view> names,
                   std::string_view pattern) {
    std::size_t i = 0;
    for (const auto name : names) state.set(el(name), pattern.at(i++) == '1');
}

}  // namespace photara::test
