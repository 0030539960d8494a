#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>

#include "app/photara_app.h"
#include "support/spin_until.h"
#include "core/common/instance_lock.h"
#include "core/meter/display_ops.h"
#include "sim/key_codes.h"
#include "sim/data_set_generator.h"
#include "sim/virtual_meter_backend.h"

namespace photara {
namespace {

using test::spinUntil;

TEST(WiredProgram, PollsTheVirtualMeterAndSendsKeysToIt) {
    PhotaraApp app(true);
    int ticks = 0;
    QObject::connect(&app.panel(), &Panel::tickShown, [&] { ++ticks; });
    app.start();
    app.panel().pollTimer().setInterval(0);
    ASSERT_TRUE(spinUntil([&] { return ticks >= 2; }));
    EXPECT_TRUE(app.meter().core().connected());
    EXPECT_EQ(app.panel().findChild<QLabel*>(QStringLiteral("LblName"))->text(),
              QStringLiteral("Photara"));

    app.panel().keypadMember(28)->click();
    ASSERT_NE(app.virtualMeter(), nullptr);
    // The key went out behind the exchange under way; what is queued after it runs after it.
    app.meter().await(app.meter().core().between([] {}));
    const std::vector<std::uint8_t>& keys = app.virtualMeter()->keysReceived();
    ASSERT_FALSE(keys.empty());
    EXPECT_EQ(keys.back(), 28);
    EXPECT_TRUE(app.panel().pollTimer().isActive());
}

TEST(WiredProgram, ToolbarButtonsReachTheirCommands) {
    PhotaraApp app(true);
    // Save has nothing to save before data arrived; its status tick enables it later.
    EXPECT_FALSE(app.panel().toolbarAction(ToolbarCommand::Save)->isEnabled());
    app.context().workspace.dataText = sim::generateDataText(sim::DataSetRecipe{});

    app.panel().toolbarAction(ToolbarCommand::List)->trigger();
    EXPECT_TRUE(app.views().dataListOpen());
    app.panel().toolbarAction(ToolbarCommand::Graph)->trigger();
    EXPECT_TRUE(app.views().plotOpen());
    app.views().closeDataList();
    app.views().closePlot();
}

// A failed read from the meter is said on the status line, where the user sees it.
TEST(WiredProgram, AFailedReadIsSaidOnTheStatusLine) {
    PhotaraApp app(true);
    int ticks = 0;
    QObject::connect(&app.panel(), &Panel::tickShown, [&] { ++ticks; });
    app.start();
    app.panel().pollTimer().setInterval(0);
    ASSERT_TRUE(spinUntil([&] { return ticks >= 1; }));
    ASSERT_FALSE(app.statusLine().text().contains(QStringLiteral("Readfile")));
    app.meter().await(
        app.meter().core().between([&] { app.virtualMeterBackend()->failAfterReads(0); }));
    ASSERT_TRUE(spinUntil([&] {
        return app.statusLine().text().contains(QStringLiteral("Readfile undefined error"));
    }));
    EXPECT_TRUE(app.panel().statusBar()->isVisible());
}

// MEM on the meter starts a recording and stores it as a new set: an open logger window
// lists it once the poll has seen the recording end.
TEST(WiredProgram, TheLoggerWindowListsARecordingThePollSawEnd) {
    PhotaraApp app(true);
    app.start();
    app.panel().pollTimer().setInterval(0);
    ASSERT_TRUE(spinUntil([&] { return app.meter().lastPollAnswered(); }));
    app.panel().toolbarAction(ToolbarCommand::Memory)->trigger();
    ASSERT_TRUE(app.logger().loggerWindowOpen());
    const int sets = app.virtualMeter()->logger().setCount();
    const QTableWidget& grid = app.logger().loggerWindow()->grid();
    ASSERT_EQ(grid.rowCount(), sets);

    const auto mem = static_cast<std::uint8_t>(sim::Key::Mem);
    app.meter().pressKey(mem);
    ASSERT_TRUE(spinUntil([&] { return app.meter().display()[Element::LblREC]; }));
    app.meter().pressKey(mem);
    EXPECT_TRUE(spinUntil([&] { return grid.rowCount() == sets + 1; }));
}

// The built program, run as a user would.
class ProgramProcess : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(runtime_.isValid());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // A lock of its own, so parallel runs and a Photara in use do not refuse it.
        env.insert(QStringLiteral("PHOTARA_TEST_LOCK_FOLDER"), runtime_.path());
        env_ = env;
    }

    void start(QProcess& process, const QStringList& arguments) {
        process.setProcessEnvironment(env_);
        process.start(QStringLiteral(PHOTARA_EXECUTABLE), arguments);
        ASSERT_TRUE(process.waitForStarted(10000));
    }

    QTemporaryDir runtime_;
    QProcessEnvironment env_;
};

TEST_F(ProgramProcess, ScreenshotSavesThePanelAfterTheFirstReportAndExitsZero) {
    const QString file = runtime_.filePath(QStringLiteral("panel.png"));
    QProcess photara;
    start(photara, {QStringLiteral("--virtual-meter"), QStringLiteral("--screenshot"), file});
    ASSERT_TRUE(photara.waitForFinished(30000));
    EXPECT_EQ(photara.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(photara.exitCode(), 0) << photara.readAllStandardError().toStdString();
    const QImage image(file);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), 506);
    EXPECT_GT(image.height(), 608);  // the client area plus the toolbar
}

TEST_F(ProgramProcess, ASecondPhotaraRefusesToStart) {
    QProcess first;
    start(first, {QStringLiteral("--virtual-meter")});
    const QString lock =
        QString::fromStdString(InstanceLock::pathIn(runtime_.path().toStdString()));
    for (int wait = 0; wait < 300 && !QFile::exists(lock); ++wait) first.waitForFinished(20);
    ASSERT_TRUE(QFile::exists(lock));

    QProcess second;
    start(second, {QStringLiteral("--virtual-meter")});
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitCode(), 1);
    EXPECT_TRUE(second.readAllStandardError().contains("already running"));
    EXPECT_EQ(first.state(), QProcess::Running);

    first.kill();
    first.waitForFinished(10000);
}

// A data file named on the command line opens as Open does: it then leads the recent files
// the program keeps in the user's settings (here a scratch folder).
TEST_F(ProgramProcess, OpensTheDataFileNamedOnTheCommandLine) {
    const QString file = runtime_.filePath(QStringLiteral("named.pxd"));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(QByteArray::fromStdString(sim::generateDataText(sim::DataSetRecipe{}) + "\r\n"));
    out.close();
    env_.insert(QStringLiteral("XDG_CONFIG_HOME"), runtime_.filePath(QStringLiteral("config")));
    const QString settings = runtime_.filePath(QStringLiteral("config/Photara/Photara.conf"));

    QProcess photara;
    start(photara, {QStringLiteral("--virtual-meter"), file});
    auto opened = [&] {
        QFile conf(settings);
        return conf.open(QIODevice::ReadOnly) && conf.readAll().contains("named.pxd");
    };
    for (int wait = 0; wait < 500 && !opened(); ++wait) photara.waitForFinished(20);
    EXPECT_TRUE(opened()) << photara.readAllStandardError().toStdString();
    EXPECT_EQ(photara.state(), QProcess::Running);
    photara.kill();
    photara.waitForFinished(10000);
}

TEST_F(ProgramProcess, HelpAndVersionNeedNoDisplayAndBadOptionsFail) {
    QProcessEnvironment noDisplay = env_;
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        noDisplay.remove(QString::fromLatin1(name));

    QProcess version;
    version.setProcessEnvironment(noDisplay);
    version.start(QStringLiteral(PHOTARA_EXECUTABLE), {QStringLiteral("--version")});
    ASSERT_TRUE(version.waitForFinished(10000));
    EXPECT_EQ(version.exitCode(), 0);
    EXPECT_TRUE(version.readAllStandardOutput().startsWith("Photara " PHOTARA_VERSION));

    QProcess help;
    help.setProcessEnvironment(noDisplay);
    help.start(QStringLiteral(PHOTARA_EXECUTABLE), {QStringLiteral("--help")});
    ASSERT_TRUE(help.waitForFinished(10000));
    EXPECT_EQ(help.exitCode(), 0);
    EXPECT_TRUE(help.readAllStandardOutput().startsWith("Usage: photara [options]"));

    QProcess bad;
    bad.setProcessEnvironment(env_);
    bad.start(QStringLiteral(PHOTARA_EXECUTABLE), {QStringLiteral("--bogus")});
    ASSERT_TRUE(bad.waitForFinished(10000));
    EXPECT_EQ(bad.exitCode(), 2);
}

}  // namespace
}  // namespace photara
