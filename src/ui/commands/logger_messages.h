#pragma once

#include <QString>
#include <string_view>

#include "core/logger/directory.h"
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

// How messages name a listed set: "Set 3, recorded from 2026/12/07 00:43:03".
inline QString setTitle(int number, std::string_view identifier) {
    return QStringLiteral("Set %1, recorded from %2")
        .arg(number)
        .arg(QString::fromLatin1(startTimeText(identifier).c_str()));
}

inline const QString kAllSetsErased = QStringLiteral("All sets were erased.");
// The sets went while Photara listed them, by the meter's own hand (CLr in its SET round).
inline const QString kMemoryClearedOnMeter =
    QStringLiteral("The meter's memory was cleared on the meter (CLr): no sets are left.");

// A listed set whose size the meter answers as 0: erased since it was listed, or empty.
inline QString setGoneText(int number, std::string_view identifier) {
    return setTitle(number, identifier) +
           QStringLiteral(", is no longer in the meter's memory or holds no readings.\r\n"
                          "Nothing was changed.");
}

// A set chosen in the erase list that the meter's directory no longer holds.
inline QString setNotErasedText(int number, std::string_view identifier) {
    return setTitle(number, identifier) +
           QStringLiteral(", is no longer in the meter's memory.\r\nNothing was erased.");
}

// A refusal or failure of a logger, settings or clock command, with the critical icon.
inline void tell(AppContext& context, const QString& text) {
    context.prompts.message(text, QString(), Prompts::Icon::Critical);
}

}  // namespace photara
