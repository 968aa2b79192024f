// The status display on the fake port: the request and when it is withheld, what a
// status byte shows, the housekeeping tick and its lamps.

#include "CoreHarness.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

class StatusDisplayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.port.OpenPort();
        h.texts().TransmitText = QStringLiteral("Transmitting");
        h.texts().Callingtext = QStringLiteral("Calling...");
        h.view.setCaption(Name::Receivebar, QStringLiteral("Receive"));
    }

    const ComponentState& pane(int number) const
    {
        return h.view.component(QStringLiteral("Pane%1").arg(number));
    }
    bool enabled(const char* name) const { return h.view.component(QLatin1String(name)).enabled; }

    CoreHarness h;
    StatusDisplay& status = h.core.status;
};

} // namespace

TEST_F(StatusDisplayTest, ConnectedAndTransmittingWithATrafficError)
{
    status.showStatusByte(0x98);
    EXPECT_EQ(h.station().ModeText, QStringLiteral("CONNECT"));
    EXPECT_EQ(h.station().TrafficState, QStringLiteral("CONNECT"));
    EXPECT_TRUE(h.station().Connected);
    EXPECT_TRUE(h.station().Transmitting);
    EXPECT_EQ(pane(4).caption, QStringLiteral("ERROR"));
    EXPECT_EQ(pane(4).fill, Colors::Red);
    EXPECT_EQ(pane(4).text, Colors::White);
    EXPECT_EQ(pane(5).caption, QStringLiteral("Transmitting"));
    EXPECT_EQ(pane(5).fill, Colors::Red);
    EXPECT_EQ(pane(2).fill, Colors::Red) << "a link up shows red";
    // With the link up, what ends it is enabled and what starts one is not.
    EXPECT_TRUE(enabled("PactorDisconnect"));
    EXPECT_TRUE(enabled("PopUpDisconnect"));
    EXPECT_TRUE(enabled("SpeedHiscall"));
    EXPECT_FALSE(enabled("PactorConnect"));
    EXPECT_FALSE(enabled("AmtorFec"));
}

TEST_F(StatusDisplayTest, ListenClearsTheCallAndIdleShowsLime)
{
    h.station().HisCall = QStringLiteral("DL1ABC");
    status.showStatusByte(0x98);
    status.showStatusByte(0x63);
    EXPECT_EQ(h.station().ModeText, QStringLiteral("LISTEN"));
    EXPECT_EQ(h.station().HisCall, QString());
    EXPECT_FALSE(h.station().Transmitting);
    EXPECT_FALSE(h.station().Connected);
    EXPECT_EQ(pane(4).caption, QStringLiteral("IDLE"));
    EXPECT_EQ(pane(4).fill, Colors::Lime);
    EXPECT_EQ(pane(4).text, Colors::Black);
    EXPECT_EQ(pane(5).caption, QStringLiteral("Receive")) << "listening shows the receive bar";
    EXPECT_EQ(pane(5).fill, Colors::Lime);
    EXPECT_TRUE(h.view.isChecked(Name::PactorListen));
    EXPECT_FALSE(enabled("PactorDisconnect"));
    EXPECT_TRUE(enabled("PactorConnect"));
    EXPECT_FALSE(enabled("SpeedHiscall")) << "only CW, RTTY and PSK31 keep it without a link";
}

TEST_F(StatusDisplayTest, CallingHoldsWhileTheModeFieldSaysStandby)
{
    h.station().TrafficState = QStringLiteral("CALLING");
    status.showStatusByte(0x05); // mode 000, PHASE
    EXPECT_EQ(h.station().TrafficState, QStringLiteral("CALLING"));
    EXPECT_EQ(pane(2).caption, QStringLiteral("Calling..."));
    status.showStatusByte(0x05);
    EXPECT_EQ(pane(2).caption, QStringLiteral("Calling..."));
    status.showStatusByte(0x77); // 111: a real standby ends the call
    EXPECT_EQ(pane(2).caption, QStringLiteral("STANDBY"));
}

TEST_F(StatusDisplayTest, RttyButtonsFollowTheTransmitBit)
{
    h.station().ModeId = Mode::Rtty;
    status.showStatusByte(0x58); // 101, transmitting
    EXPECT_TRUE(h.view.isChecked(Name::rttyTransmit));
    EXPECT_FALSE(enabled("rttyTransmit"));
    EXPECT_TRUE(enabled("RttyReceive"));
    status.showStatusByte(0x57);
    EXPECT_TRUE(h.view.isChecked(Name::RttyReceive));
    EXPECT_FALSE(enabled("RttyReceive"));
    EXPECT_EQ(pane(4).fill, Colors::Silver) << "traffic 000 is red, 111 silver";
}

TEST_F(StatusDisplayTest, ModeFieldsPressTheirButtonsAndSomeModesNameTheirOwnState)
{
    status.showStatusByte(0x47); // 100: unproto
    EXPECT_EQ(h.station().ModeText, QStringLiteral("UNPRO(L)"));
    EXPECT_TRUE(h.view.isChecked(Name::PactorUnpro));
    status.showStatusByte(0x77); // 111: standby
    EXPECT_TRUE(h.view.isChecked(Name::PactorStandby));
    status.showStatusByte(0x37); // 011: FEC
    EXPECT_EQ(h.station().ModeText, QStringLiteral("FEC"));
    EXPECT_TRUE(h.view.isChecked(Name::AmtorFec));

    h.station().ModeId = Mode::Audio;
    h.station().AudioFilterName = QStringLiteral("NOTCH");
    status.showStatusByte(0x77);
    EXPECT_EQ(pane(2).caption, QStringLiteral("NOTCH FILTER"));

    h.station().ModeId = Mode::Psk31;
    h.station().PskSubMode = QStringLiteral(":DQPsk");
    h.texts().Squelchtext1 = QStringLiteral("Sq off");
    h.texts().Squelchtex2 = QStringLiteral("Sq on");
    status.StatusLine();
    EXPECT_EQ(pane(1).caption, QStringLiteral("PSK31:DQPsk"));
    EXPECT_EQ(pane(2).caption, QStringLiteral("Sq off"));
    h.station().SquelchOn = true;
    status.StatusLine();
    EXPECT_EQ(pane(2).caption, QStringLiteral("Sq on"));
    EXPECT_EQ(pane(5).caption, QString()) << "not sending, no link, not RTTY";
    h.station().ModeId = Mode::Rtty;
    status.StatusLine();
    EXPECT_EQ(pane(5).caption, QStringLiteral("Receive")) << "RTTY always shows the receive bar";
}

TEST_F(StatusDisplayTest, TheRequestIsWithheldWhileAnythingMustNotBeDisturbed)
{
    status.StatusAanvraagTimer();
    EXPECT_EQ(h.wire.written(), QByteArray("\x1e"));

    const std::function<void(CoreHarness&)> withholders[] = {
        [](CoreHarness& o) { o.port.feed("x"); },
        [](CoreHarness& o) { o.station().ModeId = Mode::Packet; },
        [](CoreHarness& o) { o.station().ScrollBack = true; },
        [](CoreHarness& o) { o.station().ReceiveHold = true; },
        [](CoreHarness& o) { o.station().DecoderBusy = true; },
        [](CoreHarness& o) { o.station().MailboxBackupActive = true; },
    };
    for (std::size_t i = 0; i < std::size(withholders); ++i) {
        CoreHarness other;
        other.port.OpenPort();
        withholders[i](other);
        other.core.status.StatusAanvraagTimer();
        EXPECT_EQ(other.wire.written(), QByteArray()) << "row " << i;
    }
}

TEST_F(StatusDisplayTest, PacketShowsItsOwnStateInThePane)
{
    h.station().ModeId = Mode::Packet;
    h.station().PacketState = QStringLiteral("STANDBY");
    h.station().PacketPortName = QStringLiteral("Port 2");
    status.StatusLine();
    EXPECT_EQ(pane(2).caption, QStringLiteral("STANDBY"));
    h.station().Connected = true;
    status.StatusLine();
    EXPECT_EQ(pane(2).caption, QStringLiteral("Connect P 2"));
    EXPECT_EQ(pane(2).fill, Colors::Red);
}

TEST_F(StatusDisplayTest, NavtexLampShowsTheLastStateThatApplies)
{
    status.ErrorTimer();
    EXPECT_FALSE(h.view.component(Name::NavtexLed).visible);
    h.settings().AmtexActive = true;
    h.station().WordOut = true;
    status.ErrorTimer();
    EXPECT_EQ(h.view.caption(Name::NavtexLed), QStringLiteral("WOut"));
    EXPECT_TRUE(h.view.component(Name::NavtexLed).visible);
    h.station().ConvMode = true;
    status.ErrorTimer();
    EXPECT_EQ(h.view.caption(Name::NavtexLed), QStringLiteral("Conv"));
    h.station().ModeId = Mode::Rtty;
    status.ErrorTimer();
    EXPECT_EQ(h.view.caption(Name::NavtexLed), QStringLiteral("WOut"));
}

// (The held conversation text going out once the controller transmits is the keyboard
// test's, through the window.)
TEST_F(StatusDisplayTest, HousekeepingEmptiesATransmitWindowGrownPast4000Characters)
{
    h.view.transmit().appendLine(QString(4001, QLatin1Char('x')));
    status.ErrorTimer();
    EXPECT_EQ(h.view.transmitText(), QString());
}

TEST_F(StatusDisplayTest, ScrollingUpIsReadBackUntilTheWindowIsAtTheBottomAgain)
{
    h.view.setScrollPosition(40);
    status.ErrorTimer();
    EXPECT_FALSE(h.station().ScrollBack);
    EXPECT_EQ(h.view.focus(), Name::TransmitWindow);
    h.view.setScrollPosition(30);
    status.ErrorTimer();
    EXPECT_TRUE(h.station().ScrollBack);
    EXPECT_EQ(h.view.focus(), Name::TempMemo);
    EXPECT_EQ(pane(1).caption, QStringLiteral("SCROLL BACK"));
    EXPECT_EQ(pane(1).fill, Colors::Red);
    h.view.setScrollPosition(40);
    status.ErrorTimer();
    EXPECT_FALSE(h.station().ScrollBack);
    EXPECT_EQ(pane(1).fill, Colors::Silver);
}

TEST_F(StatusDisplayTest, ARequestHeldForWaitingBytesGoesOutOnceTheyAreRead)
{
    h.port.feed("\x03"
                "echo");
    status.StatusAanvraagTimer();
    status.sendDeferredRequest();
    EXPECT_EQ(h.wire.written(), QByteArray()) << "still waiting";
    h.core.link.ReceiveTimer();
    status.sendDeferredRequest();
    status.sendDeferredRequest();
    EXPECT_EQ(h.wire.written(), QByteArray("\x1e")) << "once, after the read";
}
