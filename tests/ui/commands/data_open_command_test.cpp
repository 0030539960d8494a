#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTableView>

#include "../datalist/views_rig.h"
#include "ui/commands/open_command.h"
#include "core/datafile/data_set.h"
#include "ui/datalist/data_list_window.h"

namespace photara::test {
namespace {

// Downloads a set into the data list and saves it, as the user does.
QString saveThroughTheList(ViewsRig& rig, const std::string& downloaded, const QString& name) {
    rig.workspace.dataText = downloaded;
    rig.views.showDataList();
    rig.prompts.answerSaveFile(rig.path(name));
    static_cast<DataListWindow*>(rig.views.dataList())->save();
    return rig.path(name);
}

// Sets of k readings; the generator's lines are whole blocks, so the padding depends only
// on the trailer, and k = 0 … 2 cover the smallest sets.
class OpenRoundTripTest : public ::testing::TestWithParam<int> {};

TEST_P(OpenRoundTripTest, ReopenedFileGivesTheSamplesTheListGave) {
    const int k = GetParam();
    ViewsRig rig;
    const std::string downloaded = downloadedSet(k);
    const QString file = saveThroughTheList(rig, downloaded, "set.pxd");
    const Samples listed = rig.workspace.samples;
    ASSERT_EQ(listed.first.size(), static_cast<std::size_t>(k));

    rig.workspace = Workspace{};
    rig.prompts.answerOpenFile(file);
    runOpenCommand(rig.context, rig.views);

    EXPECT_TRUE(rig.prompts.messages().empty());
    EXPECT_EQ(rig.workspace.dataText, downloaded);
    EXPECT_EQ(rig.workspace.samples.timeTexts, listed.timeTexts);
    EXPECT_EQ(rig.workspace.samples.first, listed.first);
    EXPECT_EQ(rig.workspace.samples.second, listed.second);
    EXPECT_DOUBLE_EQ(rig.workspace.samples.firstMaximum, listed.firstMaximum);
    EXPECT_DOUBLE_EQ(rig.workspace.samples.secondMaximum, listed.secondMaximum);
    ASSERT_TRUE(rig.views.plotOpen());
    EXPECT_DOUBLE_EQ(rig.workspace.plot.sampleCount, k);
    EXPECT_DOUBLE_EQ(rig.workspace.plot.shownLast, k);
    EXPECT_DOUBLE_EQ(rig.workspace.plot.first.maximum, listed.firstMaximum);

    // Saving the reopened set writes the very same bytes.
    const QString again = saveThroughTheList(rig, rig.workspace.dataText, "again.pxd");
    EXPECT_EQ(readBytes(again), readBytes(file));
}

INSTANTIATE_TEST_SUITE_P(Sizes, OpenRoundTripTest, ::testing::Values(1, 2, 50, 13000));

TEST(OpenCommandTest, FileOfOneHundredAndFiveLinesPlotsOneHundredAndOneReadings) {
    ViewsRig rig;
    std::string file;
    for (int i = 0; i < 101; ++i)
        file += "2026/12/08   10:00:00     " + std::to_string(i) + ".00cd/m2     1.00fL\r\n";
    file += "CAF      1.000\r\nCCF      1.000\r\nfurther\r\n\r\n";
    writeBytes(rig.path("hand.pxd"), file);
    rig.prompts.answerOpenFile(rig.path("hand.pxd"));
    runOpenCommand(rig.context, rig.views);
    ASSERT_EQ(rig.workspace.samples.first.size(), 101u);
    EXPECT_DOUBLE_EQ(rig.workspace.samples.first.back(), 100);
    EXPECT_EQ(rig.prompts.fileFilters(), std::vector<QString>{"Data Files (*.pxd);;All Files (*)"});
}

TEST(OpenCommandTest, CancelChangesNothing) {
    ViewsRig rig;
    rig.workspace.dataText = "kept";
    rig.prompts.answerOpenFile(std::nullopt);
    runOpenCommand(rig.context, rig.views);
    EXPECT_EQ(rig.workspace.dataText, "kept");
    EXPECT_FALSE(rig.views.plotOpen());
    EXPECT_TRUE(rig.prompts.messages().empty());
}

TEST(OpenCommandTest, ReplacesAnOpenPlot) {
    ViewsRig rig;
    const QString file = saveThroughTheList(rig, downloadedSet(4), "a.pxd");
    rig.prompts.answerOpenFile(file);
    runOpenCommand(rig.context, rig.views);
    QPointer<QWidget> first = rig.views.plot();
    rig.prompts.answerOpenFile(file);
    runOpenCommand(rig.context, rig.views);
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(rig.views.plotOpen());
}

// Files that cannot be plotted: each gives one message naming the file, and the shared data,
// the plot and the timers stay as they were.
struct BadFileCase {
    const char* name;
    std::string bytes;  // written to the file unless the case makes something else
    const char* reasonPart;
};

class OpenBadFileTest : public ::testing::TestWithParam<BadFileCase> {};

TEST_P(OpenBadFileTest, SaysWhyAndChangesNothing) {
    const BadFileCase& c = GetParam();
    ViewsRig rig;
    const QString previous = saveThroughTheList(rig, downloadedSet(7), "previous.pxd");
    rig.prompts.answerOpenFile(previous);
    runOpenCommand(rig.context, rig.views);
    const Workspace before = rig.workspace;
    QPointer<QWidget> plot = rig.views.plot();

    const QString target = rig.path(QString::fromLatin1(c.name));
    const std::string name = c.name;
    if (name == "folder.pxd") {
        QDir(rig.dir.path()).mkdir("folder.pxd");
    } else if (name == "huge.pxd") {
        QFile huge(target);
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
        ASSERT_TRUE(huge.resize(100LL * 1024 * 1024));  // sparse: quick to make
    } else if (name != "missing.pxd") {
        writeBytes(target, c.bytes);
    }
    rig.prompts.answerOpenFile(target);
    runOpenCommand(rig.context, rig.views);

    ASSERT_EQ(rig.prompts.messages().size(), 1u);
    const auto& message = rig.prompts.messages()[0];
    EXPECT_EQ(message.icon, Prompts::Icon::Critical);
    EXPECT_TRUE(message.text.contains(QFileInfo(target).absoluteFilePath()))
        << message.text.toStdString();
    EXPECT_TRUE(message.text.contains(QString::fromLatin1(c.reasonPart)))
        << message.text.toStdString();
    EXPECT_EQ(rig.workspace.dataText, before.dataText);
    EXPECT_EQ(rig.workspace.samples.first, before.samples.first);
    EXPECT_DOUBLE_EQ(rig.workspace.plot.sampleCount, before.plot.sampleCount);
    EXPECT_EQ(rig.views.plot(), plot.data());
}

// Bytes a pseudo-random generator makes, with line ends: no data file.
std::string noise() {
    std::string bytes;
    std::uint32_t x = 12345;
    for (int i = 0; i < 200000; ++i) {
        x = x * 1103515245u + 12345u;
        bytes += static_cast<char>(x >> 24);
    }
    return bytes + "\r\r\r\r\r\r";
}

INSTANTIATE_TEST_SUITE_P(
    Files, OpenBadFileTest,
    ::testing::Values(BadFileCase{"missing.pxd", "", "No such file"},
                      BadFileCase{"folder.pxd", "", "not a regular file"},
                      BadFileCase{"huge.pxd", "",
                                  "too large for a data file (100.0 MB; a data file holds at most 8.0 MB)"},
                      BadFileCase{"none.pxd", downloadedSet(0) + "\r\n", "holds no readings"},
                      BadFileCase{"empty.pxd", "", "is not a Photara data file"},
                      BadFileCase{"four.pxd", "r\r\nCAF\r\nCCF\r\nx\r\n",
                                  "is not a Photara data file"},
                      BadFileCase{"nocr.pxd", std::string(5000, 'x') + "\n\n\n\n\n\n",
                                  "is not a Photara data file"},
                      BadFileCase{"binary.pxd", std::string("\x00\xff\x7f\x80\n\x01", 6),
                                  "is not a Photara data file"},
                      BadFileCase{"noise.pxd", noise(), "is not a Photara data file"}));

// An editor or a version-control checkout turned the CR LF line ends into LF.
TEST(OpenCommandTest, OpensASavedFileWhoseLineEndsBecameLf) {
    ViewsRig rig;
    const std::string downloaded = downloadedSet(50);
    const QString saved = saveThroughTheList(rig, downloaded, "set.pxd");
    const Samples listed = rig.workspace.samples;
    std::string lf;
    for (const char c : readBytes(saved))
        if (c != '\r') lf += c;
    writeBytes(rig.path("lf.pxd"), lf);

    rig.workspace = Workspace{};
    rig.prompts.answerOpenFile(rig.path("lf.pxd"));
    runOpenCommand(rig.context, rig.views);
    EXPECT_TRUE(rig.prompts.messages().empty());
    EXPECT_EQ(rig.workspace.dataText, downloaded);
    EXPECT_EQ(rig.workspace.samples.timeTexts, listed.timeTexts);
    EXPECT_EQ(rig.workspace.samples.first, listed.first);
    EXPECT_TRUE(rig.views.plotOpen());
}

}  // namespace
}  // namespace photara::test
