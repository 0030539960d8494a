#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "core/live/character_step.h"
#include "core/live/character_tables.h"
#include "live_test_support.h"

namespace photara::test {
namespace {

// --- The five tables, code by code -------------------------------------------------------

struct TableCase {
    const char* table;
    CharacterValue (*decode)(std::uint8_t);
    std::uint8_t code;
    CharacterValue expected;
};

void PrintTo(const TableCase& c, std::ostream* os) {
    *os << c.table << " code " << int{c.code};
}

class CharacterTable : public ::testing::TestWithParam<TableCase> {};

TEST_P(CharacterTable, DecodesCode) {
    const TableCase& c = GetParam();
    EXPECT_EQ(c.decode(c.code), c.expected);
}

using sv = std::string_view;
constexpr sv kEmpty{};

std::vector<TableCase> lettersOf(const char* table, CharacterValue (*decode)(std::uint8_t),
                                 std::vector<sv> fromCode11, std::uint8_t firstUnlisted) {
    std::vector<TableCase> cases = {{table, decode, 0, 0},
                                    {table, decode, 7, 7},
                                    {table, decode, 9, 9},
                                    {table, decode, 10, kEmpty},
                                    {table, decode, firstUnlisted, kEmpty},
                                    {table, decode, 255, kEmpty}};
    for (std::size_t i = 0; i < fromCode11.size(); ++i)
        cases.push_back({table, decode, static_cast<std::uint8_t>(11 + i), fromCode11[i]});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(
    TableA, CharacterTable,
    ::testing::ValuesIn(lettersOf("A", decodeTableA, {"A", "C", "t", "r", "b", "E", "N", "D", "L"},
                                  20)));
INSTANTIATE_TEST_SUITE_P(TableB, CharacterTable,
                         ::testing::ValuesIn(lettersOf("B", decodeTableB,
                                                       {"t", "E", "P", "L", "F", "A"}, 17)));
INSTANTIATE_TEST_SUITE_P(TableC, CharacterTable,
                         ::testing::ValuesIn(lettersOf("C", decodeTableC, {"-", "o", "C", "F"},
                                                       15)));
INSTANTIATE_TEST_SUITE_P(TableD, CharacterTable,
                         ::testing::ValuesIn(lettersOf(
                             "D", decodeTableD,
                             {"F", "n", "Y", "E", "N", "o", "C", "A", "r", "d", "u", "L"}, 23)));
INSTANTIATE_TEST_SUITE_P(DigitOnly, CharacterTable,
                         ::testing::Values(TableCase{"digit-only", decodeDigitOnly, 0, 0},
                                           TableCase{"digit-only", decodeDigitOnly, 9, 9},
                                           TableCase{"digit-only", decodeDigitOnly, 10, kEmpty},
                                           TableCase{"digit-only", decodeDigitOnly, 11, 11},
                                           TableCase{"digit-only", decodeDigitOnly, 22, 22},
                                           TableCase{"digit-only", decodeDigitOnly, 23, 23},
                                           TableCase{"digit-only", decodeDigitOnly, 255, 255}));

// --- The digit step: positions, bytes and word corrections --------------------------------

constexpr std::array<std::size_t, 13> kCharacterBytes = {1,  2,  3,  4,  8,  9, 10,
                                                         11, 12, 14, 15, 17, 18};
constexpr std::array<sv, 13> kPositionNames = {
    "LblSeg1", "LblSeg2", "LblSeg3",  "LblSeg4",  "LblSeg5",  "LblSeg6", "LblSeg7",
    "LblSeg8", "LblSeg9", "LblSeg10", "LblSeg11", "LblSeg12", "LblSeg13"};

struct StepCase {
    const char* name;
    std::vector<std::pair<std::size_t, std::uint8_t>>
        bytes;  // on top of a report whose character bytes are all blank (10)
    std::array<sv, 13> captions;
};

void PrintTo(const StepCase& c, std::ostream* os) {
    *os << c.name;
}

class CharacterStep : public ::testing::TestWithParam<StepCase> {};

TEST_P(CharacterStep, ShowsCaptions) {
    const StepCase& c = GetParam();
    Report report{};
    for (const std::size_t b : kCharacterBytes) report[b] = 10;
    for (const auto& [at, value] : c.bytes) report[at] = value;
    DisplayModel model;

    showCharacters(report, model);

    for (std::size_t i = 0; i < 13; ++i)
        EXPECT_EQ(model.caption(el(kPositionNames[i])), c.captions[i]) << kPositionNames[i];
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CharacterStep,
    ::testing::Values(
        // Each position reads its own byte; the legend and separator bytes between them
        // carry codes that would show if a position read them.
        StepCase{"byte layout",
                 {{1, 1},
                  {2, 2},
                  {3, 3},
                  {4, 4},
                  {5, 7},
                  {6, 7},
                  {7, 7},
                  {8, 5},
                  {9, 6},
                  {10, 7},
                  {11, 8},
                  {12, 9},
                  {13, 11},
                  {14, 0},
                  {15, 1},
                  {16, 11},
                  {17, 2},
                  {18, 3},
                  {19, 7}},
                 {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "1", "2", "3"}},
        StepCase{"12:34:56 in positions 8 to 13",
                 {{11, 1}, {12, 2}, {14, 3}, {15, 4}, {17, 5}, {18, 6}},
                 {"", "", "", "", "", "", "", "1", "2", "3", "4", "5", "6"}},
        StepCase{"StAr",
                 {{1, 5}, {2, 11}, {3, 11}, {4, 14}},
                 {"S", "t", "A", "r", "", "", "", "", "", "", "", "", ""}},
        StepCase{"55 stays 55",
                 {{1, 5}, {2, 5}},
                 {"5", "5", "", "", "", "", "", "", "", "", "", "", ""}},
        StepCase{"5P stays 5P",
                 {{1, 5}, {2, 13}},
                 {"5", "P", "", "", "", "", "", "", "", "", "", "", ""}},
        StepCase{"tI", {{3, 13}, {4, 1}}, {"", "", "t", "I", "", "", "", "", "", "", "", "", ""}},
        StepCase{"t2 stays t2",
                 {{3, 13}, {4, 2}},
                 {"", "", "t", "2", "", "", "", "", "", "", "", "", ""}},
        StepCase{"APO",
                 {{1, 11}, {2, 13}, {3, 0}},
                 {"A", "P", "O", "", "", "", "", "", "", "", "", "", ""}},
        StepCase{"AP1 stays AP1",
                 {{1, 11}, {2, 13}, {3, 1}},
                 {"A", "P", "1", "", "", "", "", "", "", "", "", "", ""}},
        StepCase{"bLIt",
                 {{1, 15}, {2, 14}, {3, 1}, {4, 13}},
                 {"b", "L", "I", "t", "", "", "", "", "", "", "", "", ""}},
        StepCase{"YES",
                 {{15, 13}, {17, 14}, {18, 5}},
                 {"", "", "", "", "", "", "", "", "", "", "Y", "E", "S"}},
        StepCase{"OFF",
                 {{15, 0}, {17, 11}, {18, 11}},
                 {"", "", "", "", "", "", "", "", "", "", "O", "F", "F"}},
        StepCase{"on", {{17, 0}, {18, 12}}, {"", "", "", "", "", "", "", "", "", "", "", "o", "n"}},
        StepCase{"Full across tables C and D",
                 {{14, 14}, {15, 21}, {17, 1}, {18, 1}},
                 {"", "", "", "", "", "", "", "", "", "F", "u", "l", "l"}},
        StepCase{"-u11 is no word",
                 {{14, 11}, {15, 21}, {17, 1}, {18, 1}},
                 {"", "", "", "", "", "", "", "", "", "-", "u", "1", "1"}},
        StepCase{"code 20 in position 1 is empty",
                 {{1, 20}, {2, 1}},
                 {"", "1", "", "", "", "", "", "", "", "", "", "", ""}},
        StepCase{"code 11 in position 5 shows its number",
                 {{8, 11}, {9, 0}, {10, 23}},
                 {"", "", "", "", "11", "0", "23", "", "", "", "", "", ""}},
        StepCase{"table C minus in positions 9 and 10",
                 {{12, 11}, {14, 11}},
                 {"", "", "", "", "", "", "", "", "-", "-", "", "", ""}},
        StepCase{"position 8 uses table D",
                 {{11, 13}},
                 {"", "", "", "", "", "", "", "Y", "", "", "", "", ""}}));

TEST(CharacterStepLength, ATruncatedReportLeavesTheCaptions) {
    Report report{};
    report[1] = 7;
    DisplayModel model;
    model.setCaption(el("LblSeg1"), "3");
    showCharacters(std::span(report).first(40), model);
    EXPECT_EQ(model.caption(el("LblSeg1")), "3");
}

}  // namespace
}  // namespace photara::test
