// Mode switching and mode commands through the whole program against the simulated
// controller: the real serial driver on a pseudo-terminal, the real windows, real time
// (every switch takes its real pauses).

#include "WindowOnSimulator.h"
#include "ui/TQvRichEdit.h"
#include "ui/TTransmitMemo.h"

#include <QAbstractButton>
#include <QAction>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using ptcsim::SimMode;

class ModeSwitching : public ::testing::Test, public WindowOnSimulator {
protected:
    void SetUp() override
    {
        dir.writeSettings({"Program/Messages On Screen=ON"});
        ptcsim::Options options;
        options.replyDelayMs = 300;
        startSimulator(options);
        ASSERT_TRUE(waitFor([this] { return core().station.PtcType == PtcModel::II; }));
    }

    OrvantiCore& core() { return window->core(); }

    SimMode simMode()
    {
        return fromEngine([](const ptcsim::SimEngine& e) { return e.mode(); });
    }
    bool simConnected()
    {
        return fromEngine([](const ptcsim::SimEngine& e) { return e.connected(); });
    }

    void choose(const char* menuEntry)
    {
        window->findChild<QAction*>(QLatin1String(menuEntry))->trigger();
    }
    int pageShown() const { return window->findChild<QTabWidget*>()->currentIndex(); }
};

} // namespace

TEST_F(ModeSwitching, EveryModeEntryPutsTheControllerInThatMode)
{
    const struct {
        const char* entry;
        SimMode mode;
        int page;
    } steps[] = {
        {"MenuAmtor", SimMode::Amtor, 1},   {"MenuRtty", SimMode::Rtty, 3},
        {"MenuCw", SimMode::Cw, 4},         {"MenuPsk31", SimMode::Psk31, 6},
        {"MenuAudio", SimMode::Audio, 5},   {"Sub_MenuPacketPort2", SimMode::Packet, 2},
        {"MenuPactor", SimMode::Pactor, 0},
    };
    for (const auto& step : steps) {
        choose(step.entry);
        EXPECT_TRUE(waitFor([&] { return simMode() == step.mode; })) << step.entry;
        EXPECT_EQ(pageShown(), step.page) << step.entry;
    }
    EXPECT_EQ(fromEngine([](const ptcsim::SimEngine& e) { return e.settings().packetPort; }), 2);
}

TEST_F(ModeSwitching, ALinkHoldsTheModeUntilItIsDisconnected)
{
    core().texts.NoChangeText = QStringLiteral("Disconnect first");
    type(QStringLiteral("C DL2XYZ"));
    // The status bar counts the link set-up as connected already.
    ASSERT_TRUE(waitFor([&] { return core().station.Connected && simConnected(); }));

    choose("MenuAmtor");
    EXPECT_EQ(pageShown(), 0);
    ASSERT_FALSE(modal.shown.isEmpty());
    EXPECT_EQ(modal.shown.last().text, QStringLiteral("Disconnect first"));
    EXPECT_NE(simMode(), SimMode::Amtor);

    // Change-over makes this station the sending side; the status bar follows.
    choose("MenuChangeOver");
    ASSERT_TRUE(waitFor([&] { return core().station.Transmitting; }));

    choose("MenuHardDisconnect");
    ASSERT_TRUE(waitFor([&] { return !core().station.Connected && !simConnected(); }));
    choose("MenuAmtor");
    EXPECT_TRUE(waitFor([&] { return simMode() == SimMode::Amtor; }));
}

TEST_F(ModeSwitching, PacketLinksSwitchTheMonitorAndCwReportsItsKeying)
{
    choose("Sub_MenuPacketPort1");
    ASSERT_TRUE(waitFor([&] { return simMode() == SimMode::Packet; }));
    type(QStringLiteral("C DL2XYZ"));
    ASSERT_TRUE(waitFor([&] { return core().station.Connected; }));
    EXPECT_EQ(core().station.PacketState, QStringLiteral("STANDBY"));
    window->findChild<QAbstractButton*>(Name::PacketDisconnect)->click();
    ASSERT_TRUE(waitFor([&] { return !core().station.Connected; }));
    EXPECT_EQ(core().station.PacketState, QStringLiteral("MONITOR"));

    // Entering CW toggles the keying mode once; the decoder shows what the controller says.
    choose("MenuCw");
    ASSERT_TRUE(waitFor([&] { return simMode() == SimMode::Cw; }));
    EXPECT_TRUE(waitFor([&] {
        return window->receiveWindow()->toPlainText().contains(QStringLiteral("** DELAYED"));
    }));
}
