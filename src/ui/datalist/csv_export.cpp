#include "ui/datalist/csv_export.h"

#include <QIODevice>

#include "ui/base/output_file.h"
#include "core/export/set_caption.h"

namespace photara {

SetCsvFlavour spreadsheetFlavour(const QLocale& locale) {
    const QString decimal = locale.decimalPoint();
    return SetCsvFlavour::spreadsheet(decimal == QStringLiteral(",") ? ';' : ',',
                                      decimal.toStdString());
}

std::optional<QString> exportSetCsv(Prompts& prompts, const DataSet& set,
                                    const QLocale& locale) {
    const std::optional<OutputFile> file =
        askOutputFile(prompts, kSetCsvKind, QString::fromStdString(fileStem(set.samples.timeTexts)));
    if (!file) return std::nullopt;
    const SetCsvFlavour flavour = file->format.filter == kExcelCsvFilter
                                      ? spreadsheetFlavour(locale)
                                      : SetCsvFlavour::plain();
    const std::string bytes = setCsv(set, flavour);
    if (!writeWholeFileOrTell(prompts, file->path,
                              [&](QIODevice& device) { return writeAll(device, bytes); }))
        return std::nullopt;
    return file->path;
}

}  // namespace photara
