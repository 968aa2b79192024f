// Readying the controller, every switch sequence with its pauses, the refusal rule and
// the status panes' mode actions.

#include "CoreHarness.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

class ModeSwitchTest : public ::testing::Test {
protected:
    void SetUp() override { ready(h); }
    static void ready(CoreHarness& harness)
    {
        harness.port.OpenPort();
        harness.station().FormReady = true;
        harness.texts().NoChangeText = QStringLiteral("Disconnect first");
        harness.texts().YourcallText = QStringLiteral("&Your call");
    }

    CoreHarness h;
    ModeSwitch& modes = h.core.modes;
};

using Prepare = std::function<void(CoreHarness&)>;
Prepare in(Mode mode, PtcModel ptc = PtcModel::II)
{
    return [=](CoreHarness& h) {
        h.station().ModeId = mode;
        h.station().PtcType = ptc;
    };
}

} // namespace

TEST_F(ModeSwitchTest, ReadyingFromEachModeSendsItsOwnWayOut)
{
    const struct {
        const char* mode;
        PtcModel ptcType;
        const char* transcript;
    } cases[] = {
        {"PACTOR", PtcModel::II, "L 0<CR>[400ms]"},
        {"CW", PtcModel::II, "[200ms]<ESC>Q<CR>[200ms]"},
        {"RTTY", PtcModel::II, "[200ms]<ESC>Q<CR>[200ms]"},
        {"PACKET", PtcModel::II, "<ESC>MON 0<CR>[200ms]PAC MON 0<CR><ESC>Q<CR>[200ms]"},
        {"AMTOR", PtcModel::II, "Q<CR>[400ms]"},
        {"AMTOR", PtcModel::Z80, "<ESC>Pt<CR>Q<CR>[400ms]"},
        {"NAVTEX", PtcModel::II, "[400ms]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        CoreHarness fresh;
        fresh.port.OpenPort();
        in(modeNamed(c.mode), c.ptcType)(fresh);
        fresh.station().ConvMode = true;
        fresh.station().DumbMode = true;
        fresh.core.modes.ZetPtcKlaar();
        EXPECT_EQ(fresh.wire.transcript(), QLatin1String(c.transcript));
        EXPECT_FALSE(fresh.station().ConvMode);
        EXPECT_FALSE(fresh.station().DumbMode);
        EXPECT_EQ(fresh.station().TrafficState, QStringLiteral("STANDBY"));
    }
}

// Each switch from a given state: the bytes and pauses, the mode it ends in and how
// many warnings the operator saw. An empty transcript is a switch refused or not needed.
TEST_F(ModeSwitchTest, EachSwitchSendsItsOwnSequenceOrNothing)
{
    const auto linked = [](Mode mode) {
        return [=](CoreHarness& h) {
            in(mode)(h);
            h.station().Connected = true;
        };
    };
    const struct {
        const char* name;
        Prepare setup;
        std::function<void(ModeSwitch&)> act;
        const char* transcript; // the readying from the mode before included
        const char* modeAfter;
        int warnings;
    } rows[] = {
        {"Amtor", in(Mode::Pactor), &ModeSwitch::MenuAmtorClick,
         "L 0<CR>[600ms]Pt<CR>[500ms]AM<CR>[500ms]", "AMTOR", 0},
        {"Rtty", in(Mode::Pactor), &ModeSwitch::MenuRttyClick, "L 0<CR>[1100ms]<ESC>BAU<CR>[500ms]",
         "RTTY", 0},
        // The Z80 PTC reaches RTTY through AMTOR.
        {"RttyZ80", in(Mode::Pactor, PtcModel::Z80), &ModeSwitch::MenuRttyClick,
         "L 0<CR>[600ms]<ESC>[200ms]Pt<CR>[500ms]AM<CR>[1200ms]<ESC>BAU<CR>[500ms]", "RTTY", 0},
        {"Cw", in(Mode::Pactor), &ModeSwitch::MenuCwClick,
         "L 0<CR>[400ms]CWT<CR>[500ms]<ESC><CR><25>[1000ms]<25><ESC>", "CW", 0},
        {"Psk31", in(Mode::Pactor), &ModeSwitch::MenuPsk31Click, "L 0<CR>[400ms]PSKT<CR>", "PSK31",
         0},
        {"Audio", in(Mode::Pactor), &ModeSwitch::MenuAudioClick,
         "L 0<CR>[400ms]AUD<CR>[200ms]Through<CR>", "AUDIO", 0},
        // No audio mode on a PTC-IIpro: nothing beyond the readying.
        {"AudioOnIIpro", in(Mode::Pactor, PtcModel::IIpro), &ModeSwitch::MenuAudioClick,
         "L 0<CR>[400ms]", "PACTOR", 0},
        {"Navtex", in(Mode::Pactor), &ModeSwitch::MenuNavtexClick, "L 0<CR>[400ms]", "NAVTEX", 0},
        {"PactorFromCw", in(Mode::Cw), &ModeSwitch::MenuPactorClick,
         "[200ms]<ESC>Q<CR>[200ms]Pt<CR>[500ms]", "PACTOR", 0},
        // The Z80 needs an escape and a drain before PACTOR.
        {"PactorZ80", in(Mode::Pactor, PtcModel::Z80), &ModeSwitch::SwitchToPactor,
         "<ESC>[200ms]Pt<CR>[500ms]", "PACTOR", 0},
        {"PacketPort2", in(Mode::Pactor), &ModeSwitch::Sub_MenuPacketPort2Click,
         "L 0<CR>[400ms]Pac MON 6<CR>[700ms]PAC<CR>P 1<CR>P 2<CR>", "PACKET", 0},
        // The dumb switch goes out twice; while linked the page is refused after the Pt.
        {"Dumb", in(Mode::Pactor), &ModeSwitch::MenuDumbClick, "Pt<CR>[1900ms]Pt<CR>[500ms]",
         "DUMB", 0},
        {"DumbLinked", linked(Mode::Pactor), &ModeSwitch::MenuDumbClick, "Pt<CR>[1500ms]", "DUMB",
         1},
        {"ToggleListenFromStandby", in(Mode::Pactor), &ModeSwitch::MenuToggleListenClick,
         "<ESC>DD<CR>[500ms]L 1<CR>", "PACTOR", 0},
        {"ToggleListenFromListen",
         [](CoreHarness& h) {
             h.core.modes.MenuToggleListenClick();
             h.wire.clear();
         },
         &ModeSwitch::MenuToggleListenClick, "L 0<CR>[200ms]<ESC>DD<CR>[500ms]L 1<CR>", "PACTOR",
         0},
        {"ListenPactor", in(Mode::Pactor), &ModeSwitch::SwitchListenOn, "L 1<CR>", "PACTOR", 0},
        {"ListenAmtor", in(Mode::Amtor), &ModeSwitch::SwitchListenOn, "<ESC> MON<CR>", "AMTOR", 0},
        {"ListenPacket", in(Mode::Packet), &ModeSwitch::SwitchListenOn, "<ESC>MON 5<CR>", "PACKET",
         0},
        {"ListenRtty", in(Mode::Rtty), &ModeSwitch::SwitchListenOn, "", "RTTY", 0},
        // Nothing to do: the page is the one shown.
        {"PactorInPactor", in(Mode::Pactor), &ModeSwitch::MenuPactorClick, "", "PACTOR", 0},
        {"RttyShown",
         [](CoreHarness& h) {
             in(Mode::Rtty)(h);
             h.station().PageIndex = 3;
         },
         &ModeSwitch::MenuRttyClick, "", "RTTY", 0},
        {"AudioShown", in(Mode::Audio), &ModeSwitch::MenuAudioClick, "", "AUDIO", 0},
        // Refused: a link up or a transmission on warns, a mailbox transfer or a start
        // not finished refuses silently.
        {"PageLinked", linked(Mode::Amtor), [](ModeSwitch& m) { m.PageControlChange(0); }, "",
         "AMTOR", 1},
        {"PageSending",
         [](CoreHarness& h) {
             in(Mode::Amtor)(h);
             h.station().Transmitting = true;
         },
         [](ModeSwitch& m) { m.PageControlChange(0); }, "", "AMTOR", 1},
        {"PageInMailboxTransfer",
         [](CoreHarness& h) {
             in(Mode::Dumb)(h);
             h.station().MailboxBackupActive = true;
         },
         [](ModeSwitch& m) { m.PageControlChange(0); }, "", "DUMB", 0},
        {"PageBeforeSettings",
         [](CoreHarness& h) {
             in(Mode::Cw)(h);
             h.station().FormReady = false;
         },
         [](ModeSwitch& m) { m.PageControlChange(0); }, "", "CW", 0},
        {"PacketPortLinked", linked(Mode::Pactor), &ModeSwitch::Sub_MenuPacketPort2Click, "",
         "PACTOR", 1},
        {"PacketPortBeforeSettings", [](CoreHarness& h) { h.station().FormReady = false; },
         &ModeSwitch::Sub_MenuPacketPort1Click, "", "PACTOR", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CoreHarness fresh;
        ready(fresh);
        row.setup(fresh);
        const int page = fresh.view.component(Name::PageControl).page;
        row.act(fresh.core.modes);
        EXPECT_EQ(fresh.wire.transcript(), QLatin1String(row.transcript));
        EXPECT_EQ(modeText(fresh.station().ModeId), QLatin1String(row.modeAfter));
        EXPECT_EQ(fresh.modal.shown.size(), row.warnings);
        if (row.warnings > 0) {
            EXPECT_EQ(fresh.modal.shown[0].text, QStringLiteral("Disconnect first"));
            EXPECT_EQ(fresh.view.component(Name::PageControl).page, page) << "page kept";
        }
    }
}

TEST_F(ModeSwitchTest, PactorAndAmtorEnableTheirOwnMenus)
{
    h.texts().YourSelCallText = QStringLiteral("&Your SelCall");
    modes.MenuAmtorClick();
    EXPECT_EQ(h.view.caption(Name::MenuYourcall), QStringLiteral("&Your SelCall"));
    EXPECT_TRUE(h.view.component(Name::MenuAmtorFec).enabled);
    EXPECT_FALSE(h.view.component(Name::MenuUnpro).enabled);
    EXPECT_EQ(h.station().LastPageIndex, 1);

    modes.MenuPactorClick();
    EXPECT_EQ(h.station().LastPageIndex, 0);
    EXPECT_EQ(h.view.component(Name::PageControl).page, 0);
    EXPECT_TRUE(h.view.component(Name::MenuUnpro).enabled);
    EXPECT_FALSE(h.view.component(Name::MenuAmtorFec).enabled);
    EXPECT_FALSE(h.view.component(Name::MenuBaudotTransmit).enabled);
    EXPECT_EQ(h.view.caption(Name::MenuYourcall), QStringLiteral("&Your call"));
}

TEST_F(ModeSwitchTest, PacketPortsFollowTheModel)
{
    h.station().PtcType = PtcModel::II;
    modes.Sub_MenuPacketPort2Click();
    EXPECT_EQ(h.station().PacketPortName, QStringLiteral("Port 2"));
    EXPECT_EQ(h.station().PacketState, QStringLiteral("MONITOR"));
    // A controller whose sign-on said it has no port 2 keeps the button hidden.
    h.view.setVisible(Name::PacketPort2, false);
    modes.Sub_MenuPacketPort1Click();
    EXPECT_FALSE(h.view.component(Name::PacketPort2).visible);

    // A PTC-IIe has one packet port and no port command.
    CoreHarness iie;
    ready(iie);
    iie.station().PtcType = PtcModel::IIe;
    iie.core.modes.Sub_MenuPacketPort2Click();
    EXPECT_EQ(iie.wire.writtenText(), QStringLiteral("L 0<CR>Pac MON 6<CR>PAC<CR>"));
    EXPECT_FALSE(iie.view.component(Name::PacketPort1).visible);
    EXPECT_FALSE(iie.view.component(Name::PacketPort2).visible);
}

TEST_F(ModeSwitchTest, TheDumbModeForcesTheMessagesOnUntilPactor)
{
    modes.MenuDumbClick();
    EXPECT_TRUE(h.station().DumbMode);
    EXPECT_TRUE(h.settings().MessagesOnScreen);
    EXPECT_EQ(h.station().LastPageIndex, 8);
    modes.MenuPactorClick();
    EXPECT_FALSE(h.settings().MessagesOnScreen);
    EXPECT_FALSE(h.station().DumbMode);
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
    for (const char* page :
         {"PACKET", "AUDIO", "PSK31", "NAVTEX", "DUMBMODE", "MenuPacket", "MenuNavtexReception"})
        EXPECT_FALSE(h.view.component(QLatin1String(page)).visible) << page;
    EXPECT_FALSE(h.view.component(Name::Sub_Menu200BdFSK).enabled);

    // A Z80 recognised while its CW page is shown: the page stays, the rest goes.
    h.station().PtcType = PtcModel::Z80;
    h.station().PageIndex = static_cast<int>(Mode::Cw);
    modes.showModesOfModel();
    EXPECT_TRUE(h.view.component(QStringLiteral("CW")).visible);
    EXPECT_FALSE(h.view.component(Name::MenuCw).visible);
}
