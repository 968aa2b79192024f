// The receive decoder on crafted blocks: classes and colours, line breaks, backspace,
// trimming, status replies, the mode hooks, word wrap, the German letters and the
// capture hand-over.

#include "CoreHarness.h"

#include <gtest/gtest.h>

namespace {

constexpr Color System = 1;
constexpr Color Received = 2;
constexpr Color Echo = 3;
constexpr Color Prompt = 4;

class ReceiveDecoderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Settings& s = h.settings();
        s.SystemTextColor = System;
        s.ReceiveTextColor = Received;
        s.DelayTextColor = Echo;
        s.PromptColor = Prompt;
        s.MessagesOnScreen = true;
        s.MaxRxLength = 30000;
        h.core.decoder.captureWrite = [this](QByteArrayView bytes) {
            captured.append(bytes);
            return captureWorks;
        };
    }

    void decode(const QByteArray& block)
    {
        h.station().RxChunk = block;
        h.station().RxCount = static_cast<quint16>(block.size());
        h.core.decoder.V24Schryf();
    }

    QString text() const { return h.view.receiveText(); }

    CoreHarness h;
    QByteArray captured;
    bool captureWorks = true;
};

using Runs = std::vector<std::pair<std::string, Color>>;

// The window's text as (UTF-8 text, colour) runs.
Runs runs(const RecordingView& view)
{
    Runs result;
    for (const TextRun& run : view.receiveRuns())
        result.emplace_back(run.text.toStdString(), run.color);
    return result;
}

} // namespace

TEST_F(ReceiveDecoderTest, EachClassShowsInItsColourAndHiddenClassesStayHidden)
{
    decode("\x02"
           "A\x03"
           "B\x01"
           "C\x04"
           "D");
    EXPECT_EQ(runs(h.view), (Runs{{"A", Received}, {"B", Echo}, {"C", System}, {"D", Prompt}}));

    h.view.clear();
    h.station().DuplexOn = true;
    h.settings().MessagesOnScreen = false;
    decode("\x02"
           "A\x03"
           "B\x01"
           "C\x02"
           "E");
    EXPECT_EQ(text(), QStringLiteral("AE"));

    // Text before any class code is never shown; a class carries over into the next
    // block.
    CoreHarness fresh;
    fresh.station().RxChunk = "before";
    fresh.core.decoder.V24Schryf();
    EXPECT_EQ(fresh.view.receiveText(), QString());
    decode("more");
    EXPECT_TRUE(text().endsWith(QStringLiteral("Emore")));
}

TEST_F(ReceiveDecoderTest, ThePromptCodeIsIgnoredOnTheZ80Controller)
{
    h.station().PtcType = PtcModel::Z80;
    decode("\x02"
           "a\x04"
           "b");
    EXPECT_EQ(runs(h.view), (Runs{{"ab", Received}}));
}

TEST_F(ReceiveDecoderTest, PacketAndPsk31TextIsAllReceivedText)
{
    for (const char* mode : {"PSK31", "PACKET"}) {
        h.view.clear();
        h.station().ModeId = modeNamed(mode);
        decode("\x01"
               "a\x03"
               "b\x04"
               "c");
        EXPECT_EQ(runs(h.view), (Runs{{"abc", Received}})) << mode;
    }
}

TEST_F(ReceiveDecoderTest, LineFeedAfterCarriageReturnCountsOnlyWithinOneBlock)
{
    decode("\x02one\r\ntwo\r");
    decode("\nthree\n\n");
    EXPECT_EQ(text(), QStringLiteral("one\ntwo\n\nthree\n\n"));
}

TEST_F(ReceiveDecoderTest, BackspaceDeletesTheLastCharacterButNeverALineBreak)
{
    decode("\x02"
           "abc\b");
    decode("\bd\r\b\b");
    EXPECT_EQ(text(), QStringLiteral("ad\n"));
    // Endless backspaces on an empty window do nothing.
    h.view.clear();
    decode(QByteArray(5000, '\b'));
    EXPECT_EQ(text(), QString());
}

TEST_F(ReceiveDecoderTest, AFullWindowIsCutByATenthAtTheNextCarriageReturn)
{
    decode('\x02' + QByteArray(30005, 'x'));
    ASSERT_EQ(h.view.length(), 30005);
    decode("yy"); // no CR: no cut, however long
    EXPECT_EQ(h.view.length(), 30007);
    decode("\rz");
    // 30007 div 10 = 3000 characters go, then the CR is shown.
    EXPECT_EQ(h.view.length(), 30007 - 3000 + 2);
    EXPECT_TRUE(text().endsWith(QStringLiteral("xyy\nz")));
    EXPECT_EQ(h.station().ScrollMaxPos, 0);
}

TEST_F(ReceiveDecoderTest, TextWithoutCarriageReturnsIsCutAtTwiceTheLimit)
{
    decode("\x02");
    for (int block = 0; block < 512; ++block) // 1 MiB in one line
        decode(QByteArray(2048, 'x'));
    EXPECT_LE(h.view.length(), 60000);
    EXPECT_GT(h.view.length(), 50000);
}

TEST_F(ReceiveDecoderTest, AHugeLimitDoesNotOverflowIntoCuttingEverything)
{
    h.settings().MaxRxLength = 2000000000;
    decode('\x02' + QByteArray(100, 'x'));
    EXPECT_EQ(h.view.length(), 100);
}

TEST_F(ReceiveDecoderTest, APacketLinkChangeEndsTheBlockAtTheFirstShownByte)
{
    int monitorSwitches = 0;
    h.core.decoder.packetMonitorClick = [&] { ++monitorSwitches; };
    h.station().ModeId = Mode::Packet;
    h.station().CaptureOn = true;
    decode("\x01*** CONNECTED to DL2XYZ\r");
    EXPECT_EQ(text(), QStringLiteral("*"));
    EXPECT_EQ(h.view.component(Name::LeesLed).fill, Colors::Lime)
        << "the block's housekeeping still runs";
    EXPECT_EQ(h.view.caption(Name::Pane6), QStringLiteral("Rx.buf.: 1"));
    EXPECT_TRUE(h.station().Connected);
    EXPECT_TRUE(h.view.component(Name::PacketDisconnect).enabled);
    EXPECT_FALSE(h.station().DecoderBusy);
    EXPECT_TRUE(h.station().RxChunk.isEmpty());
    EXPECT_EQ(monitorSwitches, 1);

    h.station().HisCall = QStringLiteral("DL2XYZ");
    decode("\x02\r*** DISCONNECTED\r");
    EXPECT_EQ(text(), QStringLiteral("*\n"));
    EXPECT_FALSE(h.station().Connected);
    EXPECT_EQ(h.station().PacketState, QStringLiteral("STANDBY"));
    EXPECT_EQ(h.station().HisCall, QString());
    EXPECT_FALSE(h.view.component(Name::PacketDisconnect).enabled);
    EXPECT_EQ(monitorSwitches, 2);
}

TEST_F(ReceiveDecoderTest, AStatusReplyDrivesTheStatusLineAndIsNotText)
{
    decode("\x02"
           "a\x1e\xa5"
           "b");
    EXPECT_EQ(text(), QStringLiteral("ab"));
    EXPECT_EQ(h.station().StatusByte, 0xa5);
    EXPECT_EQ(h.station().ModeText, QStringLiteral("CONNECT"));
    EXPECT_EQ(h.station().TrafficText, QStringLiteral("PHASE"));
    EXPECT_TRUE(h.station().Connected);
    EXPECT_FALSE(h.station().Transmitting);
    EXPECT_EQ(h.view.caption(Name::Pane2), QStringLiteral("CONNECT"));
    EXPECT_EQ(h.view.caption(Name::Pane4), QStringLiteral("PHASE"));
}

TEST_F(ReceiveDecoderTest, AStatusCodeEndingABlockReusesTheLastStatusByte)
{
    decode("\x1e\x98");
    decode("\x02"
           "a\x1e");
    // The previous byte (CONNECT, transmitting) stands in for the missing one.
    EXPECT_TRUE(h.station().Transmitting);
    EXPECT_EQ(h.station().ModeText, QStringLiteral("CONNECT"));
    // Its real byte arrives first in the next block and is read as text.
    decode("\x63"
           "b");
    EXPECT_EQ(text(), QStringLiteral("acb"));
    EXPECT_TRUE(h.station().Transmitting);
}

TEST_F(ReceiveDecoderTest, PacketSkipsTheStatusCodeAndItsByteWhateverTheyAre)
{
    h.station().ModeId = Mode::Packet;
    decode("a\x1e\x02"
           "b\x1e\x1e"
           "c");
    EXPECT_EQ(text(), QStringLiteral("abc"));
    EXPECT_EQ(h.station().StatusByte, 0);
    EXPECT_EQ(h.station().ModeText, QString());
}

TEST_F(ReceiveDecoderTest, ModeHooksSeeTheWholeBlockEvenThroughHiddenText)
{
    // PACTOR: the call after "CONNECTED TO", also when a status reply in the same block
    // cleared it (LISTEN clears the call) and the message itself is hidden.
    h.settings().MessagesOnScreen = false;
    decode("\x1e\x63\x01*** CONNECTED TO DL1ABC\r\x1e\x63\x02x");
    EXPECT_EQ(h.station().HisCall, QStringLiteral("DL1ABC"));
    decode("\x01*** CONNECTED TO VERYLONGCALL\r");
    EXPECT_EQ(h.station().HisCall, QStringLiteral("VERYLONG"));
    decode("\x02STORM WARNING\r\x01*** CONNECTED TO DK0XY\r");
    EXPECT_EQ(h.station().HisCall, QStringLiteral("DK0XY")) << "not the TO of STORM";

    h.station().ModeId = Mode::Cw;
    decode("\x01** DELAY AUTO-SPEED\r");
    EXPECT_EQ(h.view.caption(Name::CwDelayed), QStringLiteral("Delay"));
    EXPECT_TRUE(h.view.isChecked(Name::CwDelayed));
    EXPECT_EQ(h.view.caption(Name::Pane2), QStringLiteral("Rx :Auto"));
    decode("\x01** IMMEDIATE FIX-SPEED\r");
    EXPECT_EQ(h.view.caption(Name::CwDelayed), QStringLiteral("Direct"));
    EXPECT_TRUE(h.view.isChecked(Name::CwTransmit));
    EXPECT_FALSE(h.station().CwRxAuto);

    // PSK31: the last sub-mode named wins; hooks need a shown-path byte to fire.
    h.station().ModeId = Mode::Psk31;
    decode("\x01*** SQUELCH ON DQPSK inverted\r");
    EXPECT_TRUE(h.station().SquelchOn);
    EXPECT_EQ(h.station().PskSubMode, QStringLiteral(":I-DQPsk"));
}

TEST_F(ReceiveDecoderTest, ReceivedLinesWrapAtTheFirstSpaceFromTheWrapLength)
{
    h.settings().WrapMin = 60;
    h.settings().WrapMax = 70;
    // 59 letters, then a space at column 60: the space starts the next line.
    decode('\x02' + QByteArray(59, 'a') + " bc\r");
    EXPECT_EQ(text(), QString(59, QLatin1Char('a')) + QStringLiteral("\n bc\n"));
    // No space at all: the break comes before the 71st character.
    h.view.clear();
    decode(QByteArray(75, 'b'));
    EXPECT_EQ(text(),
              QString(70, QLatin1Char('b')) + QStringLiteral("\n") + QString(5, QLatin1Char('b')));
    // A break the transmit side just made is not made twice.
    h.view.clear();
    h.core.link.RxColumn = 0;
    h.core.link.TxWrapped = true;
    decode(QByteArray(71, 'c'));
    EXPECT_EQ(text(), QString(71, QLatin1Char('c')));
    EXPECT_FALSE(h.core.link.TxWrapped);
    // The break goes in before a class change takes effect: in the earlier colour.
    h.view.clear();
    h.core.link.RxColumn = 0;
    decode('\x02' + QByteArray(59, 'd') + "\x03 e");
    EXPECT_EQ(runs(h.view), (Runs{{std::string(59, 'd') + "\n", Received}, {" e", Echo}}));
}

TEST_F(ReceiveDecoderTest, GermanLettersShowAndAreCapturedInCodePage437)
{
    h.station().CaptureOn = true;
    decode("\x02\x0e\x0f\x10\x14\x15\x16\x17\x80\xe1");
    EXPECT_EQ(text(), QStringLiteral("äöüÄÖÜßÇß"));
    EXPECT_EQ(captured, QByteArray("\x84\x94\x81\x8e\x99\x9a\xe1\x80\xe1"));
    EXPECT_EQ(runs(h.view), (Runs{{"äöüÄÖÜßÇß", Received}}));
}

TEST_F(ReceiveDecoderTest, CaptureTakesEveryTextByteShownOrNotAndAFailureStopsTheBlock)
{
    h.station().CaptureOn = true;
    h.station().DuplexOn = true;
    decode("\x02"
           "a\x03"
           "b\r\n\x1e\x07\x02"
           "c\b");
    // The hidden echo and its CR are captured; the status reply and backspace are not.
    EXPECT_EQ(captured, QByteArray("ab\rc"));
    EXPECT_EQ(text(), QStringLiteral("a"));
    EXPECT_EQ(h.view.component(Name::LeesLed).fill, Colors::Lime);

    captured.clear();
    captureWorks = false;
    decode("\x02xyz\x03qq");
    EXPECT_EQ(text(), QStringLiteral("a"));
    EXPECT_FALSE(h.station().DecoderBusy);
}

TEST_F(ReceiveDecoderTest, NothingIsShownWhileMaildropIsOn)
{
    h.settings().MaildropOn = true;
    h.settings().WrapMin = 5;
    h.settings().WrapMax = 10;
    decode("\x02hello world and more\r");
    EXPECT_EQ(text(), QString());
}

TEST_F(ReceiveDecoderTest, EndOfBlockShowsTheWindowLengthAndNoHeldBlockIsRead)
{
    decode("\x02"
           "abc");
    EXPECT_EQ(h.view.caption(Name::Pane6), QStringLiteral("Rx.buf.: 3"));
    EXPECT_EQ(h.station().RxCount, 0);
    h.station().ReceiveHold = true;
    decode("def");
    EXPECT_EQ(text(), QStringLiteral("abc"));
}

TEST_F(ReceiveDecoderTest, MessagesAreForcedOnInPacketAndTheForcingUndoneAfterwards)
{
    ModeSwitch& modes = h.core.modes;
    h.settings().MessagesOnScreen = false;
    modes.Zetmessages(); // PACTOR: stays off
    EXPECT_FALSE(h.settings().MessagesOnScreen);
    h.station().ModeId = Mode::Packet;
    modes.Zetmessages();
    EXPECT_TRUE(h.settings().MessagesOnScreen);
    EXPECT_TRUE(h.view.isChecked(Name::Sub_MenuMessagesOnScreenOn));
    decode("\x01*** link text");
    EXPECT_EQ(text(), QStringLiteral("*** link text"));
    h.station().ModeId = Mode::Pactor;
    modes.Zetmessages();
    EXPECT_FALSE(h.settings().MessagesOnScreen);
    EXPECT_TRUE(h.view.isChecked(Name::Sub_MenuMessagesOnScreenOff));

    // Switched on by the operator, they stay on.
    h.settings().MessagesOnScreen = true;
    modes.Zetmessages();
    EXPECT_TRUE(h.settings().MessagesOnScreen);
}
