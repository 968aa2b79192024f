// The receive decoder on crafted blocks: classes and colours, line breaks, backspace,
// trimming, status replies, the mode hooks, word wrap, the German letters and the
// capture hand-over.

#include "CoreHarness.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr Color System = 1;
constexpr Color Received = 2;
constexpr Color Echo = 3;
constexpr Color Prompt = 4;

void decodeOn(CoreHarness& h, const QByteArray& block)
{
    h.station().RxChunk = block;
    h.station().RxCount = static_cast<quint16>(block.size());
    h.core.decoder.V24Schryf();
}

class ReceiveDecoderTest : public ::testing::Test {
public:
    static void prepare(CoreHarness& h)
    {
        Settings& s = h.settings();
        s.SystemTextColor = System;
        s.ReceiveTextColor = Received;
        s.DelayTextColor = Echo;
        s.PromptColor = Prompt;
        s.MessagesOnScreen = true;
        s.MaxRxLength = 30000;
    }

protected:
    void SetUp() override
    {
        prepare(h);
        h.core.decoder.captureWrite = [this](QByteArrayView bytes) {
            captured.append(bytes);
            return captureWorks;
        };
    }

    void decode(const QByteArray& block) { decodeOn(h, block); }
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

// Blocks decoded in turn on a fresh decoder, and what the window shows: the text, and
// where a row names them, its colour runs.
TEST(ReceiveDecoderTable, BlocksShowAsTheirClassModeAndSettingsSay)
{
    using Setup = std::function<void(CoreHarness&)>;
    const auto mode = [](Mode m) { return [=](CoreHarness& h) { h.station().ModeId = m; }; };
    const auto wrap = [](CoreHarness& h) {
        h.settings().WrapMin = 60;
        h.settings().WrapMax = 70;
    };
    const char* a59 = "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa";
    const struct {
        const char* name;
        Setup setup;
        std::vector<const char*> blocks; // as bytesOf() reads them; "hold" holds the poll
        std::string text;                // UTF-8
        Runs runs;                       // empty: not checked
    } rows[] = {
        {"EachClassInItsColour",
         nullptr,
         {"<2>A<3>B<1>C<4>D"},
         "ABCD",
         {{"A", Received}, {"B", Echo}, {"C", System}, {"D", Prompt}}},
        {"HiddenEchoAndMessages",
         [](CoreHarness& h) {
             h.station().DuplexOn = true;
             h.settings().MessagesOnScreen = false;
         },
         {"<2>A<3>B<1>C<2>E"},
         "AE",
         {}},
        {"NothingBeforeAClassCode", nullptr, {"before"}, "", {}},
        {"AClassCarriesOver", nullptr, {"<2>A", "more"}, "Amore", {}},
        {"PromptIgnoredOnZ80",
         [](CoreHarness& h) { h.station().PtcType = PtcModel::Z80; },
         {"<2>a<4>b"},
         "ab",
         {{"ab", Received}}},
        {"Psk31AllReceived", mode(Mode::Psk31), {"<1>a<3>b<4>c"}, "abc", {{"abc", Received}}},
        {"PacketAllReceived", mode(Mode::Packet), {"<1>a<3>b<4>c"}, "abc", {{"abc", Received}}},
        {"PacketSkipsStatusCodeAndByte", mode(Mode::Packet), {"a<30><2>b<30><30>c"}, "abc", {}},
        {"LineFeedAfterCrOnlyInOneBlock",
         nullptr,
         {"<2>one<CR><LF>two<CR>", "<LF>three<LF><LF>"},
         "one\ntwo\n\nthree\n\n",
         {}},
        {"BackspaceNeverTakesALineBreak", nullptr, {"<2>abc<8>", "<8>d<CR><8><8>"}, "ad\n", {}},
        {"BackspacesOnAnEmptyWindow", nullptr, {"<8><8><8><8><8><8><8><8>"}, "", {}},
        {"HugeLimitCutsNothing",
         [](CoreHarness& h) { h.settings().MaxRxLength = 2000000000; },
         {"<2>xxxxxxxxxxxxxxxxxxxx"},
         std::string(20, 'x'),
         {}},
        {"GermanLetters",
         nullptr,
         {"<2><14><15><16><20><21><22><23><128><225>"},
         "äöüÄÖÜßÇß",
         {{"äöüÄÖÜßÇß", Received}}},
        // Wrapping: a space at column 60 starts the next line; without a space the
        // break comes before the 71st character; a class change waits for the break.
        {"WrapAtASpace", wrap, {"<2>", a59, " bc<CR>"}, std::string(a59) + "\n bc\n", {}},
        {"WrapWithoutASpace",
         wrap,
         {"<2>", a59, "aaaaaaaaaaaaaaaa"},
         std::string(a59) + "aaaaaaaaaaa\naaaaa",
         {}},
        {"WrapInTheEarlierColour",
         wrap,
         {"<2>", a59, "<3> e"},
         std::string(a59) + "\n e",
         {{std::string(a59) + "\n", Received}, {" e", Echo}}},
        {"NoWrapWhileMaildrop",
         [](CoreHarness& h) {
             h.settings().MaildropOn = true;
             h.settings().WrapMin = 5;
             h.settings().WrapMax = 10;
         },
         {"<2>hello world and more<CR>"},
         "",
         {}},
        {"NoBlockReadWhileHeld", nullptr, {"<2>abc", "hold", "def"}, "abc", {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CoreHarness h;
        ReceiveDecoderTest::prepare(h);
        if (row.setup)
            row.setup(h);
        for (const char* block : row.blocks) {
            if (block == std::string_view("hold"))
                h.station().ReceiveHold = true;
            else
                decodeOn(h, bytesOf(block));
        }
        EXPECT_EQ(h.view.receiveText().toStdString(), row.text);
        if (!row.runs.empty()) {
            EXPECT_EQ(runs(h.view), row.runs);
        }
    }
}

// A break the transmit side just made is not made twice.
TEST_F(ReceiveDecoderTest, AWrapTheTransmitSideMadeIsNotMadeTwice)
{
    h.settings().WrapMin = 60;
    h.settings().WrapMax = 70;
    h.core.link.TxWrapped = true;
    decode('\x02' + QByteArray(71, 'c'));
    EXPECT_EQ(text(), QString(71, QLatin1Char('c')));
    EXPECT_FALSE(h.core.link.TxWrapped);
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
    EXPECT_EQ(h.station().RxCount, 0);
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

    // German letters go to the file in code page 437.
    captured.clear();
    captureWorks = true;
    decode("\x02\x0e\x0f\x10\x14\x15\x16\x17\x80\xe1");
    EXPECT_EQ(captured, QByteArray("\x84\x94\x81\x8e\x99\x9a\xe1\x80\xe1"));
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
