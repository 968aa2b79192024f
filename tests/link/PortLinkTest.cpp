// The port link on the fake port: what goes out, flow control, the input indicator,
// draining and model recognition, and the messages of opening the port.

#include "CoreHarness.h"
#include "link/SignOn.h"
#include "link/WordWrap.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

class PortLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.port.OpenPort();
        h.settings().WrapMin = 60;
        h.settings().WrapMax = 70;
    }

    CoreHarness h;
    PortLink& link = h.core.link;
};

} // namespace

TEST_F(PortLinkTest, SendsEveryByteAsItStandsIncludingZeroAnd255)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    h.settings().WrapMax = 0; // no wrap: exactly these bytes
    link.ZendNaarPtc(all);
    EXPECT_EQ(h.wire.written(), all);
}

TEST_F(PortLinkTest, CommandGoesOutWithoutAnythingAdded)
{
    link.ZendNaarPtc("\x1bMYC DL1ABC\r");
    EXPECT_EQ(h.wire.writtenText(), QStringLiteral("<ESC>MYC DL1ABC<CR>"));
    EXPECT_TRUE(h.view.transmitText().isEmpty());
}

TEST_F(PortLinkTest, WrapSendsTheSpaceThenACarriageReturnAfterTheSixtiethLetter)
{
    link.ZendNaarPtc(QByteArray(60, 'a') + ' ');
    EXPECT_EQ(h.wire.written(), QByteArray(60, 'a') + " \r");
    EXPECT_TRUE(link.TxWrapped);
    EXPECT_EQ(link.TxColumn, 0);
    EXPECT_EQ(h.view.transmitText(), QStringLiteral("\n")) << "typing continues on a fresh line";
}

// Without a space the break comes after the maximum; a space before the minimum is no
// reason to break; CR restarts the column and status requests take none.
TEST(PortLinkWrap, BreaksAtTheMaximumAndCountsColumnsFromTheLastCarriageReturn)
{
    const QByteArray b71(71, 'b');
    const QByteArray a50b50 = QByteArray(50, 'a') + '\r' + QByteArray(50, 'b');
    const QByteArray requests(30, '\x1e');
    const struct {
        std::vector<QByteArray> sent;
        QByteArray wire;
    } rows[] = {
        {{b71}, b71 + '\r'},
        {{b71, QByteArray(58, 'c') + ' '}, b71 + '\r' + QByteArray(58, 'c') + ' '},
        {{a50b50, requests, "bbbbbbbbbb "}, a50b50 + requests + "bbbbbbbbbb \r"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(describeBytes(row.wire).toStdString());
        CoreHarness h;
        h.port.OpenPort();
        h.settings().WrapMin = 60;
        h.settings().WrapMax = 70;
        for (const QByteArray& bytes : row.sent)
            h.core.link.ZendNaarPtc(bytes);
        EXPECT_EQ(h.wire.written(), row.wire);
    }
}

TEST(WordWrap, ReceivedBytesAllCountAndAZeroMaximumMeansNoWrap)
{
    quint8 column = 0;
    const WrapLimits limits{60, 70};
    for (int i = 0; i < 59; ++i)
        EXPECT_FALSE(BepaalAantalKarakters(WrapDirection::Received, '\n', column, limits));
    EXPECT_TRUE(BepaalAantalKarakters(WrapDirection::Received, ' ', column, limits));

    quint8 free = 0;
    for (int i = 0; i < 600; ++i)
        EXPECT_FALSE(BepaalAantalKarakters(WrapDirection::Transmitted, 'x', free, {0, 0}));
}

TEST_F(PortLinkTest, XoffOnlyAboveOneThousandWaitingBytesAndNotRepeated)
{
    h.port.feed(QByteArray(1000, 'a'));
    h.station().ReceiveHold = true; // nothing is read: only flow control acts
    link.ReceiveTimer();
    EXPECT_TRUE(h.wire.written().isEmpty());
    EXPECT_FALSE(h.station().XoffSent);

    h.port.feed("b");
    link.ReceiveTimer();
    link.ReceiveTimer();
    h.port.feed(QByteArray(500, 'c'));
    link.ReceiveTimer();
    EXPECT_EQ(h.wire.written(), QByteArray("\x13"));
    EXPECT_TRUE(h.station().XoffSent);
}

TEST_F(PortLinkTest, XonOnceWhenTheCountFallsToOneThousand)
{
    h.port.maxReadSize = 501;
    h.port.feed(QByteArray(1501, 'a'));
    link.ReceiveTimer(); // 1501 waiting: XOFF, then 501 are read
    EXPECT_EQ(h.wire.written(), QByteArray("\x13"));
    link.ReceiveTimer(); // 1000 waiting: XON
    link.ReceiveTimer();
    link.ReceiveTimer();
    EXPECT_EQ(h.wire.written(), QByteArray("\x13\x11"));
    EXPECT_FALSE(h.station().XoffSent);
}

TEST_F(PortLinkTest, FlowControlKeepsRunningWhileAMenuHoldsTheDisplay)
{
    h.view.insertText(QStringLiteral("before"), Colors::Black);
    link.MainmenuFileClick();
    EXPECT_TRUE(h.station().MenuHold);
    EXPECT_EQ(h.view.frozenCopy(), QStringLiteral("before"));
    h.port.feed(QByteArray(1200, 'x'));
    link.ReceiveTimer();
    EXPECT_EQ(h.view.receiveText(), QStringLiteral("before")) << "the window does not change";
    EXPECT_EQ(h.wire.written(), QByteArray("\x13"));
    EXPECT_EQ(h.port.BytesWaiting(), 1200);
}

TEST_F(PortLinkTest, InputIndicatorShowsEmptyBelowFourBytes)
{
    for (int waiting = 0; waiting < 4; ++waiting) {
        CoreHarness fresh;
        fresh.port.OpenPort();
        fresh.station().ReceiveHold = true;
        fresh.port.feed(QByteArray(waiting, 'a'));
        fresh.core.link.ReceiveTimer();
        EXPECT_EQ(fresh.view.caption(Name::Pane7), QStringLiteral("Data buf. 0"));
        EXPECT_EQ(fresh.view.component(Name::V24DataLed).fill, Colors::Lime);
    }
    h.station().ReceiveHold = true;
    h.port.feed("abcd");
    link.ReceiveTimer();
    EXPECT_EQ(h.view.caption(Name::Pane7), QStringLiteral("Data buf.:4"));
    EXPECT_EQ(h.view.component(Name::V24DataLed).fill, Colors::Red);
    EXPECT_EQ(h.view.component(Name::V24DataLed).text, Colors::White);
}

TEST_F(PortLinkTest, ControllerXoffAndXonLightTheLamp)
{
    h.port.feed("\x13");
    link.LeesV24Poort();
    EXPECT_TRUE(h.station().XoffReceived);
    EXPECT_EQ(h.view.caption(Name::XOnLed), QStringLiteral("XOff"));
    EXPECT_EQ(h.view.component(Name::XOnLed).fill, Colors::Red);
    EXPECT_EQ(h.modal.beeps, 1);

    h.port.feed("ab\x13\x11");
    link.LeesV24Poort();
    EXPECT_FALSE(h.station().XoffReceived) << "a block with both: XON wins";
    EXPECT_EQ(h.view.caption(Name::XOnLed), QStringLiteral("XOn"));
    EXPECT_EQ(h.view.component(Name::XOnLed).fill, Colors::Lime);
}

TEST_F(PortLinkTest, DummiReadWaitsDrainsAndReleasesTheHold)
{
    h.station().ReceiveHold = true;
    h.port.feedAt(150, "PTC-IIpro v4\rcmd: ");
    link.DummiRead();
    EXPECT_EQ(h.wire.transcript(), QStringLiteral("[200ms]"));
    EXPECT_EQ(h.port.BytesWaiting(), 0);
    EXPECT_EQ(h.station().PtcType, PtcModel::IIpro);
    EXPECT_FALSE(h.station().ReceiveHold);
    EXPECT_TRUE(h.view.receiveText().isEmpty()) << "drained answers stay off the screen";
}

TEST_F(PortLinkTest, DummiReadSearchesOnlyTheLastBlockAndKeepsEarlierFindings)
{
    h.port.maxReadSize = 10;
    h.port.feed(QByteArray("PTC-IIe ..") + "0123456789");
    link.DummiRead();
    EXPECT_EQ(h.station().PtcType, PtcModel::Unknown);
    h.port.feed("PTC-IIe");
    link.DummiRead();
    EXPECT_EQ(h.station().PtcType, PtcModel::IIe);
    h.port.feed("nothing known");
    link.DummiRead();
    EXPECT_EQ(h.station().PtcType, PtcModel::IIe);
}

TEST_F(PortLinkTest, DummiReadEndsEvenWhenTheControllerNeverStops)
{
    h.port.maxReadSize = 1;
    h.port.feed(QByteArray(100000, 'z'));
    link.DummiRead();
    EXPECT_GT(h.port.BytesWaiting(), 0);
    EXPECT_FALSE(h.station().ReceiveHold);
}

TEST(SignOn, RecognisesEachModel)
{
    EXPECT_EQ(recogniseSignOn("PTC-IIpro Version 4").ptcType, PtcModel::IIpro);
    EXPECT_EQ(recogniseSignOn("PTC-IIe Version 4").ptcType, PtcModel::IIe);
    EXPECT_EQ(recogniseSignOn("PTC-II Version 4").ptcType, PtcModel::II);
    EXPECT_EQ(recogniseSignOn("PTC-Plus v2.8").ptcType, PtcModel::Plus);
    EXPECT_EQ(recogniseSignOn("Z80 PTC v3.9").ptcType, PtcModel::Z80);
    EXPECT_EQ(recogniseSignOn("PTC PLUS").ptcType, PtcModel::Unknown) << "case matters";
    EXPECT_TRUE(recogniseSignOn("BIOS Systemtest").biosMode);
    EXPECT_FALSE(recogniseSignOn("PTC-II").biosMode);
    EXPECT_TRUE(recogniseSignOn("PTC-IIe\rPort 2: NO\r").port2Absent);
}

TEST_F(PortLinkTest, DummiReadHidesTheSecondPacketPortWhenItIsAbsent)
{
    h.port.feed("PTC-IIe\rPort 2: NO\r");
    link.DummiRead();
    EXPECT_FALSE(h.view.component(Name::PacketPort2).visible);
}

TEST_F(PortLinkTest, WaitForDataGivesUpAfterAbout200Milliseconds)
{
    EXPECT_EQ(link.WaitForData(), 0);
    EXPECT_EQ(h.clock.now(), 201);

    h.port.feedAt(h.clock.now() + 7, "x");
    EXPECT_EQ(link.WaitForData(), 1);
    EXPECT_EQ(h.clock.now(), 201 + 7);
}

TEST(OpenPoort, ANamedComPortAndBaudRateAreAppliedAndTheControllerGreeted)
{
    CoreHarness h;
    h.settings().ComBaudRate = 38400;
    h.behaveLikeController();
    h.core.link.OpenPoort(QStringLiteral("COM3"));
    EXPECT_EQ(h.port.deviceName(), QStringLiteral("COM3"));
    EXPECT_EQ(h.port.speed(), BaudRate::br38400);
    EXPECT_EQ(h.wire.transcript(), QStringLiteral("<CR>[200ms]"));
    EXPECT_EQ(h.view.receiveText(), QStringLiteral("Serial Port Ok\n"));
}

TEST(OpenPoort, ADevicePathIsUsedAsItStandsAndAnOddBaudRateLeavesTheSpeed)
{
    CoreHarness h;
    h.settings().ComBaudRate = 12345;
    h.behaveLikeController();
    h.core.link.OpenPoort(QStringLiteral("/dev/serial/by-id/usb-FTDI-if00"));
    EXPECT_EQ(h.port.deviceName(), QStringLiteral("/dev/serial/by-id/usb-FTDI-if00"));
    EXPECT_EQ(h.port.speed(), BaudRate::br9600);
}

TEST(OpenPoort, ASilentControllerGivesTheRedErrorLines)
{
    CoreHarness h;
    h.core.link.OpenPoort(QStringLiteral("COM1"));
    EXPECT_EQ(h.view.receiveText(),
              QStringLiteral("ERROR !\n\nPTC not switched on or\nserial cable not connected !\n"));
    EXPECT_EQ(h.view.receiveFontColor(), Colors::Red);
}

TEST(OpenPoort, APortThatWillNotOpenSendsNothingAndSaysWhy)
{
    CoreHarness h;
    h.port.openSucceeds = false;
    h.port.failureReason = QStringLiteral("/dev/ttyS0: permission denied. Join the dialout group");
    h.core.link.OpenPoort(QStringLiteral("COM1"));
    EXPECT_TRUE(h.wire.events().empty());
    EXPECT_EQ(h.view.receiveText(), QStringLiteral("Serial Port not found !\n"
                                                   "Use the Configuration Menu\n"
                                                   "or change Com Port in ini file,\n"
                                                   "and RESTART Orvanti !\n"
                                                   "/dev/ttyS0: permission denied. Join the "
                                                   "dialout group\n"));
    EXPECT_TRUE(h.core.link.portError());
}
