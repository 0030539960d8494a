#pragma once

#include <QString>

#include "ui/base/app_context.h"
#include "ui/base/prompts.h"

namespace photara {

inline const QString kNoDataInMemory = QStringLiteral("No Data in Memory!");
inline const QString kEraseAllWarning = QStringLiteral(
    "All the Automatically Recorded data in memory will be deleted!\r\nThis cannot be undone.");
inline const QString kWarningTitle = QStringLiteral("Warning");

// A transfer or a reading whose answer did not arrive: nothing it would have shown is shown.
inline const QString kMeterStoppedAnswering = QStringLiteral(
    "The meter stopped answering. Nothing was changed.\r\nCheck its USB cable and try again.");
inline const QString kSetTooLong = QStringLiteral(
    "This set is longer than the download buffer holds (832,000 bytes). It was not "
    "downloaded and nothing was changed.");

// A refusal or failure of a logger, settings or clock command, with the critical icon.
inline void tell(AppContext& context, const QString& text) {
    context.prompts.message(text, QString(), Prompts::Icon::Critical);
}

}  // namespace photara
