// The whole program on the virtual meter, recording, while the user opens one dialog after
// another. What this holds: no dialog stops the poll; the panel keeps showing the meter and
// the recording keeps writing rows while each dialog is open (the poll runs four times a
// second in the program; here faster, so the test is short).
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "app/photara_app.h"
#include "support/spin_until.h"

namespace photara {
namespace {

using test::spinUntil;

struct DialogCase {
    const char* name;
    std::function<void(PhotaraApp&)> open;  // returns once the dialog has closed
};

class ReadingsNeverStop : public ::testing::TestWithParam<DialogCase> {};

TEST_P(ReadingsNeverStop, PollsAreShownAndRowsWrittenWhileTheDialogIsOpen) {
    PhotaraApp app(true);
    app.start();
    app.panel().pollTimer().setInterval(5);
    ASSERT_TRUE(spinUntil([&] { return app.meter().lastPollAnswered(); }));
    QTemporaryDir dir;
    std::string error;
    ASSERT_TRUE(app.liveFeed().startRecording(dir.filePath("rec.csv").toStdString(), error))
        << error;

    int shown = 0;
    QObject::connect(&app.panel(), &Panel::tickShown, [&] { ++shown; });
    // Once a dialog is up: three polls shown, then the user closes it.
    int shownAtOpen = -1;
    std::size_t rowsAtOpen = 0;
    int shownWhileOpen = 0;
    std::size_t rowsWhileOpen = 0;
    QTimer user;
    user.setInterval(1);
    QObject::connect(&user, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        if (shownAtOpen < 0) {
            shownAtOpen = shown;
            rowsAtOpen = app.liveFeed().recording()->rows();
        } else if (shown - shownAtOpen >= 3) {
            shownWhileOpen = shown - shownAtOpen;
            rowsWhileOpen = app.liveFeed().recording()->rows() - rowsAtOpen;
            shownAtOpen = -1;
            dialog->reject();
        }
    });
    user.start();
    GetParam().open(app);
    user.stop();

    EXPECT_GE(shownWhileOpen, 3);
    EXPECT_GE(rowsWhileOpen, 3u);
    ASSERT_TRUE(app.liveFeed().stopRecording(error)) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, ReadingsNeverStop,
    ::testing::Values(
        DialogCase{"SamplingTime", [](PhotaraApp& a) { a.logger().runIntv(); }},
        DialogCase{"RecordingPeriod", [](PhotaraApp& a) { a.logger().runRecSetup(); }},
        DialogCase{"Clock", [](PhotaraApp& a) { a.logger().runRtc(); }},
        DialogCase{"OpenFile",
                   [](PhotaraApp& a) {
                       a.panel().toolbarAction(ToolbarCommand::Open)->trigger();
                   }},
        DialogCase{"EraseConfirmation", [](PhotaraApp& a) {
                       a.logger().runErase();
                       QComboBox* list = a.panel().eraseList();
                       emit list->activated(1);  // the first set: "will be erased?"
                   }}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace photara
