#include "modes/ModeSwitch.h"

#include "base/Clock.h"
#include "base/ComponentNames.h"
#include "base/MessageTexts.h"
#include "base/Settings.h"
#include "base/Station.h"
#include "base/View.h"
#include "link/PortLink.h"
#include "link/StatusDisplay.h"
#include "link/TransmitKeys.h"

namespace {
// The pages' component names, by index.
constexpr QLatin1StringView PageNames[] = {Name::PACTORTab, Name::AMTOR,  Name::PACKET,
                                           Name::RTTY,      Name::CW,     Name::AUDIO,
                                           Name::PSK31,     Name::NAVTEX, Name::DUMBMODE};
constexpr int ModeEntryPauseMs = 500;
// The dumb switch gives the controller this long before the page change repeats it.
constexpr int DumbPagePauseMs = 1000;
constexpr quint8 CtrlB = 2;
constexpr char CtrlD = 4;
constexpr char CtrlY = 25;
constexpr int StandbyPauseMs = 500;
constexpr quint8 CwWeightStep = 10;
} // namespace

ModeSwitch::ModeSwitch(Station& station, Settings& settings, const MessageTexts& texts,
                       PortLink& link, StatusDisplay& status, TransmitKeys& keys, View& view,
                       Clock& clock)
    : station_(station), settings_(settings), texts_(texts), link_(link), status_(status),
      keys_(keys), view_(view), clock_(clock)
{
}

void ModeSwitch::send(const QByteArray& bytes)
{
    link_.ZendNaarPtc(bytes);
}

// Mode menu ----------------------------------------------------------------------------

void ModeSwitch::MenuPactorClick()
{
    if (!station_.modeIs(Mode::Pactor))
        ZetTabNaar(Mode::Pactor);
}

void ModeSwitch::Sub_MenuPacketPort1Click()
{
    choosePacketPort(1);
}

void ModeSwitch::Sub_MenuPacketPort2Click()
{
    choosePacketPort(2);
}

void ModeSwitch::choosePacketPort(int port)
{
    showPage(Mode::Packet);
    // A refused page change is refused as a whole: no packet commands in the middle of
    // another mode's link, and none before the settings are read.
    if (!station_.FormReady || station_.PageIndex != static_cast<int>(Mode::Packet))
        return;
    SwitchToPacket(port);
}

void ModeSwitch::MenuAmtorClick()
{
    if (!station_.modeIs(Mode::Amtor))
        ZetTabNaar(Mode::Amtor);
}

void ModeSwitch::MenuRttyClick()
{
    showPage(Mode::Rtty);
}

void ModeSwitch::MenuCwClick()
{
    showPage(Mode::Cw);
}

void ModeSwitch::MenuAudioClick()
{
    if (!station_.modeIs(Mode::Audio))
        ZetTabNaar(Mode::Audio);
}

void ModeSwitch::MenuPsk31Click()
{
    showPage(Mode::Psk31);
}

void ModeSwitch::MenuNavtexClick()
{
    showPage(Mode::Navtex);
}

void ModeSwitch::showPage(Mode page)
{
    if (station_.PageIndex != static_cast<int>(page))
        ZetTabNaar(page);
}

void ModeSwitch::MenuDumbClick()
{
    link_.ScrollNaarEnd();
    SwitchToPactor();
    station_.DumbMode = true;
    if (!station_.MailboxBackupActive)
        Zetmessages();
    station_.ModeId = Mode::Dumb;
    if (station_.PageIndex != static_cast<int>(Mode::Dumb)) {
        // The page change readies the controller and comes back here once more.
        clock_.sleep(DumbPagePauseMs);
        ZetTabNaar(Mode::Dumb);
    }
}

void ModeSwitch::MenuToggleListenClick()
{
    if (station_.PtcType == PtcModel::Z80)
        send("\x1b");
    MenuStandbyClick();
    SwitchListenOn();
}

void ModeSwitch::MenuStandbyClick()
{
    link_.ScrollNaarEnd();
    const bool listening = station_.TrafficState == QLatin1String("LISTEN");
    if (station_.modeIs(Mode::Psk31)) {
        send("\x1b"
             "DD\r");
        send("PSKT\r");
    } else if (station_.modeIs(Mode::Rtty)) {
        if (listening)
            SwitchListenOff();
        send(QByteArray(1, CtrlY));
    } else {
        if (listening)
            SwitchListenOff();
        if (station_.Connected)
            send(QByteArray(1, CtrlD));
        else
            send("\x1b"
                 "DD\r");
        clock_.sleep(StandbyPauseMs);
        link_.purge();
    }
}

void ModeSwitch::CwDelayedClick()
{
    send("\x1b\r");
    send(QByteArray(1, CtrlY));
    clock_.sleep(CwChangeOverPauseMs);
    send(QByteArray(1, CtrlY));
    link_.ScrollNaarEnd();
}

void ModeSwitch::audioFilterClick(quint8 filter)
{
    static constexpr QLatin1StringView buttons[] = {Name::AudioCwFilter, Name::AudioNotchFilter,
                                                    Name::AudioPeakFilter, Name::AudioNoneFilter};
    if (filter < 1 || filter > 4)
        return;
    station_.AudioFilter = filter;
    view_.setChecked(buttons[filter - 1], true);
    SwitchToAudio();
}

// Page change ---------------------------------------------------------------------------

void ModeSwitch::ZetTabNaar(Mode page)
{
    view_.setCurrentPage(Name::PageControl, static_cast<int>(page));
    PageControlChange(static_cast<int>(page));
}

void ModeSwitch::PageControlChange(int pageIndex)
{
    station_.PageIndex = pageIndex;
    if (!station_.FormReady)
        return;
    if (station_.Connected || station_.Transmitting || station_.MailboxBackupActive ||
        station_.MailboxReloadActive) {
        if (!station_.MailboxBackupActive && !station_.MailboxReloadActive)
            status_.Warning(texts_.NoChangeText);
        view_.setCurrentPage(Name::PageControl, station_.LastPageIndex);
        station_.PageIndex = station_.LastPageIndex;
        return;
    }
    ZetPtcKlaar();
    switch (static_cast<Mode>(pageIndex)) {
    case Mode::Pactor:
        if (!station_.modeIs(Mode::Pactor))
            SwitchToPactor();
        break;
    case Mode::Amtor:
        if (!station_.modeIs(Mode::Amtor))
            SwitchToAmtor();
        break;
    case Mode::Packet:
        if (!station_.modeIs(Mode::Packet))
            SwitchToPacket(1);
        break;
    case Mode::Rtty:
        if (!station_.modeIs(Mode::Rtty))
            SwitchToRtty();
        break;
    case Mode::Cw:
        if (!station_.modeIs(Mode::Cw))
            SwitchToCw();
        break;
    case Mode::Audio:
        if (!station_.modeIs(Mode::Audio))
            audioFilterClick(4);
        break;
    case Mode::Psk31:
        if (!station_.modeIs(Mode::Psk31))
            SwitchToPsk31();
        break;
    case Mode::Navtex:
        // Reception starts from the NAVTEX toolbar.
        station_.ModeId = Mode::Navtex;
        break;
    case Mode::Dumb:
        MenuDumbClick();
        break;
    }
    station_.LastPageIndex = station_.PageIndex;
}

void ModeSwitch::ZetPtcKlaar()
{
    SwitchListenOff();
    if (view_.isChecked(Name::MenuMaildropCheck) && maildropCheckClick)
        maildropCheckClick();
    station_.DumbMode = false;
    if (station_.modeIs(Mode::Packet))
        send("PAC MON 0\r");
    if (station_.modeIs(Mode::Packet) || station_.modeIs(Mode::Audio) ||
        station_.modeIs(Mode::Cw) || station_.modeIs(Mode::Rtty) || station_.modeIs(Mode::Psk31))
        send("\x1bQ\r");
    link_.DummiRead();
    station_.ConvMode = false;
}

// Listen --------------------------------------------------------------------------------

void ModeSwitch::SwitchListenOn()
{
    station_.TrafficState = QStringLiteral("LISTEN");
    if (station_.modeIs(Mode::Pactor))
        send("L 1\r");
    else if (station_.modeIs(Mode::Amtor))
        send("\x1b MON\r");
    else if (station_.modeIs(Mode::Packet))
        send("\x1bMON 5\r");
}

void ModeSwitch::SwitchListenOff()
{
    station_.TrafficState = QStringLiteral("STANDBY");
    if (station_.modeIs(Mode::Pactor)) {
        send("L 0\r");
    } else if (station_.modeIs(Mode::Amtor)) {
        if (station_.PtcType == PtcModel::Z80)
            send("\x1bPt\r");
        send("Q\r");
    } else if (station_.modeIs(Mode::Packet)) {
        send("\x1bMON 0\r");
    }
    link_.DummiRead();
}

// Switch sequences ----------------------------------------------------------------------

void ModeSwitch::afterSwitch()
{
    Zetmessages();
}

void ModeSwitch::SwitchToPactor()
{
    link_.ScrollNaarEnd();
    link_.StartTimers();
    if (station_.PtcType == PtcModel::Z80) {
        send("\x1b");
        link_.DummiRead();
    }
    send("Pt\r");
    clock_.sleep(ModeEntryPauseMs);
    station_.ModeId = Mode::Pactor;
    view_.setEnabled(Name::MenuUnpro, true);
    view_.setEnabled(Name::MenuAmtorFec, false);
    view_.setEnabled(Name::MenuBaudotTransmit, false);
    view_.setCaption(Name::MenuYourcall, texts_.YourcallText);
    afterSwitch();
}

void ModeSwitch::SwitchToAmtor()
{
    if (station_.Connected || station_.modeIs(Mode::Amtor))
        return;
    link_.ScrollNaarEnd();
    link_.DummiRead();
    link_.purge();
    SwitchToPactor();
    send("AM\r");
    clock_.sleep(ModeEntryPauseMs);
    station_.ModeId = Mode::Amtor;
    view_.setEnabled(Name::MenuUnpro, false);
    view_.setEnabled(Name::MenuAmtorFec, true);
    view_.setEnabled(Name::MenuBaudotTransmit, false);
    view_.setCaption(Name::MenuYourcall, texts_.YourSelCallText);
    afterSwitch();
}

void ModeSwitch::SwitchToRtty()
{
    if (station_.modeIs(Mode::Rtty))
        return;
    link_.ScrollNaarEnd();
    link_.StartTimers();
    // The Z80 PTC reaches RTTY only from AMTOR.
    if (station_.PtcType == PtcModel::Z80 && !station_.modeIs(Mode::Amtor))
        SwitchToAmtor();
    clock_.sleep(ModeEntryPauseMs);
    link_.DummiRead();
    send("\x1b"
         "BAU\r");
    clock_.sleep(ModeEntryPauseMs);
    station_.ModeId = Mode::Rtty;
    view_.setEnabled(Name::MenuUnpro, false);
    view_.setEnabled(Name::MenuAmtorFec, false);
    view_.setEnabled(Name::MenuBaudotTransmit, true);
    afterSwitch();
    link_.StartTimers();
}

void ModeSwitch::SwitchToCw()
{
    link_.ScrollNaarEnd();
    link_.StartTimers();
    station_.ModeId = Mode::Cw;
    send("CWT\r");
    clock_.sleep(ModeEntryPauseMs);
    station_.AudioModeTag = 0;
    CwDelayedClick();
    view_.setChecked(Name::CwDelayed, true);
    send("\x1b");
    link_.StartTimers();
}

void ModeSwitch::SwitchToPsk31()
{
    link_.ScrollNaarEnd();
    link_.StartTimers();
    station_.ModeId = Mode::Psk31;
    send("PSKT\r");
}

void ModeSwitch::SwitchToAudio()
{
    if (station_.PtcType != PtcModel::IIe && station_.PtcType != PtcModel::II)
        return;
    link_.ScrollNaarEnd();
    if (!station_.modeIs(Mode::Audio)) {
        send("AUD\r");
        station_.AudioModeTag = 1;
        link_.DummiRead();
    }
    struct Filter {
        const char* command;
        const char* name;
    };
    static const Filter filters[] = {
        {"CW\r", "CWFILTER"}, {"notch\r", "NOTCH"}, {"Peak\r", "PEAK"}, {"Through\r", "THROUGH"}};
    if (station_.AudioFilter >= 1 && station_.AudioFilter <= 4) {
        const Filter& filter = filters[station_.AudioFilter - 1];
        send(filter.command);
        station_.AudioFilterName = QLatin1String(filter.name);
    }
    station_.ModeId = Mode::Audio;
    afterSwitch();
}

void ModeSwitch::SwitchToPacket(int port)
{
    link_.ScrollNaarEnd();
    if (!station_.modeIs(Mode::Packet)) {
        send("Pac MON 6\r");
        clock_.sleep(ModeEntryPauseMs);
        link_.DummiRead();
        send("PAC\r");
        view_.setChecked(Name::PacketPort1, true);
        station_.PacketState = QStringLiteral("MONITOR");
    }
    station_.ModeId = Mode::Packet;
    // Only the PTC-II and up have a second packet port. The buttons are not shown again
    // here: the sign-on may have said that this one has no port 2.
    const bool twoPorts = station_.PtcType > PtcModel::IIe;
    if (!twoPorts) {
        view_.setVisible(Name::PacketPort1, false);
        view_.setVisible(Name::PacketPort2, false);
    } else {
        const QByteArray digit = QByteArray::number(port == 2 ? 2 : 1);
        send(QByteArray("P " + digit + '\r'));
        station_.PacketPortName = QStringLiteral("Port ") + QLatin1String(digit);
    }
    status_.StatusLine();
}

// Controller models ---------------------------------------------------------------------

void ModeSwitch::showModesOfModel()
{
    const PtcModel model = station_.PtcType;
    if (model < PtcModel::Z80 || model > PtcModel::IIpro)
        return;                                 // not recognised: leave the window as it is
    const bool small = model <= PtcModel::Plus; // Z80 PTC and PTC PLUS
    const bool z80 = model == PtcModel::Z80;
    // The page shown stays: hiding it would change the mode from inside a layout.
    const auto setPageVisible = [this](Mode page, bool visible) {
        if (visible || station_.PageIndex != static_cast<int>(page))
            view_.setVisible(PageNames[static_cast<int>(page)], visible);
    };
    for (Mode page : {Mode::Packet, Mode::Audio, Mode::Psk31, Mode::Navtex})
        setPageVisible(page, !small);
    setPageVisible(Mode::Cw, !z80);
    if (small)
        setPageVisible(Mode::Dumb, false);
    for (QLatin1StringView item : {Name::MenuPacket, Name::MenuAudio, Name::MenuPsk31,
                                   Name::MenuNavtex, Name::MenuNavtexReception, Name::MenuAudioCW})
        view_.setVisible(item, !small);
    view_.setVisible(Name::MenuCw, !z80);
    if (z80) {
        view_.setVisible(Name::MenuBackupMailbox, false);
        view_.setVisible(Name::MenuReloadMailbox, false);
    }
    // The small controllers have only the 100 Bd FSK unproto.
    for (QLatin1StringView item :
         {Name::Sub_Menu200BdFSK, Name::Sub_Menu100BdDPSKs, Name::Sub_Menu200BdDPSKs,
          Name::Sub_Menu400BDDPSKs, Name::Sub_Menu800BdDPSKs, Name::Sub_Menu100BdDPSKl,
          Name::Sub_Menu200BdDPSKl, Name::Sub_Menu400BdDPSKl, Name::Sub_Menu800BdDPSKl})
        view_.setEnabled(item, !small);
}

// Status panes --------------------------------------------------------------------------

bool ModeSwitch::teleprinterPaneActive() const
{
    return station_.modeIs(Mode::Rtty) || station_.modeIs(Mode::Amtor) || settings_.NavtexActive ||
           settings_.AmtexActive;
}

void ModeSwitch::Pane1MouseEnter()
{
    if (!teleprinterPaneActive() && !station_.modeIs(Mode::Cw))
        return;
    view_.setFrameLook(Name::Pane1, FrameLook::Raised);
    // The hint tells what the buttons do; in CW they change the keying weight.
    view_.setHint(Name::Pane1, station_.modeIs(Mode::Cw)
                                   ? QStringLiteral("Left=CWWeight-10%\r\nRight=CWWeight+10%")
                                   : QStringLiteral("Left=LTRS command\r\nRight=TX/RX Shift"));
}

void ModeSwitch::Pane1MouseLeave()
{
    if (!teleprinterPaneActive() && !station_.modeIs(Mode::Cw))
        return;
    view_.setFrameLook(Name::Pane1, FrameLook::Flat);
    view_.setHint(Name::Pane1, QStringLiteral("Ptc Mode"));
}

void ModeSwitch::Pane1Click()
{
    if (teleprinterPaneActive())
        keys_.SendCTRL(CtrlB);
}

void ModeSwitch::Pane1MouseDown(MouseButton button)
{
    const bool left = button == MouseButton::Left;
    const bool right = button == MouseButton::Right;
    if ((left && station_.modeIs(Mode::Rtty)) || station_.modeIs(Mode::Amtor) ||
        settings_.NavtexActive || settings_.AmtexActive)
        view_.setFrameLook(Name::Pane1, FrameLook::Pressed);
    if (station_.modeIs(Mode::Cw) && (left || right)) {
        // Left lighter, right heavier, as operators know it. The weight is a byte and wraps.
        station_.CwWeight = static_cast<quint8>(left ? station_.CwWeight - CwWeightStep
                                                     : station_.CwWeight + CwWeightStep);
        send(QByteArray("\x1b"
                        "CWW " +
                        QByteArray::number(station_.CwWeight) + '\r'));
    }
    if (right && (station_.modeIs(Mode::Amtor) || station_.modeIs(Mode::Rtty))) {
        station_.TrValue = static_cast<quint8>((station_.TrValue + 1) % 4);
        send(QByteArray("\x1b"
                        "TR " +
                        QByteArray::number(station_.TrValue) + '\r'));
        view_.setCaption(Name::Pane8, QString::number(station_.TrValue));
    }
}

void ModeSwitch::Pane2MouseDown(MouseButton button)
{
    if ((button == MouseButton::Left && station_.modeIs(Mode::Rtty)) ||
        station_.modeIs(Mode::Amtor) || station_.modeIs(Mode::Cw)) {
        view_.setFrameLook(Name::Pane2, FrameLook::Pressed);
        toggleWordOut();
    }
}

void ModeSwitch::Pane2MouseLeave()
{
    if (station_.modeIs(Mode::Rtty) || station_.modeIs(Mode::Amtor) || station_.modeIs(Mode::Cw)) {
        view_.setFrameLook(Name::Pane2, FrameLook::Flat);
        view_.setHint(Name::Pane2, QStringLiteral("Sub Mode"));
    }
}

void ModeSwitch::toggleWordOut()
{
    station_.WordOut = !station_.WordOut;
    for (QLatin1StringView button : {Name::AmtorWout, Name::RttyWout, Name::CwWout, Name::PskWout})
        view_.setChecked(button, station_.WordOut);
}

void ModeSwitch::Zetmessages()
{
    if (station_.MailboxBackupRequested || station_.MailboxReloadActive)
        return;
    const QString onItem = Name::Sub_MenuMessagesOnScreenOn;
    const QString offItem = Name::Sub_MenuMessagesOnScreenOff;
    if (!settings_.MessagesOnScreen) {
        if (station_.ModeId == Mode::Packet || station_.DumbMode) {
            settings_.MessagesOnScreen = true;
            station_.MessagesForced = true;
            view_.setChecked(onItem, true);
            view_.setChecked(offItem, false);
        }
    } else if (station_.MessagesForced) {
        settings_.MessagesOnScreen = false;
        station_.MessagesForced = false;
        view_.setChecked(onItem, false);
        view_.setChecked(offItem, true);
    }
}
