#include "ui/live/recording_name.h"

#include <QFileInfo>
#include <QLocale>
#include <cmath>

namespace photara {

QString defaultRecordingName(const QDateTime& start) {
    return start.toString(QStringLiteral("'photara-'yyyy-MM-dd_HH-mm-ss'.csv'"));
}

QString recordingStateText(double elapsedSeconds, std::size_t rows, const QString& path) {
    const auto s = static_cast<long long>(std::floor(std::max(elapsedSeconds, 0.0)));
    const QString elapsed = QStringLiteral("%1:%2:%3")
                                .arg(s / 3600, 2, 10, QLatin1Char('0'))
                                .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
                                .arg(s % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("\u25CF REC %1 · %2 rows · %3")
        .arg(elapsed, QLocale().toString(static_cast<qulonglong>(rows)), QFileInfo(path).fileName());
}

}  // namespace photara
