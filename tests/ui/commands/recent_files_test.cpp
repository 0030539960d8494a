#include <gtest/gtest.h>

#include <QDir>
#include <QMenu>
#include <QSettings>
#include <QToolBar>
#include <QToolButton>

#include "../datalist/views_rig.h"
#include "ui/commands/open_command.h"
#include "core/datafile/data_file.h"
#include "ui/datalist/data_file_io.h"
#include "ui/base/file_history.h"
#include "ui/base/recent_files_menu.h"

namespace photara::test {
namespace {

// Each test starts with nothing remembered (the settings live in the tests' scratch folder).
class RecentFilesTest : public testing::Test {
  protected:
    void SetUp() override { QSettings().clear(); }

    QString dataFile(const QString& name, int readings) {
        QDir(rig.dir.path()).mkpath(QFileInfo(rig.path(name)).path());
        writeBytes(rig.path(name), dataFileBytes(downloadedSet(readings)));
        return QFileInfo(rig.path(name)).absoluteFilePath();
    }

    ViewsRig rig;
};

// The Open dialog starts where the last file was opened; opened files lead the recent list
// and one that can no longer be opened leaves it.
TEST_F(RecentFilesTest, OpenRemembersItsFolderAndTheFilesItOpened) {
    const QString first = dataFile("a/first.pxd", 10);
    const QString second = dataFile("b/second.pxd", 20);
    rig.prompts.answerOpenFile(first);
    runOpenCommand(rig.context, rig.views);
    rig.prompts.answerOpenFile(second);
    runOpenCommand(rig.context, rig.views);
    ASSERT_EQ(rig.prompts.fileStarts().size(), 2u);
    // Nothing opened yet: the user's documents (or home), never the program's working folder.
    EXPECT_TRUE(QDir(rig.prompts.fileStarts()[0]).isAbsolute()) << rig.prompts.fileStarts()[0].toStdString();
    EXPECT_NE(rig.prompts.fileStarts()[0], QFileInfo(first).absolutePath());
    EXPECT_EQ(rig.prompts.fileStarts()[1], QFileInfo(first).absolutePath());
    EXPECT_EQ(file_history::recentFiles(), (QStringList{second, first}));

    EXPECT_TRUE(openDataFile(rig.context, rig.views, first));
    EXPECT_EQ(file_history::recentFiles(), (QStringList{first, second}));
    EXPECT_EQ(rig.workspace.samples.first.size(), 10u);

    QFile::remove(second);
    EXPECT_FALSE(openDataFile(rig.context, rig.views, second));
    EXPECT_EQ(rig.prompts.messages().size(), 1u);
    EXPECT_EQ(file_history::recentFiles(), QStringList{first});
    EXPECT_EQ(rig.workspace.samples.first.size(), 10u);
}

// A file just saved leads the recent list, and Open starts in its folder.
TEST_F(RecentFilesTest, SaveAddsTheFileJustSaved) {
    const QString opened = dataFile("a/opened.pxd", 10);
    EXPECT_TRUE(openDataFile(rig.context, rig.views, opened));
    QDir(rig.dir.path()).mkpath(QStringLiteral("b"));
    const QString saved = QFileInfo(rig.path("b/saved.pxd")).absoluteFilePath();
    rig.prompts.answerSaveFile(saved);
    saveDataTextAs(rig.context, downloadedSet(5));
    EXPECT_EQ(file_history::recentFiles(), (QStringList{saved, opened}));
    EXPECT_EQ(file_history::folder(QStringLiteral("open")), QFileInfo(saved).absolutePath());
}

TEST_F(RecentFilesTest, KeepsTheLatestFilesOnceEach) {
    for (int i = 0; i < file_history::kRecentFiles + 2; ++i)
        file_history::addRecentFile(rig.path(QStringLiteral("%1.pxd").arg(i)));
    file_history::addRecentFile(rig.path("5.pxd"));
    const QStringList files = file_history::recentFiles();
    ASSERT_EQ(files.size(), file_history::kRecentFiles);
    EXPECT_EQ(files.front(), rig.path("5.pxd"));
    EXPECT_EQ(files.count(rig.path("5.pxd")), 1);
    EXPECT_EQ(files.back(), rig.path("2.pxd"));
}

// The arrow of the Open button lists the recent files; choosing one opens it.
TEST_F(RecentFilesTest, TheOpenButtonsMenuOpensARecentFile) {
    const QString first = dataFile("first.pxd", 10);
    const QString second = dataFile("second.pxd", 20);
    file_history::addRecentFile(first);
    file_history::addRecentFile(second);

    QToolBar toolbar;
    QAction* open = toolbar.addAction(QStringLiteral("Open"));
    QMenu* menu = addRecentFilesMenu(
        *open, [&](const QString& file) { openDataFile(rig.context, rig.views, file); });
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(qobject_cast<QToolButton*>(toolbar.widgetForAction(open))->menu(), menu);
    emit menu->aboutToShow();
    const QList<QAction*> items = menu->actions();
    ASSERT_GE(items.size(), 2);
    EXPECT_EQ(items[0]->text(), "&1 second.pxd");
    EXPECT_EQ(items[1]->text(), "&2 first.pxd");
    items[1]->trigger();
    EXPECT_TRUE(rig.views.plotOpen());
    EXPECT_EQ(rig.workspace.samples.first.size(), 10u);
    EXPECT_EQ(file_history::recentFiles().front(), first);

    menu->findChild<QAction*>("ClearRecentFiles")->trigger();
    EXPECT_TRUE(file_history::recentFiles().isEmpty());
}

}  // namespace
}  // namespace photara::test
