#pragma once

// What the mode toolbars, the Action menu, the general toolbar and the receive window's
// pop-up menu send to the controller within a mode, and the program state they change.
// Toolbar buttons that only forward to a menu entry are wired to that entry's handler.

#include <QByteArray>
#include <QString>

class Clock;
class Modal;
class ModeSwitch;
class PortLink;
class ReceiveView;
class StatusDisplay;
class TransmitView;
class View;
struct MessageTexts;
struct Settings;
struct Station;

class ModeCommands {
public:
    ModeCommands(Station& station, Settings& settings, const MessageTexts& texts, PortLink& link,
                 StatusDisplay& status, ModeSwitch& modes, View& view, ReceiveView& receiveWindow,
                 TransmitView& transmitWindow, Modal& modal, Clock& clock);

    // Action menu.
    // "Unproto" sub-menu entry `number` (1..10); the PACTOR "Unpro" button is entry 1.
    void unprotoClick(int number);
    void MenuAmtorFecClick();
    void MenuBaudotTransmitClick();
    void MenuDisconnectClick();
    void MenuHardDisconnectClick();
    void MenuChangeOverClick();
    void MenuSendHiscalldeMycallClick();
    void MenuSendHiscalldeMycallChoClick();

    // PACTOR.
    void PactorDuplexClick();
    void Pactor3ButtonClick();
    // PACKET.
    void PacketMonitorClick();
    void PacketDisConnectClick();
    // RTTY.
    void RttyReceiveClick();
    void RttyTransmitClick();
    void RttyBaudClick();
    // CW.
    void CWTransmitClick();
    void CwTxSpeedClick();
    // PSK31.
    void PskSquelchClick();
    void PskTransmitClick();
    void PskStandbyClick();

    // The control characters of the CW and PSK31 toolbars: one byte, nothing else.
    void sendControl(quint8 code);

    // Receive window pop-up menu.
    void PopUpMakeHiscallselectedtextClick();
    void PopUpMakeHisNameSelectedtextClick();

    // An input box answer as it may go into a command: control characters, which would
    // end the command early or start another, are dropped.
    static QString commandArgument(const QString& answer);

private:
    void send(const QByteArray& bytes);
    // IdString when there is one, else the own call.
    QString myPart() const;
    // Whether his-de-my goes straight to the controller (otherwise only noted).
    bool hisDeMySendsDirectly(bool acceptFec) const;

    Station& station_;
    Settings& settings_;
    const MessageTexts& texts_;
    PortLink& link_;
    StatusDisplay& status_;
    ModeSwitch& modes_;
    View& view_;
    ReceiveView& receiveWindow_;
    TransmitView& transmitWindow_;
    Modal& modal_;
    Clock& clock_;
};

// The standard message for text that is not a number.
QString notAValidNumberMessage(const QString& text);
// `text` as a 16-bit setting (blanks around it allowed); false for anything else.
bool parseWord(const QString& text, quint16* value);
