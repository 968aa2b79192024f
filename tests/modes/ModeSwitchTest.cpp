// Readying the controller, every switch sequence with its pauses, the refusal rule and
// the status panes' mode actions.

#include "CoreHarness.h"

#include <gtest/gtest.h>

namespace {

class ModeSwitchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.port.OpenPort();
        h.station().FormReady = true;
        h.texts().NoChangeText = QStringLiteral("Disconnect first");
        h.texts().YourcallText = QStringLiteral("&Your call");
    }

    CoreHarness h;
    ModeSwitch& modes = h.core.modes;
};

} // namespace

TEST_F(ModeSwitchTest, ReadyingFromEachModeSendsItsOwnWayOut)
{
    struct Case {
        const char* mode;
        PtcModel ptcType;
        const char* transcript;
    };
    const Case cases[] = {
        {"PACTOR", PtcModel::II, "L 0<CR>[400ms]"},
        {"CW", PtcModel::II, "[200ms]<ESC>Q<CR>[200ms]"},
        {"RTTY", PtcModel::II, "[200ms]<ESC>Q<CR>[200ms]"},
        {"PACKET", PtcModel::II, "<ESC>MON 0<CR>[200ms]PAC MON 0<CR><ESC>Q<CR>[200ms]"},
        {"AMTOR", PtcModel::II, "Q<CR>[400ms]"},
        {"AMTOR", PtcModel::Z80, "<ESC>Pt<CR>Q<CR>[400ms]"},
        {"NAVTEX", PtcModel::II, "[400ms]"},
    };
    for (const Case& c : cases) {
        CoreHarness fresh;
        fresh.port.OpenPort();
        fresh.station().ModeId = modeNamed(c.mode);
        fresh.station().PtcType = c.ptcType;
        fresh.station().ConvMode = true;
        fresh.station().DumbMode = true;
        fresh.core.modes.ZetPtcKlaar();
        EXPECT_EQ(fresh.wire.transcript(), QLatin1String(c.transcript)) << c.mode;
        EXPECT_FALSE(fresh.station().ConvMode);
        EXPECT_FALSE(fresh.station().DumbMode);
        EXPECT_EQ(fresh.station().TrafficState, QStringLiteral("STANDBY"));
    }
}

TEST_F(ModeSwitchTest, ChoosingPactorInPactorSendsNothing)
{
    modes.MenuPactorClick();
    EXPECT_TRUE(h.wire.events().empty());
}

TEST_F(ModeSwitchTest, BackToPactorReadiesThenEntersWithItsPause)
{
    h.station().ModeId = Mode::Cw;
    h.station().LastPageIndex = 4;
    modes.MenuPactorClick();
    EXPECT_EQ(h.wire.transcript(), QStringLiteral("[200ms]<ESC>Q<CR>[200ms]Pt<CR>[500ms]"));
    EXPECT_EQ(h.station().ModeId, Mode::Pactor);
    EXPECT_EQ(h.station().LastPageIndex, 0);
    EXPECT_EQ(h.view.component(Name::PageControl).page, 0);
    EXPECT_TRUE(h.view.component(Name::MenuUnpro).enabled);
    EXPECT_FALSE(h.view.component(Name::MenuAmtorFec).enabled);
    EXPECT_FALSE(h.view.component(Name::MenuBaudotTransmit).enabled);
    EXPECT_EQ(h.view.caption(Name::MenuYourcall), QStringLiteral("&Your call"));
}

TEST_F(ModeSwitchTest, TheZ80NeedsAnEscapeAndADrainBeforePactor)
{
    h.station().PtcType = PtcModel::Z80;
    modes.SwitchToPactor();
    EXPECT_EQ(h.wire.transcript(), QStringLiteral("<ESC>[200ms]Pt<CR>[500ms]"));
}

TEST_F(ModeSwitchTest, APageChangeWhileLinkedIsRefusedWithAWarningAndNothingSent)
{
    h.station().ModeId = Mode::Amtor;
    h.station().LastPageIndex = 1;
    h.station().Connected = true;
    modes.PageControlChange(0);
    EXPECT_TRUE(h.wire.events().empty());
    EXPECT_EQ(h.station().ModeId, Mode::Amtor);
    EXPECT_EQ(h.view.component(Name::PageControl).page, 1);
    ASSERT_EQ(h.modal.shown.size(), 1);
    EXPECT_EQ(h.modal.shown[0].text, QStringLiteral("Disconnect first"));

    h.station().Connected = false;
    h.station().Transmitting = true;
    modes.PageControlChange(0);
    EXPECT_TRUE(h.wire.events().empty());
    EXPECT_EQ(h.modal.shown.size(), 2);
}

TEST_F(ModeSwitchTest, AMailboxTransferRefusesThePageChangeSilently)
{
    h.station().ModeId = Mode::Dumb;
    h.station().MailboxBackupActive = true;
    modes.PageControlChange(0);
    EXPECT_TRUE(h.wire.events().empty());
    EXPECT_TRUE(h.modal.shown.isEmpty());
}

TEST_F(ModeSwitchTest, BeforeTheSettingsAreReadAPageChangeDoesNothing)
{
    h.station().FormReady = false;
    h.station().ModeId = Mode::Cw;
    modes.PageControlChange(0);
    EXPECT_TRUE(h.wire.events().empty());
    EXPECT_EQ(h.station().ModeId, Mode::Cw);
}

TEST_F(ModeSwitchTest, ListenOnSendsTheCommandOfTheMode)
{
    modes.SwitchListenOn();
    h.station().ModeId = Mode::Amtor;
    modes.SwitchListenOn();
    h.station().ModeId = Mode::Packet;
    modes.SwitchListenOn();
    h.station().ModeId = Mode::Rtty;
    modes.SwitchListenOn();
    EXPECT_EQ(h.wire.writtenText(), QStringLiteral("L 1<CR><ESC> MON<CR><ESC>MON 5<CR>"));
    EXPECT_EQ(h.station().TrafficState, QStringLiteral("LISTEN"));
}

TEST_F(ModeSwitchTest, ChoosingThePageAlreadyShownSendsNothing)
{
    h.station().ModeId = Mode::Rtty;
    h.station().PageIndex = 3;
    modes.MenuRttyClick();
    h.station().ModeId = Mode::Audio;
    modes.MenuAudioClick();
    EXPECT_TRUE(h.wire.events().empty());
}

TEST_F(ModeSwitchTest, EachModeIsEnteredWithItsOwnSequence)
{
    struct Case {
        void (ModeSwitch::*menu)();
        PtcModel ptcType;
        const char* mode;
        const char* transcript; // the readying from PACTOR ("L 0", two drains) included
    };
    const Case cases[] = {
        {&ModeSwitch::MenuAmtorClick, PtcModel::II, "AMTOR",
         "L 0<CR>[600ms]Pt<CR>[500ms]AM<CR>[500ms]"},
        {&ModeSwitch::MenuRttyClick, PtcModel::II, "RTTY", "L 0<CR>[1100ms]<ESC>BAU<CR>[500ms]"},
        // The Z80 PTC reaches RTTY through AMTOR.
        {&ModeSwitch::MenuRttyClick, PtcModel::Z80, "RTTY",
         "L 0<CR>[600ms]<ESC>[200ms]Pt<CR>[500ms]AM<CR>[1200ms]<ESC>BAU<CR>[500ms]"},
        {&ModeSwitch::MenuCwClick, PtcModel::II, "CW",
         "L 0<CR>[400ms]CWT<CR>[500ms]<ESC><CR><25>[1000ms]<25><ESC>"},
        {&ModeSwitch::MenuPsk31Click, PtcModel::II, "PSK31", "L 0<CR>[400ms]PSKT<CR>"},
        {&ModeSwitch::MenuAudioClick, PtcModel::II, "AUDIO",
         "L 0<CR>[400ms]AUD<CR>[200ms]Through<CR>"},
        // No audio mode on a PTC-IIpro: nothing beyond the readying.
        {&ModeSwitch::MenuAudioClick, PtcModel::IIpro, "PACTOR", "L 0<CR>[400ms]"},
        {&ModeSwitch::MenuNavtexClick, PtcModel::II, "NAVTEX", "L 0<CR>[400ms]"},
    };
    for (const Case& c : cases) {
        CoreHarness fresh;
        fresh.port.OpenPort();
        fresh.station().FormReady = true;
        fresh.station().PtcType = c.ptcType;
        (fresh.core.modes.*c.menu)();
        EXPECT_EQ(fresh.wire.transcript(), QLatin1String(c.transcript)) << c.mode;
        EXPECT_EQ(modeText(fresh.station().ModeId), QLatin1String(c.mode));
    }
}

TEST_F(ModeSwitchTest, AmtorTakesTheSelectiveCallAndTheFecEntry)
{
    h.texts().YourSelCallText = QStringLiteral("&Your SelCall");
    modes.MenuAmtorClick();
    EXPECT_EQ(h.view.caption(Name::MenuYourcall), QStringLiteral("&Your SelCall"));
    EXPECT_TRUE(h.view.component(Name::MenuAmtorFec).enabled);
    EXPECT_FALSE(h.view.component(Name::MenuUnpro).enabled);
    EXPECT_EQ(h.station().LastPageIndex, 1);
}

TEST_F(ModeSwitchTest, PacketPortTwoOnAPtcIIEndsWithBothPortCommands)
{
    h.station().PtcType = PtcModel::II;
    modes.Sub_MenuPacketPort2Click();
    EXPECT_EQ(h.wire.transcript(), QStringLiteral("L 0<CR>[400ms]Pac MON 6<CR>[700ms]PAC<CR>"
                                                  "P 1<CR>P 2<CR>"));
    EXPECT_EQ(h.station().ModeId, Mode::Packet);
    EXPECT_EQ(h.station().PacketPortName, QStringLiteral("Port 2"));
    EXPECT_EQ(h.station().PacketState, QStringLiteral("MONITOR"));

    // A controller whose sign-on said it has no port 2 keeps the button hidden.
    h.view.setVisible(Name::PacketPort2, false);
    modes.Sub_MenuPacketPort1Click();
    EXPECT_FALSE(h.view.component(Name::PacketPort2).visible);
}

TEST_F(ModeSwitchTest, APacketPortRefusedWithItsPageSendsNothing)
{
    h.station().Connected = true;
    modes.Sub_MenuPacketPort2Click();
    EXPECT_TRUE(h.wire.events().empty());
    EXPECT_EQ(h.station().ModeId, Mode::Pactor);

    h.station().Connected = false;
    h.station().FormReady = false;
    modes.Sub_MenuPacketPort1Click();
    EXPECT_TRUE(h.wire.events().empty());
}

TEST_F(ModeSwitchTest, APtcIIeHasOnePacketPortAndNoPortCommand)
{
    h.station().PtcType = PtcModel::IIe;
    modes.Sub_MenuPacketPort2Click();
    EXPECT_FALSE(h.wire.writtenText().contains(QLatin1String("P 2")));
    EXPECT_FALSE(h.wire.writtenText().contains(QLatin1String("P 1")));
    EXPECT_FALSE(h.view.component(Name::PacketPort1).visible);
    EXPECT_FALSE(h.view.component(Name::PacketPort2).visible);
}

TEST_F(ModeSwitchTest, TheDumbSwitchGoesOutTwiceAndShowsTheMessages)
{
    modes.MenuDumbClick();
    EXPECT_EQ(h.wire.transcript(), QStringLiteral("Pt<CR>[1900ms]Pt<CR>[500ms]"));
    EXPECT_EQ(h.station().ModeId, Mode::Dumb);
    EXPECT_TRUE(h.station().DumbMode);
    EXPECT_TRUE(h.settings().MessagesOnScreen);
    EXPECT_EQ(h.station().LastPageIndex, 8);

    // Back to PACTOR takes the forced messages away again.
    h.wire.clear();
    modes.MenuPactorClick();
    EXPECT_FALSE(h.settings().MessagesOnScreen);
    EXPECT_FALSE(h.station().DumbMode);
}

TEST_F(ModeSwitchTest, TheDumbSwitchWhileLinkedSendsPtBeforeThePageIsRefused)
{
    h.station().Connected = true;
    modes.MenuDumbClick();
    EXPECT_EQ(h.wire.transcript(), QStringLiteral("Pt<CR>[1500ms]"));
    EXPECT_EQ(h.station().ModeId, Mode::Dumb);
    EXPECT_EQ(h.view.component(Name::PageControl).page, 0);
    EXPECT_EQ(h.modal.shown.size(), 1);
}

TEST_F(ModeSwitchTest, ToggleListenAlwaysEndsListening)
{
    modes.MenuToggleListenClick();
    EXPECT_EQ(h.wire.transcript(), QStringLiteral("<ESC>DD<CR>[500ms]L 1<CR>"));
    h.wire.clear();
    modes.MenuToggleListenClick();
    EXPECT_EQ(h.wire.transcript(), QStringLiteral("L 0<CR>[200ms]<ESC>DD<CR>[500ms]L 1<CR>"));
    EXPECT_EQ(h.station().TrafficState, QStringLiteral("LISTEN"));
}

TEST_F(ModeSwitchTest, TheModePaneTunesCwWeightAndTheTeleprinterShift)
{
    h.station().ModeId = Mode::Cw;
    h.station().CwWeight = 4;
    modes.Pane1MouseDown(MouseButton::Left); // -6 wraps to 250
    EXPECT_EQ(h.station().CwWeight, 250);
    modes.Pane1MouseDown(MouseButton::Right); // 260 wraps to 4
    EXPECT_EQ(h.station().CwWeight, 4);
    EXPECT_EQ(h.wire.writtenText(), QStringLiteral("<ESC>CWW 250<CR><ESC>CWW 4<CR>"));
    modes.Pane1MouseEnter();
    EXPECT_TRUE(h.view.component(Name::Pane1).hint.startsWith(u"Left=CWWeight-"))
        << "the hint says what a left press does";

    h.wire.clear();
    h.station().ModeId = Mode::Rtty;
    QString shown;
    for (int i = 0; i < 4; ++i) {
        modes.Pane1MouseDown(MouseButton::Right);
        shown += h.view.caption(Name::Pane8);
    }
    EXPECT_EQ(shown, QStringLiteral("1230"));
    EXPECT_EQ(h.wire.writtenText(),
              QStringLiteral("<ESC>TR 1<CR><ESC>TR 2<CR><ESC>TR 3<CR><ESC>TR 0<CR>"));

    h.wire.clear();
    modes.Pane1Click();
    EXPECT_EQ(h.wire.writtenText(), QStringLiteral("<2>"));
    EXPECT_TRUE(h.view.transmitText().contains(QLatin1String("CTRL-B")));
}

TEST_F(ModeSwitchTest, ThePanesActOnlyInTheirModes)
{
    modes.Pane1MouseDown(MouseButton::Right);
    modes.Pane1Click();
    modes.Pane2MouseDown(MouseButton::Left);
    modes.Pane1MouseEnter();
    EXPECT_TRUE(h.wire.events().empty());
    EXPECT_FALSE(h.station().WordOut);
    EXPECT_EQ(h.view.component(Name::Pane1).frame, FrameLook::Flat);

    h.station().ModeId = Mode::Amtor;
    modes.Pane2MouseDown(MouseButton::Right);
    EXPECT_TRUE(h.station().WordOut);
    EXPECT_TRUE(h.view.isChecked(Name::RttyWout));
    modes.Pane1MouseEnter();
    EXPECT_EQ(h.view.component(Name::Pane1).hint,
              QStringLiteral("Left=LTRS command\r\nRight=TX/RX Shift"));
}

TEST_F(ModeSwitchTest, APtcPlusShowsCwButNoPacketAudioPskNavtexOrTools)
{
    h.station().PtcType = PtcModel::Plus;
    modes.showModesOfModel();
    EXPECT_TRUE(h.view.component(QStringLiteral("CW")).visible);
    EXPECT_TRUE(h.view.component(Name::MenuCw).visible);
    for (const char* page : {"PACKET", "AUDIO", "PSK31", "NAVTEX", "DUMBMODE", "MenuPacket"})
        EXPECT_FALSE(h.view.component(QLatin1String(page)).visible) << page;
    EXPECT_FALSE(h.view.component(Name::Sub_Menu200BdFSK).enabled);

    // A Z80 recognised while its CW page is shown: the page stays, the rest goes.
    h.station().PtcType = PtcModel::Z80;
    h.station().PageIndex = static_cast<int>(Mode::Cw);
    modes.showModesOfModel();
    EXPECT_TRUE(h.view.component(QStringLiteral("CW")).visible);
    EXPECT_FALSE(h.view.component(Name::MenuCw).visible);
}
