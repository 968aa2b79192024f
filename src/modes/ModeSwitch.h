#pragma once

// Moving the controller between operating modes: the page-change rule (no change while
// a link is up or this station sends), readying the controller for a new mode, the
// switch sequences with their fixed pauses and drains, listen on and off, and the mode
// actions of the first two status panes.

#include "base/Station.h"

#include <QByteArray>
#include <QtGlobal>
#include <functional>

class Clock;
class PortLink;
class StatusDisplay;
class TransmitKeys;
class View;
enum class MouseButton;
struct MessageTexts;
struct Settings;

class ModeSwitch {
public:
    ModeSwitch(Station& station, Settings& settings, const MessageTexts& texts, PortLink& link,
               StatusDisplay& status, TransmitKeys& keys, View& view, Clock& clock);

    // The Mode menu.
    void MenuPactorClick();
    void Sub_MenuPacketPort1Click();
    void Sub_MenuPacketPort2Click();
    void MenuAmtorClick();
    void MenuRttyClick();
    void MenuCwClick();
    void MenuAudioClick();
    void MenuPsk31Click();
    void MenuNavtexClick();
    // The dumb terminal: PACTOR's prompt with the controller's messages shown.
    void MenuDumbClick();
    // Always ends in listen reception.
    void MenuToggleListenClick();

    // "Set the tab to": selects `page` and runs the page-change rule.
    void ZetTabNaar(Mode page);
    // The page shown changed (by the operator or by ZetTabNaar).
    void PageControlChange(int pageIndex);
    // "Set the controller ready": back to its command prompt, out of the present mode.
    void ZetPtcKlaar();
    void SwitchListenOn();
    void SwitchListenOff();
    void SwitchToPactor();
    void SwitchToAmtor();
    void SwitchToRtty();
    void SwitchToCw();
    void SwitchToPsk31();
    // Only the PTC-IIe and PTC-II have the audio mode; on others this does nothing.
    void SwitchToAudio();
    // `port` 1 or 2; the port command only on controllers with two ports.
    void SwitchToPacket(int port);

    // Shows the mode pages and menu items the controller model has (at each layout).
    void showModesOfModel();
    // "Set messages": the controller's messages are forced on in PACKET and the dumb terminal,
    // where they are the conversation, and the forcing is undone afterwards.
    void Zetmessages();

    // The status bar's mode pane (Pane1) and sub-mode pane (Pane2).
    void Pane1MouseEnter();
    void Pane1MouseLeave();
    void Pane1Click();
    void Pane1MouseDown(MouseButton button);
    void Pane2MouseDown(MouseButton button);
    void Pane2MouseLeave();
    // Word-out mode on or off; the "Word out" buttons show it.
    void toggleWordOut();

    // The Standby action of the present mode (Action menu, the Standby buttons).
    void MenuStandbyClick();
    // CW "Direct": the controller sends each key at once.
    void CwDelayedClick();
    // AUDIO: `filter` 1 CW, 2 notch, 3 peak, 4 none.
    void audioFilterClick(quint8 filter);

    // The mailbox's "Maildrop Check" action; readying the controller runs it to switch
    // the check off.
    std::function<void()> maildropCheckClick;

    // CW keeps the key down between the two change-overs this long.
    static constexpr int CwChangeOverPauseMs = 1000;

private:
    void send(const QByteArray& bytes);
    // The modes in which the panes act: the two teleprinter modes and NAVTEX/AMTEX.
    bool teleprinterPaneActive() const;
    void afterSwitch();
    void choosePacketPort(int port);
    // Selects `page` (with the page-change rule) unless it is the page shown.
    void showPage(Mode page);

    Station& station_;
    Settings& settings_;
    const MessageTexts& texts_;
    PortLink& link_;
    StatusDisplay& status_;
    TransmitKeys& keys_;
    View& view_;
    Clock& clock_;
};
