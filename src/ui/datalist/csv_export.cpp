#include "ui/datalist/csv_export.h"

#include <QDir>
#include <QIODevice>

#include "ui/base/export_file.h"
#include "ui/base/prompts.h"
#include "ui/datalist/file_history.h"
#include "core/export/set_caption.h"

namespace photara {
namespace {

const QString kExportDialog = QStringLiteral("export");

}  // namespace

SetCsvFlavour spreadsheetFlavour(const QLocale& locale) {
    const QString decimal = locale.decimalPoint();
    return SetCsvFlavour::spreadsheet(decimal == QStringLiteral(",") ? ';' : ',',
                                      decimal.toStdString());
}

std::optional<QString> exportSetCsv(Prompts& prompts, const DataSet& set,
                                    const QLocale& locale) {
    const QString start =
        QDir(file_history::folder(kExportDialog))
            .filePath(QString::fromStdString(fileStem(set.samples.timeTexts)) + ".csv");
    const std::optional<Prompts::SaveChoice> choice =
        prompts.saveFileChoice(kCsvFilter + QStringLiteral(";;") + kExcelCsvFilter, start);
    if (!choice) return std::nullopt;
    const std::optional<QString> path =
        exportFileName(prompts, choice->path, QStringLiteral("csv"), true);
    if (!path) return std::nullopt;
    file_history::rememberFolder(kExportDialog, *path);

    const SetCsvFlavour flavour =
        choice->filter == kExcelCsvFilter ? spreadsheetFlavour(locale) : SetCsvFlavour::plain();
    const std::string bytes = setCsv(set, flavour);
    const std::optional<QString> failure = writeWholeFile(*path, [&](QIODevice& file) {
        return file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
               static_cast<qint64>(bytes.size());
    });
    if (failure) {
        prompts.message(*failure, QString(), Prompts::Icon::Critical);
        return std::nullopt;
    }
    return path;
}

}  // namespace photara
