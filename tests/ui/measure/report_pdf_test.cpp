// The report's page as a PDF and on a printer: one A4 page whatever the procedure, and a
// save that fails leaves nothing behind.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <set>

#include "core/procedure/report_page.h"
#include "core/procedure/scene_run.h"
#include "support/pdf_tool.h"
#include "support/scripted_prompts.h"
#include "ui/measure/report_painter.h"

namespace photara {
namespace {

using test::pdfTool;

struct PdfCase {
    const char* name;
    const char* scene;
    int gridSize;
    int notesWords = 0;  // a long note about the run, to crowd the page
};

class ReportPdf : public testing::TestWithParam<PdfCase> {};

// Read back: one A4 page holding the verdict, the site, every point the table names and,
// last on the page, the footer, so nothing was pushed off it.
TEST_P(ReportPdf, IsOneA4PageWithTheVerdictSiteAndPoints) {
    const PdfCase& c = GetParam();
    ProcedureReport report =
        test::sceneReport(c.scene, "Odeon Riverside", "Screen 4", "2026-12-08T10:15:02+01:00", c.gridSize);
    for (int i = 0; i < c.notesWords; ++i) report.info.notes += "lamp" + std::to_string(i) + " ";
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    QString error;
    ASSERT_TRUE(saveReportPdf(report, pdf, error)) << error.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("report.pdf")});

    const QString info = pdfTool(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("(A4)"))) << info.toStdString();

    const QString text = pdfTool(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")}).simplified();
    const ReportPage page = reportPage(report);
    std::set<std::string> expected{std::string(verdictText(page.overall)), "Odeon Riverside", "Screen 4",
                                   "Values in cd/m²"};
    for (const ReportRow& row : page.rows)
        if (!row.more) expected.insert(row.point);
    EXPECT_GE(expected.size(), c.gridSize ? 6u : 5u);
    for (const std::string& s : expected)
        EXPECT_TRUE(text.contains(QString::fromStdString(s))) << s << " in\n" << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Procedures, ReportPdf,
                         testing::Values(PdfCase{"Screen", "cinema-theatre-fail.json", 0},
                                         PdfCase{"Grid9x9", "display-uniformity-fail.json", 9},
                                         PdfCase{"WarmUp", "warm-up-pass.json", 0},
                                         PdfCase{"CrowdedGrid", "display-uniformity-fail.json", 9, 2500}),
                         [](const testing::TestParamInfo<PdfCase>& i) { return std::string(i.param.name); });

struct FailCase {
    const char* name;
    const char* target;  // in a folder holding "file.txt" and the folder "taken.pdf/" with a file
};

class FailedPdf : public testing::TestWithParam<FailCase> {};

// The reason names the file; the folder holds what it held before, no part file.
TEST_P(FailedPdf, SaysWhyAndLeavesNothing) {
    QTemporaryDir dir;
    {
        QFile file(dir.filePath(QStringLiteral("file.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("kept");
    }
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("taken.pdf")));
    QFile inner(dir.filePath(QStringLiteral("taken.pdf/inside")));
    ASSERT_TRUE(inner.open(QIODevice::WriteOnly));
    inner.close();

    ProcedureReport report;
    report.recipe = test::builtInRecipe("cinema-theatre");
    const QString path = dir.filePath(QString::fromLatin1(GetParam().target));
    QString error;
    EXPECT_FALSE(saveReportPdf(report, path, error));
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{QStringLiteral("file.txt"), QStringLiteral("taken.pdf")}));
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("taken.pdf"))).entryList(QDir::Files), QStringList{QStringLiteral("inside")});
}

INSTANTIATE_TEST_SUITE_P(Targets, FailedPdf,
                         testing::Values(FailCase{"MissingFolder", "none/report.pdf"},
                                         FailCase{"FolderIsAFile", "file.txt/report.pdf"},
                                         FailCase{"NameIsAFolder", "taken.pdf"}),
                         [](const testing::TestParamInfo<FailCase>& i) { return std::string(i.param.name); });

// Print goes to the printer the dialog chose, the same one page; a cancelled dialog prints nothing.
TEST(ReportPrint, PrintsThePageOnTheChosenPrinter) {
    const ProcedureReport report =
        test::sceneReport("cinema-theatre-pass.json", "Odeon Riverside", "Screen 4", "2026-12-08T10:15:02+01:00");
    QTemporaryDir dir;
    test::ScriptedPrompts prompts;
    prompts.answerPrintCancel();
    printReport(prompts, report);
    const QString pdf = dir.filePath(QStringLiteral("printed.pdf"));
    prompts.answerPrintToPdf(pdf);
    printReport(prompts, report);
    EXPECT_EQ(prompts.printDialogs(), 2);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("printed.pdf")});
    EXPECT_TRUE(pdfTool(QStringLiteral("pdfinfo"), {pdf}).contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
    EXPECT_TRUE(pdfTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).contains(QStringLiteral("Odeon Riverside")));
    EXPECT_TRUE(prompts.messages().empty());
}

}  // namespace
}  // namespace photara
