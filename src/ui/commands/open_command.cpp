#include "ui/commands/open_command.h"

#include <QFileInfo>

#include "ui/base/app_context.h"
#include "ui/base/prompts.h"
#include "ui/base/gui_meter_session.h"
#include "ui/base/status_line.h"
#include "ui/base/workspace.h"
#include "core/datafile/data_file.h"
#include "core/datafile/data_set.h"
#include "ui/datalist/data_file_io.h"
#include "ui/datalist/data_views.h"
#include "ui/base/file_history.h"

namespace photara {

namespace {

// Reads the file into the shared data and opens the plot; what to tell the user otherwise.
std::optional<QString> openFile(AppContext& context, DataViews& views, const QString& name) {
    const DataFileRead read = readDataFile(name);
    if (!read.bytes) return read.error;

    // The file is the data text and the CR LF its writer appended; without them it reads
    // exactly like the set that was saved, down to its last reading.
    std::string dataText = dataTextOfFile(*read.bytes);
    const DataTextKind kind = classifyDataText(dataText);
    if (kind == DataTextKind::Foreign)
        return QStringLiteral("\"%1\" is not a Photara data file. Nothing was opened.")
            .arg(QFileInfo(name).absoluteFilePath());
    if (kind == DataTextKind::NoReadings)
        return QStringLiteral("The data file \"%1\" holds no readings.")
            .arg(QFileInfo(name).absoluteFilePath());
    DataSet set = parseDataText(dataText);

    // Shared data changes only now, all of it at once.
    context.workspace.dataText = std::move(dataText);
    context.workspace.samples = std::move(set.samples);
    views.showPlot();
    return std::nullopt;
}

}  // namespace

void runOpenCommand(AppContext& context, DataViews& views) {
    // Open and Save As share one folder: the file just saved is the one most likely opened.
    const std::optional<QString> name = context.prompts.openFileNameIn(
        kDataFileFilter, file_history::folder(kDataFileKind.folderKey));
    if (!name || name->isEmpty()) return;
    rememberOutputFolder(kDataFileKind, *name);
    openDataFile(context, views, *name);
}

bool openDataFile(AppContext& context, DataViews& views, const QString& name) {
    const std::optional<QString> refusal = openFile(context, views, name);
    if (!refusal) {
        file_history::addRecentFile(name);
        // The file's name first: a narrow status line cuts off the folder, not the name.
        const QFileInfo opened(name);
        sayOnStatusLine(context, QStringLiteral("Opened %1 from %2")
                                     .arg(opened.fileName(), opened.absolutePath()));
        return true;
    }
    file_history::removeRecentFile(name);
    // Told with the panel live again: the display must not stand still behind the message.
    context.prompts.message(*refusal, QString(), Prompts::Icon::Critical);
    return false;
}

}  // namespace photara
