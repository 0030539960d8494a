#pragma once

#include <QLocale>
#include <QString>
#include <optional>

#include "core/export/set_csv.h"
#include "ui/base/output_file.h"

namespace photara {

class Prompts;

// The two flavours the export dialog offers.
inline const QString kCsvFilter = QStringLiteral("CSV (*.csv)");
inline const QString kExcelCsvFilter = QStringLiteral("Excel (*.csv)");
// A set's CSV: either flavour, in the folder the last export used; "set.txt" stays as typed.
inline const OutputFileKind kSetCsvKind{{{kCsvFilter, QStringLiteral("csv")},
                                         {kExcelCsvFilter, QStringLiteral("csv")}},
                                        QStringLiteral("export"),
                                        true};

// The spreadsheet flavour for a locale: its decimal separator, and the list separator
// spreadsheets use with it (";" where the decimal separator is a comma, else ",").
SetCsvFlavour spreadsheetFlavour(const QLocale& locale);

// Asks for a file name and flavour (starting in the folder the last export used, with a
// name from the set's start time) and writes the set's CSV there whole. A cancelled dialog
// does nothing; a failure is told in a message and leaves any existing file as it was.
// Returns the file written, nullopt when none was.
std::optional<QString> exportSetCsv(Prompts& prompts, const DataSet& set,
                                    const QLocale& locale = QLocale());

}  // namespace photara
