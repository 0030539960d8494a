#include "ui/datalist/csv_export.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTest>

#include "ui/datalist/data_list_window.h"
#include "support/strict_csv.h"
#include "views_rig.h"

namespace photara::test {
namespace {

DataListWindow* openList(ViewsRig& rig, std::string text) {
    rig.workspace.dataText = std::move(text);
    rig.views.showDataList();
    return static_cast<DataListWindow*>(rig.views.dataList());
}

// Ctrl+E writes the list's set as the core spells it, to the name typed plus ".csv"; the
// dialog opens with a name from the set's start time, next time in the folder last used.
TEST(CsvExportTest, CtrlEWritesTheCoresBytesAndRemembersTheFolder) {
    ViewsRig rig;
    DataListWindow* list = openList(rig, downloadedSet(30));
    list->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(list));
    QDir(rig.dir.path()).mkdir("out");
    rig.prompts.answerSaveFile(rig.path("out/lab run"), kCsvFilter);
    QTest::keyClick(list, Qt::Key_E, Qt::ControlModifier);

    EXPECT_EQ(readBytes(rig.path("out/lab run.csv")), setCsv(list->dataSet()));
    ASSERT_EQ(rig.prompts.fileStarts().size(), 1u);
    EXPECT_TRUE(rig.prompts.fileStarts()[0].endsWith("/2026-12-08_09-30-00.csv"))
        << rig.prompts.fileStarts()[0].toStdString();
    EXPECT_EQ(rig.prompts.fileFilters()[0], "CSV (*.csv);;Excel (*.csv)");

    rig.prompts.answerSaveFile(std::nullopt);
    list->exportCsv();
    EXPECT_EQ(rig.prompts.fileStarts()[1], rig.path("out/2026-12-08_09-30-00.csv"));
    EXPECT_TRUE(rig.prompts.messages().empty());
}

struct FlavourCase {
    QLocale::Language language;
    QLocale::Territory territory;
    char delimiter;
    const char* decimal;
};

class SpreadsheetFlavour : public testing::TestWithParam<FlavourCase> {};

// "Excel" follows the locale: a German spreadsheet gets ";" and "," and the BOM.
TEST_P(SpreadsheetFlavour, UsesTheLocalesSeparators) {
    const FlavourCase c = GetParam();
    ViewsRig rig;
    const DataSet set = parseDataText(downloadedSet(12));
    rig.prompts.answerSaveFile(rig.path("x.csv"), kExcelCsvFilter);
    exportSetCsv(rig.prompts, set, QLocale(c.language, c.territory));

    const std::string bytes = readBytes(rig.path("x.csv"));
    ASSERT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
    const auto records = parseStrictCsv(std::string_view(bytes).substr(3), c.delimiter);
    ASSERT_TRUE(records.has_value());
    ASSERT_EQ(records->size(), 15u);
    const std::string first = (*records)[3][1];  // "950.27" in the meter's text
    EXPECT_EQ(first, csvNumber(set.firstTexts[0], c.decimal));
    EXPECT_NE(first.find(c.decimal), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Locales, SpreadsheetFlavour,
                         testing::Values(FlavourCase{QLocale::German, QLocale::Germany, ';', ","},
                                         FlavourCase{QLocale::French, QLocale::France, ';', ","},
                                         FlavourCase{QLocale::English, QLocale::UnitedStates, ',',
                                                     "."}));

// A folder that cannot take the file gets a message and no file.
TEST(CsvExportTest, TellsAFailureAndWritesNothing) {
    ViewsRig rig;
    const DataSet set = parseDataText(downloadedSet(5));
    rig.prompts.answerSaveFile(rig.path("no such folder/set.csv"));
    exportSetCsv(rig.prompts, set);
    ASSERT_EQ(rig.prompts.messages().size(), 1u);
    EXPECT_TRUE(rig.prompts.messages()[0].text.contains("could not be written"));
    EXPECT_FALSE(QFileInfo::exists(rig.path("no such folder")));
    EXPECT_EQ(rig.prompts.unusedAnswers(), 0u);
}

}  // namespace
}  // namespace photara::test
