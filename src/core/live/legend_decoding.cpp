#include "core/live/legend_decoding.h"

#include <array>
#include <cstddef>

#include "core/live/display_report.h"

namespace photara {
namespace {

using enum Element;

// One row per code: the flags it lights, in the order of the table's elements. Codes
// without a row leave the flags unchanged.
template <std::size_t Flags, std::size_t Codes>
struct LegendTable {
    std::size_t byte;
    std::array<Element, Flags> elements;
    std::array<std::array<bool, Flags>, Codes> rows;  // row n is code n
};

constexpr LegendTable<4, 3> kUnit{display_byte::kUnit,
                                  {Lblcd, LblSlashm, Lbl2, LblfL},
                                  {{
                                      {false, false, false, false},
                                      {true, true, true, false},
                                      {false, false, false, true},
                                  }}};

constexpr LegendTable<3, 5> kMainPoint{display_byte::kMainPoint,
                                       {LblP1, LblP2, LblP3},
                                       {{
                                           {false, false, false},
                                           {true, false, false},
                                           {false, true, false},
                                           {false, false, true},
                                           {true, true, true},
                                       }}};

constexpr LegendTable<2, 3> kMultiplier{display_byte::kMultiplier,
                                        {LblK1, LblK2},
                                        {{
                                            {false, false},
                                            {true, false},
                                            {false, true},
                                        }}};

constexpr LegendTable<3, 4> kSecondPoint{display_byte::kSecondPoint,
                                         {LblP10, LblP11, LblP13},
                                         {{
                                             {false, false, false},
                                             {true, false, false},
                                             {false, true, false},
                                             {false, false, true},
                                         }}};

template <std::size_t Flags, std::size_t Codes>
void apply(const LegendTable<Flags, Codes>& table, std::span<const std::uint8_t> report,
           DisplayState& state) {
    const std::uint8_t code = report[table.byte];
    if (code >= Codes) return;
    for (std::size_t i = 0; i < Flags; ++i) state.set(table.elements[i], table.rows[code][i]);
}

}  // namespace

void decodeLegends(std::span<const std::uint8_t> report, DisplayState& state) {
    if (!isWholeReport(report)) return;
    apply(kUnit, report, state);
    apply(kMainPoint, report, state);
    apply(kMultiplier, report, state);
    apply(kSecondPoint, report, state);
}

}  // namespace photara
