// What the Action menu, the mode toolbars, the input boxes and the audio dialog send,
// and what they leave alone.

#include "CoreHarness.h"

#include <gtest/gtest.h>

namespace {

class ModeCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.port.OpenPort();
        h.station().FormReady = true;
        h.station().PtcType = PtcModel::II;
        h.settings().MyCall = QStringLiteral("PA0XYZ");
        h.station().HisCall = QStringLiteral("DL1ABC");
        h.texts().BaudrateText = QStringLiteral("Baudrate ?");
        h.texts().CwSpeedText = QStringLiteral("CW speed ?");
    }
    void inMode(const char* mode, bool connected = false, bool sending = false)
    {
        h.station().ModeId = modeNamed(mode);
        h.station().Connected = connected;
        h.station().Transmitting = sending;
    }

    CoreHarness h;
    ModeCommands& commands = h.core.commands;
};

} // namespace

TEST_F(ModeCommandsTest, ChangeOverFollowsModeAndLink)
{
    inMode("AMTOR", true, true);
    commands.MenuChangeOverClick();
    EXPECT_EQ(h.wire.transcript(), QStringLiteral("+?"));

    h.wire.clear();
    inMode("AMTOR", true, false);
    commands.MenuChangeOverClick();
    EXPECT_EQ(h.wire.transcript(), QStringLiteral("<25>"));

    h.wire.clear();
    inMode("PACTOR", true);
    commands.MenuChangeOverClick();
    EXPECT_EQ(h.wire.transcript(), QStringLiteral("<CR><25><CR>"));

    h.wire.clear();
    const QString before = h.view.transmitText();
    inMode("AMTOR");
    commands.MenuChangeOverClick();
    EXPECT_TRUE(h.wire.events().empty());
    EXPECT_EQ(h.view.transmitText(), before + QLatin1Char('\n'));

    // RTTY and PSK31 turn the direction round even without a link.
    inMode("RTTY");
    commands.MenuChangeOverClick();
    inMode("PSK31");
    commands.MenuChangeOverClick();
    EXPECT_EQ(h.wire.transcript(), QStringLiteral("<25><25>"));
}

TEST_F(ModeCommandsTest, HisDeMySendsOnlyWhenTheTextCanGoOut)
{
    inMode("PACTOR");
    commands.MenuSendHiscalldeMycallClick();
    EXPECT_TRUE(h.wire.events().empty());
    EXPECT_TRUE(h.view.transmitText().endsWith(QLatin1String("DL1ABC de PA0XYZ\n")));

    inMode("PACTOR", true);
    commands.MenuSendHiscalldeMycallClick();
    commands.MenuSendHiscalldeMycallChoClick();
    EXPECT_EQ(h.wire.transcript(), QStringLiteral("<CR>DL1ABC de PA0XYZ =><CR>"
                                                  "<CR>DL1ABC de PA0XYZ =><25><CR>"));

    // In FEC only the plain variant goes out; an identification replaces the call.
    h.wire.clear();
    h.settings().IdString = QStringLiteral("PA0XYZ/MM");
    inMode("AMTOR");
    h.station().TrafficState = QStringLiteral("FEC");
    commands.MenuSendHiscalldeMycallClick();
    commands.MenuSendHiscalldeMycallChoClick();
    EXPECT_EQ(h.wire.transcript(), QStringLiteral("<CR>DL1ABC de PA0XYZ/MM<CR>"));
    EXPECT_TRUE(h.view.transmitText().endsWith(
        QLatin1String("DL1ABC de PA0XYZ/MM\nDL1ABC de PA0XYZ/MM\n")));
}

TEST_F(ModeCommandsTest, StandbyAndDisconnectDependOnTheLink)
{
    inMode("PACTOR", true, true);
    h.core.modes.MenuStandbyClick();
    EXPECT_EQ(h.wire.transcript(), QStringLiteral("<4>[500ms]"));

    h.wire.clear();
    inMode("PACTOR", true, false);
    commands.MenuDisconnectClick(); // hands the link over first
    EXPECT_EQ(h.wire.transcript(), QStringLiteral("<CR><25><CR><ESC>D<CR>"));

    h.wire.clear();
    h.station().PtcType = PtcModel::Z80;
    inMode("PACTOR", true, true);
    commands.MenuDisconnectClick();
    EXPECT_EQ(h.wire.transcript(), QStringLiteral("<4>"));

    h.wire.clear();
    inMode("PSK31");
    h.core.modes.MenuStandbyClick();
    EXPECT_EQ(h.wire.transcript(), QStringLiteral("<ESC>DD<CR>PSKT<CR>"));
}

TEST_F(ModeCommandsTest, TogglesSwapTheirCommands)
{
    commands.PactorDuplexClick();
    commands.PactorDuplexClick();
    commands.Pactor3ButtonClick();
    EXPECT_EQ(h.view.caption(Name::Pactor3Button), QStringLiteral("Pt II"));
    commands.Pactor3ButtonClick();
    EXPECT_EQ(h.view.caption(Name::Pactor3Button), QStringLiteral("Pt III"));
    EXPECT_EQ(h.view.component(Name::Pactor3Button).hint, QStringLiteral("Switch to Pactor 3"));
    EXPECT_EQ(h.wire.writtenText(), QStringLiteral("<ESC>Pd 1<CR><ESC>Pd 0<CR>TO 3<CR>Myl 3<CR>"
                                                   "TO 0<CR>Myl 2<CR>"));

    // The squelch byte is the same both ways.
    h.wire.clear();
    commands.PskSquelchClick();
    EXPECT_TRUE(h.station().SquelchOn);
    commands.PskSquelchClick();
    EXPECT_FALSE(h.station().SquelchOn);
    EXPECT_EQ(h.wire.writtenText(), QStringLiteral("<3><3>"));

    h.wire.clear();
    inMode("PACKET");
    commands.PacketMonitorClick();
    EXPECT_EQ(h.station().PacketState, QStringLiteral("STANDBY"));
    commands.PacketMonitorClick();
    EXPECT_EQ(h.station().PacketState, QStringLiteral("MONITOR"));
    EXPECT_EQ(h.wire.transcript(), QStringLiteral("<ESC>Mon 0<CR><ESC>MC 0<CR>[200ms]"
                                                  "<ESC>Mon 6<CR><ESC>MC 6<CR>[200ms]"));
    EXPECT_FALSE(h.station().ReceiveHold);
}

TEST_F(ModeCommandsTest, FecBaudotAndTheAudioFiltersActOnlyInTheirModes)
{
    commands.MenuAmtorFecClick();
    commands.MenuBaudotTransmitClick();
    EXPECT_TRUE(h.wire.events().empty());

    inMode("AMTOR");
    commands.MenuAmtorFecClick();
    h.station().TrafficState = QStringLiteral("FEC");
    commands.MenuAmtorFecClick();
    inMode("RTTY");
    commands.MenuBaudotTransmitClick();
    EXPECT_EQ(h.wire.writtenText(), QStringLiteral("<ESC>FEC<CR><ESC>DD<CR><25>"));

    h.wire.clear();
    inMode("AUDIO");
    const char* const names[] = {"CWFILTER", "NOTCH", "PEAK", "THROUGH"};
    for (quint8 filter = 1; filter <= 4; ++filter) {
        h.core.modes.audioFilterClick(filter);
        EXPECT_EQ(h.station().AudioFilterName, QLatin1String(names[filter - 1]));
    }
    EXPECT_EQ(h.wire.writtenText(), QStringLiteral("CW<CR>notch<CR>Peak<CR>Through<CR>"));
}

TEST_F(ModeCommandsTest, APacketLinkChangeTogglesTheMonitor)
{
    inMode("PACKET");
    h.station().RxChunk = QByteArray("\x01*** CONNECTED to DL1ABC\r");
    h.core.decoder.V24Schryf();
    EXPECT_TRUE(h.station().Connected);
    EXPECT_EQ(h.station().PacketState, QStringLiteral("STANDBY"));
    EXPECT_TRUE(h.wire.writtenText().startsWith(QLatin1String("<ESC>Mon 0<CR>")));
}

TEST_F(ModeCommandsTest, SelectedTextBecomesTheCallOnlyAtCallSignLength)
{
    for (const char* selection : {"DL", "DL1ABCDEF", ""}) {
        h.view.receiveSelection = QLatin1String(selection);
        commands.PopUpMakeHiscallselectedtextClick();
        EXPECT_EQ(h.station().HisCall, QStringLiteral("DL1ABC")) << selection;
    }
    h.view.receiveSelection = QStringLiteral("K1A");
    commands.PopUpMakeHiscallselectedtextClick();
    EXPECT_EQ(h.station().HisCall, QStringLiteral("K1A"));
    h.view.receiveSelection = QStringLiteral("Hans-Joachim");
    commands.PopUpMakeHisNameSelectedtextClick();
    EXPECT_EQ(h.station().HisName, QStringLiteral("Hans-Joachim"));
}

TEST_F(ModeCommandsTest, TheBaudBoxSendsItsAnswerOrThePreviousRate)
{
    h.modal.queueInput(QStringLiteral("50"));
    commands.RttyBaudClick();
    h.modal.queueInput(std::nullopt); // cancelled
    commands.RttyBaudClick();
    EXPECT_EQ(h.wire.writtenText(), QStringLiteral("<ESC>BAU 50<CR><ESC>BAU 50<CR>"));
    EXPECT_EQ(h.modal.inputs.at(1).text, QStringLiteral("Baudrate ?"));

    // A pasted line break would end the command early and start another.
    h.wire.clear();
    h.modal.queueInput(QStringLiteral("75\r\x1b"
                                      "DD\r"));
    commands.RttyBaudClick();
    EXPECT_EQ(h.wire.writtenText(), QStringLiteral("<ESC>BAU 75DD<CR>"));

    h.wire.clear();
    h.modal.queueInput(QString(10000, QLatin1Char('9')));
    commands.RttyBaudClick();
    EXPECT_EQ(h.wire.written().size(), 10000 + 6);
}

TEST_F(ModeCommandsTest, TheCwSpeedBoxKeepsTheSpeedWhenTheAnswerIsNoNumber)
{
    h.settings().CwTxSpeed = 80;
    h.modal.queueInput(QString());
    commands.CwTxSpeedClick();
    EXPECT_TRUE(h.wire.events().empty());

    h.modal.queueInput(QStringLiteral("fast"));
    commands.CwTxSpeedClick();
    EXPECT_EQ(h.wire.writtenText(), QStringLiteral("<ESC>CWS fast<CR>"));
    EXPECT_EQ(h.settings().CwTxSpeed, 80);
    ASSERT_EQ(h.modal.shown.size(), 1);
    EXPECT_EQ(h.modal.shown[0].text, QStringLiteral("'fast' is not a valid integer value"));

    h.modal.queueInput(QStringLiteral("99999")); // does not fit the stored speed
    commands.CwTxSpeedClick();
    EXPECT_EQ(h.settings().CwTxSpeed, 80);
    h.modal.queueInput(QStringLiteral("120"));
    commands.CwTxSpeedClick();
    EXPECT_EQ(h.settings().CwTxSpeed, 120);
    EXPECT_EQ(h.modal.shown.size(), 2);
}

TEST_F(ModeCommandsTest, TheAudioDialogWrapsItsChangeOutsideTheAudioMode)
{
    AudioConfig& audio = h.core.audio;
    // Nothing changed: only XON, and the dialog stays.
    EXPECT_FALSE(audio.OkKnopClick(QStringLiteral("800"), QStringLiteral("200")));
    EXPECT_EQ(h.wire.transcript(), QStringLiteral("<17>"));

    h.wire.clear();
    audio.QrgChanged = true;
    audio.BandwidthChanged = true;
    EXPECT_TRUE(audio.OkKnopClick(QStringLiteral("800"), QStringLiteral("200")));
    EXPECT_EQ(h.wire.transcript(), QStringLiteral("<ESC>Aud<CR>[500ms]C 800<CR>Q<CR>"
                                                  "<ESC>Aud<CR>[500ms]B 200<CR>Q<CR><17>"));

    h.wire.clear();
    h.station().AudioModeTag = 1; // already in the audio mode
    audio.QrgChanged = true;
    EXPECT_TRUE(audio.OkKnopClick(QStringLiteral("1200"), QStringLiteral("200")));
    EXPECT_EQ(h.wire.transcript(), QStringLiteral("[500ms]C 1200<CR><17>"));
    EXPECT_EQ(audio.centreQrg, 1200);
}

TEST_F(ModeCommandsTest, AnAudioValueThatIsNoNumberStopsTheOk)
{
    AudioConfig& audio = h.core.audio;
    audio.centreQrg = 800;
    h.core.link.StopTimers();
    audio.QrgChanged = true;
    EXPECT_FALSE(audio.OkKnopClick(QStringLiteral("8OO"), QStringLiteral("200")));
    EXPECT_EQ(h.wire.transcript(), QStringLiteral("<ESC>Aud<CR>[500ms]"));
    ASSERT_EQ(h.modal.shown.size(), 1);
    EXPECT_EQ(h.modal.shown[0].text, QStringLiteral("'8OO' is not a valid integer value"));
    EXPECT_FALSE(audio.QrgChanged);
    EXPECT_EQ(audio.centreQrg, 800);
    EXPECT_TRUE(h.station().ReceiveHold);

    // Cancel lets the display run again.
    h.wire.clear();
    audio.CancelKnopClick();
    EXPECT_EQ(h.wire.transcript(), QStringLiteral("<17>"));
    EXPECT_FALSE(h.station().ReceiveHold);
}

TEST_F(ModeCommandsTest, TheSettingsTakeTheDialogsValuesUnlessZero)
{
    h.settings().AudioCenterQrg = 1000;
    h.settings().AudioBandwidth = 300;
    AudioConfig& audio = h.core.audio;
    audio.loadWorkingCopies();
    h.modal.onDialog = [&](Dialog dialog) {
        EXPECT_EQ(dialog, Dialog::AudioConfig);
        EXPECT_TRUE(h.station().ReceiveHold);
        audio.centreQrg = 1500;
        audio.bandwidth = 0;
    };
    audio.MenuAudioCWClick();
    EXPECT_EQ(h.settings().AudioCenterQrg, 1500);
    EXPECT_EQ(h.settings().AudioBandwidth, 300);
}
