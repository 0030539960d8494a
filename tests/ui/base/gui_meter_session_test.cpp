// The session as the windows see it. What these tests hold: while the meter is silent the
// window's thread goes on with its own events (the time-out is spent on the session's
// thread), and the silence reaches the recording as a "disconnected" row and the trend as a
// gap; a poll's result reaches the windows' model only through the window's thread.
#include "ui/base/gui_meter_session.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include "core/series/live_feed.h"
#include "sim/virtual_meter.h"
#include "sim/virtual_meter_backend.h"
#include "core/link/meter_identity.h"
#include "support/fake_clock.h"
#include "support/scripted_hid_backend.h"
#include "support/spin_until.h"
#include "support/stalling_backend.h"

namespace photara {
namespace {

using test::spinUntil;

struct SilentRig {
    test::FakeClock clock;
    sim::VirtualMeter meter{clock};
    sim::VirtualMeterBackend simBackend{meter};
    test::StallingBackend backend{simBackend};
    GuiMeterSession session{backend};
    LiveFeed feed{clock};
    int shown = 0;

    SilentRig() {
        QObject::connect(&session, &GuiMeterSession::polled, [this] {
            ++shown;
            feed.onPoll(session.lastPollAnswered(), session.lastReading());
            clock.advanceMilliseconds(250);
        });
    }
};

TEST(SilentMeter, TheWindowsThreadGoesOnAndTheHoleIsWrittenDown) {
    SilentRig rig;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("rec.csv"));
    std::string error;
    ASSERT_TRUE(rig.feed.startRecording(file.toStdString(), error)) << error;
    ASSERT_TRUE(rig.session.poll());
    const std::size_t before = rig.feed.series().size();
    ASSERT_GT(before, 0u);

    rig.backend.stall(true);
    rig.session.requestPoll();
    ASSERT_TRUE(spinUntil([&] { return rig.backend.stalledReadWaiting(); }));
    // The window's thread runs a chain of its own events while the read waits.
    int own = 0;
    std::function<void()> next = [&] {
        if (++own < 50) QTimer::singleShot(0, next);
    };
    QTimer::singleShot(0, next);
    ASSERT_TRUE(spinUntil([&] { return own >= 50; }));
    EXPECT_TRUE(rig.backend.stalledReadWaiting()) << "the meter was silent all along";
    const int shownWhileSilent = rig.shown;

    rig.backend.stall(false);  // the read times out: the meter is let go
    ASSERT_TRUE(spinUntil([&] { return rig.shown > shownWhileSilent; }));
    EXPECT_FALSE(rig.session.lastPollAnswered());
    ASSERT_TRUE(rig.session.poll());  // back
    EXPECT_GT(rig.feed.series().size(), before);
    EXPECT_GE(rig.feed.series().gapCount(), 1u);  // no line across the hole
    ASSERT_TRUE(rig.feed.stopRecording(error)) << error;

    QFile csv(file);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(csv.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral(",disconnected")));
    EXPECT_TRUE(text.contains(QStringLiteral(",reconnected")));
}

TEST(SessionResult, ReachesTheModelOnlyOnTheWindowsThread) {
    SilentRig rig;
    auto result = rig.session.core().poll();
    ASSERT_TRUE(result.get().answered);
    // Done on the session's thread, not yet shown: the model is the window thread's own.
    EXPECT_EQ(rig.shown, 0);
    EXPECT_FALSE(rig.session.lastPollAnswered());
    ASSERT_TRUE(spinUntil([&] { return rig.shown == 1; }));
    EXPECT_TRUE(rig.session.lastPollAnswered());
    EXPECT_EQ(rig.session.model().caption(Element::LblName), "Photara");
}

// A meter another program holds: said once when it becomes so (the status line shows it),
// not at every poll, and again after it was free in between.
TEST(HeldMeter, IsSaidOnceEachTimeItBecomesHeld) {
    test::ScriptedHidBackend backend;
    const test::ScriptedHidBackend::Device held{"/dev/hidraw3", kMeterVendorId, kMeterProductId,
                                                true, true};
    backend.setDevices({held});
    GuiMeterSession session(backend);
    QStringList said;
    QObject::connect(&session, &GuiMeterSession::meterRefused,
                     [&](const QString& text) { said << text; });
    EXPECT_FALSE(session.poll());
    EXPECT_FALSE(session.poll());
    EXPECT_EQ(said, QStringList{QStringLiteral("held /dev/hidraw3")});
    EXPECT_EQ(session.meterRefusal(), QStringLiteral("held /dev/hidraw3"));

    backend.setDevices({});
    EXPECT_FALSE(session.poll());
    EXPECT_TRUE(session.meterRefusal().isEmpty());
    backend.setDevices({held});
    EXPECT_FALSE(session.poll());
    EXPECT_EQ(said.size(), 2);
}

}  // namespace
}  // namespace photara
