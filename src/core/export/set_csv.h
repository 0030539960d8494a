#pragma once

#include <string>
#include <string_view>

#include "core/datafile/data_set.h"

namespace photara {

// How a set's CSV is spelled. The plain form is what scripts read: comma, decimal point,
// "2026-12-08T10:15:02". The spreadsheet form follows the user's locale (its list and
// decimal separators), starts with a UTF-8 byte order mark so a spreadsheet reads "cd/m²"
// right, and puts a blank between date and time, which spreadsheets take for a date.
struct SetCsvFlavour {
    char delimiter = ',';
    std::string decimalSeparator = ".";
    char dateTimeSeparator = 'T';
    bool byteOrderMark = false;

    static SetCsvFlavour plain() { return {}; }
    static SetCsvFlavour spreadsheet(char listSeparator, std::string decimalSeparator) {
        return {listSeparator, std::move(decimalSeparator), ' ', true};
    }
};

// A downloaded or opened set as CSV bytes (UTF-8, RFC 4180, CR LF): the CAF and CCF rows,
// the header "time", first unit, second unit, then one row per reading. Times are the
// set's own local times in ISO 8601 without an offset (the meter records none); a time the
// meter spelled in another way is kept as it stands. Values are numbers with the "K" and
// "M" multipliers applied (16.078K → 16078), as many decimals as the meter gave; a field
// that holds no number is left empty rather than read as 0.
std::string setCsv(const DataSet& set, const SetCsvFlavour& flavour = SetCsvFlavour::plain());

// The pieces, for callers that show one value: a value field as a CSV number ("" when it
// holds none), and a time text as ISO 8601.
std::string csvNumber(std::string_view blanklessField, std::string_view decimalSeparator = ".");
std::string meterTimeAsIso(std::string_view timeText, char dateTimeSeparator = 'T');
// The meter's text (one byte per character, Latin-1) in UTF-8.
std::string utf8FromMeter(std::string_view latin1);
// A unit as the meter wrote it ("cd/m2"), in UTF-8 as a reader expects it ("cd/m²");
// `fallback` when the field is blank.
std::string meterUnitInUtf8(std::string_view meterUnit, std::string_view fallback);

}  // namespace photara
