#pragma once

#include <QDateTime>
#include <QString>

namespace photara {

// The file name a recording started at `start` gets by default: "photara-2026-12-08_10-15-02.csv".
QString defaultRecordingName(const QDateTime& start);

// "REC 01:02:03 · 1,234 rows · name.csv": the recording's state on the panel's status line.
QString recordingStateText(double elapsedSeconds, std::size_t rows, const QString& path);

}  // namespace photara
