#include <gtest/gtest.h>

#include <QLabel>
#include <QTableView>

#include "../datalist/views_rig.h"
#include "ui/commands/list_graph_commands.h"
#include "ui/commands/open_command.h"
#include "ui/datalist/data_list_window.h"

namespace photara::test {
namespace {

struct ListView {
    std::vector<QString> cells;
    QString caf, ccf;
    std::string saved;
};

// What the data list shows for the current data text, and what its Save writes.
ListView listNow(ViewsRig& rig, const QString& saveAs) {
    runListCommand(rig.context, rig.views);
    ListView view;
    QWidget* list = rig.views.dataList();
    if (!list) return view;
    const auto* model = rig.find<QTableView>(list, "MSFlexGrid1")->model();
    for (int r = 0; r < model->rowCount(); ++r)
        for (int c = 0; c < 3; ++c) view.cells.push_back(model->index(r, c).data().toString());
    view.caf = rig.find<QLabel>(list, "LblCafValue")->text();
    view.ccf = rig.find<QLabel>(list, "LblCcfValue")->text();
    rig.prompts.answerSaveFile(rig.path(saveAs));
    static_cast<DataListWindow*>(list)->save();
    view.saved = readBytes(rig.path(saveAs));
    return view;
}

TEST(ListGraphCommandTest, DoNothingWithoutData) {
    ViewsRig rig;
    runListCommand(rig.context, rig.views);
    runGraphCommand(rig.context, rig.views);
    runSaveCommand(rig.context);
    EXPECT_FALSE(rig.views.dataListOpen());
    EXPECT_FALSE(rig.views.plotOpen());
    EXPECT_TRUE(rig.prompts.fileFilters().empty()) << "Save asked for a name with nothing to save";
}

// The panel's Save writes the current data exactly as the data list's Save does, a bare
// name getting ".pxd", with both timers running again afterwards.
TEST(ListGraphCommandTest, PanelSaveWritesWhatTheListSaves) {
    ViewsRig rig;
    rig.workspace.dataText = downloadedSet(30);
    const ListView listed = listNow(rig, "listed.pxd");
    ASSERT_FALSE(listed.saved.empty());
    rig.prompts.answerSaveFile(rig.path("panel"));
    runSaveCommand(rig.context);
    EXPECT_EQ(readBytes(rig.path("panel.pxd")), listed.saved);
}

TEST(ListGraphCommandTest, ShowTheSameAfterADownloadAsAfterOpeningItsFile) {
    ViewsRig rig;
    rig.workspace.dataText = downloadedSet(30);
    const ListView downloaded = listNow(rig, "downloaded.pxd");
    ASSERT_EQ(downloaded.cells.size(), 90u);
    runGraphCommand(rig.context, rig.views);
    ASSERT_TRUE(rig.views.plotOpen());
    const Samples graphedAfterDownload = rig.workspace.samples;
    EXPECT_DOUBLE_EQ(rig.workspace.plot.shownLast, 30);

    rig.views.closeDataList();
    rig.views.closePlot();
    rig.workspace = Workspace{};
    rig.prompts.answerOpenFile(rig.path("downloaded.pxd"));
    runOpenCommand(rig.context, rig.views);
    const ListView reopened = listNow(rig, "reopened.pxd");
    EXPECT_EQ(reopened.cells, downloaded.cells);
    EXPECT_EQ(reopened.caf, downloaded.caf);
    EXPECT_EQ(reopened.ccf, downloaded.ccf);
    EXPECT_EQ(reopened.saved, downloaded.saved);

    runGraphCommand(rig.context, rig.views);
    EXPECT_EQ(rig.workspace.samples.first, graphedAfterDownload.first);
    EXPECT_EQ(rig.workspace.samples.timeTexts, graphedAfterDownload.timeTexts);
    EXPECT_DOUBLE_EQ(rig.workspace.plot.shownLast, 30);
}

TEST(ListGraphCommandTest, GraphReplacesAnOpenPlotAndListAnOpenList) {
    ViewsRig rig;
    rig.workspace.dataText = downloadedSet(3);
    runListCommand(rig.context, rig.views);
    runGraphCommand(rig.context, rig.views);
    QPointer<QWidget> list = rig.views.dataList();
    QPointer<QWidget> plot = rig.views.plot();
    runListCommand(rig.context, rig.views);
    runGraphCommand(rig.context, rig.views);
    EXPECT_TRUE(list.isNull());
    EXPECT_TRUE(plot.isNull());
    EXPECT_TRUE(rig.views.dataListOpen());
    EXPECT_TRUE(rig.views.plotOpen());
}

}  // namespace
}  // namespace photara::test
