#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace photara::test {

// The standard output of a PDF tool of poppler-utils (pdftotext, pdfinfo, pdftoppm) run
// on arguments; a missing tool fails the test.
inline QString pdfTool(const QString& tool, const QStringList& arguments) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) {
        ADD_FAILURE() << tool.toStdString() << " is missing: install poppler-utils";
        return {};
    }
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace photara::test
