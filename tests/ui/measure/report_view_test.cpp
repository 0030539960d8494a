// The finished report on screen: its save buttons write what the report says, and a save
// that cannot be written is told, naming the file.
#include "ui/measure/report_view.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>

#include "core/procedure/scene_run.h"
#include "support/pdf_tool.h"
#include "support/scripted_prompts.h"
#include "ui/base/status_line.h"
#include "ui/measure/report_painter.h"

namespace photara {
namespace {

std::string contents(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll().toStdString();
}

const ProcedureReport& screenReport() {
    static const ProcedureReport report =
        test::sceneReport("cinema-theatre-fail.json", "Odeon Riverside", "Screen 4", "2026-12-08T10:15:02+01:00");
    return report;
}

struct SaveCase {
    const char* button;
    const char* extension;
};

class ReportViewSave : public testing::TestWithParam<SaveCase> {};

// A name typed without an extension gets the format's; the file reads back as the report.
TEST_P(ReportViewSave, WritesTheReportInTheButtonsFormat) {
    const SaveCase& c = GetParam();
    QTemporaryDir dir;
    test::ScriptedPrompts prompts;
    QStatusBar bar;
    StatusLine status(&bar);
    ReportView view(prompts, &status);
    view.setReport(screenReport());
    prompts.answerSaveFile(dir.filePath(QStringLiteral("screen4")));
    auto* button = view.findChild<QPushButton*>(QString::fromLatin1(c.button));
    ASSERT_NE(button, nullptr);
    button->click();

    const QString path = dir.filePath(QStringLiteral("screen4.") + QString::fromLatin1(c.extension));
    ASSERT_TRUE(QFile::exists(path)) << path.toStdString();
    EXPECT_TRUE(prompts.messages().empty());
    EXPECT_TRUE(status.text().contains(path)) << status.text().toStdString();
    ASSERT_FALSE(prompts.fileStarts().empty());
    EXPECT_TRUE(prompts.fileStarts().back().contains(QStringLiteral("odeon-riverside-screen-4-cinema-theatre-2026-12-08")))
        << prompts.fileStarts().back().toStdString();
    const std::string bytes = contents(path);
    if (std::string(c.extension) == "json") {
        const auto back = readReport(bytes);
        ASSERT_TRUE(std::holds_alternative<ProcedureReport>(back)) << std::get<std::string>(back);
        EXPECT_EQ(reportJson(std::get<ProcedureReport>(back)), reportJson(screenReport()));
    } else if (std::string(c.extension) == "html") {
        EXPECT_EQ(bytes, reportHtml(screenReport()));
    } else {
        const QString text = test::pdfTool(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
        EXPECT_TRUE(text.contains(QStringLiteral("fail"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("Odeon Riverside"))) << text.toStdString();
    }
    // The next save starts in the folder used.
    prompts.answerSaveFile(std::nullopt);
    button->click();
    EXPECT_TRUE(prompts.fileStarts().back().startsWith(dir.path())) << prompts.fileStarts().back().toStdString();
}

// Saving into a folder that is not there: the user is told which file and why, and no
// file appears.
TEST_P(ReportViewSave, TellsWhyASaveFailed) {
    const SaveCase& c = GetParam();
    QTemporaryDir dir;
    test::ScriptedPrompts prompts;
    ReportView view(prompts, nullptr);
    view.setReport(screenReport());
    prompts.answerSaveFile(dir.filePath(QStringLiteral("gone/screen4")));
    view.findChild<QPushButton*>(QString::fromLatin1(c.button))->click();
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_TRUE(prompts.messages()[0].text.contains(QStringLiteral("screen4.") + QString::fromLatin1(c.extension)))
        << prompts.messages()[0].text.toStdString();
    EXPECT_EQ(prompts.messages()[0].icon, Prompts::Icon::Critical);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("gone"))));
}

INSTANTIATE_TEST_SUITE_P(Formats, ReportViewSave,
                         testing::Values(SaveCase{"SavePdf", "pdf"}, SaveCase{"SaveHtml", "html"},
                                         SaveCase{"SaveJson", "json"}),
                         [](const testing::TestParamInfo<SaveCase>& i) { return std::string(i.param.extension); });

// The table shows the report's rows, each tinted by its verdict; with no report the buttons
// are off.
TEST(ReportViewTable, ShowsEveryRowTintedByVerdict) {
    test::ScriptedPrompts prompts;
    ReportView view(prompts, nullptr);
    for (QPushButton* b : view.findChildren<QPushButton*>()) EXPECT_FALSE(b->isEnabled()) << b->text().toStdString();
    view.setReport(screenReport());
    const auto* table = view.findChild<QTableWidget*>(QStringLiteral("Verdicts"));
    ASSERT_NE(table, nullptr);
    const auto& results = screenReport().result.results;
    ASSERT_EQ(static_cast<std::size_t>(table->rowCount()), results.size());
    int fails = 0;
    for (int r = 0; r < table->rowCount(); ++r) {
        const Verdict verdict = results[static_cast<std::size_t>(r)].verdict;
        EXPECT_EQ(table->item(r, 4)->text().toStdString(), verdictText(verdict));
        for (int c = 0; c < table->columnCount(); ++c)
            EXPECT_EQ(table->item(r, c)->background().color(), verdictTint(verdict)) << r << "," << c;
        fails += verdict == Verdict::Fail;
    }
    EXPECT_GT(fails, 0);
    for (QPushButton* b : view.findChildren<QPushButton*>()) EXPECT_TRUE(b->isEnabled()) << b->text().toStdString();
}

}  // namespace
}  // namespace photara
