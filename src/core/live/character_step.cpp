#include "core/live/character_step.h"

#include <array>
#include <cstddef>

#include "core/live/character_tables.h"
#include "core/live/display_report.h"

namespace photara {
namespace {

using enum Element;
using Decoder = CharacterValue (*)(std::uint8_t);

struct Position {
    Element label;
    std::size_t byte;
    Decoder decode;
};

// Positions 1..13 in display order. The report does not send them in order: the separator
// bytes (13, 16) and the legend bytes (5..7) lie between them.
constexpr std::array<Position, 13> kPositions = {{
    {LblSeg1, 1, decodeTableA},
    {LblSeg2, 2, decodeTableB},
    {LblSeg3, 3, decodeTableA},
    {LblSeg4, 4, decodeTableA},
    {LblSeg5, 8, decodeDigitOnly},
    {LblSeg6, 9, decodeDigitOnly},
    {LblSeg7, 10, decodeDigitOnly},
    {LblSeg8, 11, decodeTableD},
    {LblSeg9, 12, decodeTableC},
    {LblSeg10, 14, decodeTableC},
    {LblSeg11, 15, decodeTableD},
    {LblSeg12, 17, decodeTableD},
    {LblSeg13, 18, decodeTableD},
}};

CharacterValue decodePosition(std::span<const std::uint8_t> report, int position) {
    const Position& p = kPositions[static_cast<std::size_t>(position - 1)];
    return p.decode(report[p.byte]);
}

void setCaption(DisplayModel& model, int position, const CharacterValue& value) {
    model.setCaption(kPositions[static_cast<std::size_t>(position - 1)].label, captionOf(value));
}

// The main reading: the corrections apply to the values before they are shown, in this
// order.
void correctMainReading(CharacterValue& p1, const CharacterValue& p2, CharacterValue& p3,
                        CharacterValue& p4) {
    if (shows(p1, 5) && shows(p2, "t")) p1 = "S";
    if (shows(p3, "t") && shows(p4, 1)) p4 = "I";
    if (shows(p1, "A") && shows(p2, "P") && shows(p3, 0)) p3 = "O";
    if (shows(p1, "b") && shows(p2, "L") && shows(p3, 1) && shows(p4, "t")) p3 = "I";
}

void correctLastThree(CharacterValue& p11, CharacterValue& p12, CharacterValue& p13) {
    if (shows(p11, "Y") && shows(p12, "E") && shows(p13, 5)) p13 = "S";
    if (shows(p11, 0) && shows(p12, "F") && shows(p13, "F")) p11 = "O";
    if (shows(p12, 0) && shows(p13, "n")) p12 = "o";
}

}  // namespace

void showCharacters(std::span<const std::uint8_t> report, DisplayModel& model) {
    if (!isWholeReport(report)) return;

    CharacterValue p1 = decodePosition(report, 1);
    const CharacterValue p2 = decodePosition(report, 2);
    CharacterValue p3 = decodePosition(report, 3);
    CharacterValue p4 = decodePosition(report, 4);
    correctMainReading(p1, p2, p3, p4);
    setCaption(model, 1, p1);
    setCaption(model, 2, p2);
    setCaption(model, 3, p3);
    setCaption(model, 4, p4);

    for (int position = 5; position <= 10; ++position)
        setCaption(model, position, decodePosition(report, position));

    CharacterValue p11 = decodePosition(report, 11);
    CharacterValue p12 = decodePosition(report, 12);
    CharacterValue p13 = decodePosition(report, 13);
    correctLastThree(p11, p12, p13);
    setCaption(model, 11, p11);
    setCaption(model, 12, p12);
    setCaption(model, 13, p13);

    // "Full" is read from the captions just set: position 10 is a table-C "F", so the
    // word spans two tables.
    if (model.caption(LblSeg10) == "F" && model.caption(LblSeg11) == "u" &&
        model.caption(LblSeg12) == "1" && model.caption(LblSeg13) == "1") {
        model.setCaption(LblSeg12, "l");
        model.setCaption(LblSeg13, "l");
    }
}

}  // namespace photara
