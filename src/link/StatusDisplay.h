#pragma once

// The status request twice a second and what its answer shows: the status bar's panes,
// the mode toolbars' button states and the link flags (Connected, Transmitting, the
// traffic state). Also the 713 ms housekeeping, the lamps on the transmit bar and the
// two small helpers every subsystem uses (Warning, ZetTransmitbalkTerug).

#include "base/Color.h"

#include <QString>
#include <functional>

class Modal;
class PortLink;
class ReceiveView;
class TransmitView;
class View;
struct MessageTexts;
struct Settings;
struct Station;

class StatusDisplay {
public:
    StatusDisplay(Station& station, Settings& settings, const MessageTexts& texts, PortLink& link,
                  View& view, ReceiveView& receiveWindow, TransmitView& transmitWindow,
                  Modal& modal);

    // "Status request timer", every 500 ms: the status request byte 30, unless something
    // must not be disturbed.
    void StatusAanvraagTimer();
    // The poll has read what was waiting: a request held back for it goes out now.
    void sendDeferredRequest();
    // A status byte arrived: the link flags, both fields and the status line.
    void showStatusByte(quint8 statusByte);
    // The same without the status line, for the decoder, which refreshes the line
    // once at the end of its block.
    void takeStatusByte(quint8 statusByte);
    // The mode field as three binary digits ("000".."111"): its text, and the button
    // states and flags it implies.
    QString MakeModeStatus(const QString& modeField);
    // The traffic field as three binary digits: its text; colours Pane4.
    QString MakeTrafficStatus(const QString& trafficField);
    // Panes 1 to 5, the log lamp and the buttons that depend on a link being up.
    void StatusLine();
    // Every 713 ms: housekeeping.
    void ErrorTimer();
    // 0: the disk lamp lime, 1: red; other values change nothing.
    void DiskLed(int state);
    void Warning(const QString& text);
    // "Set the transmit bar back": as it was at the last layout, in the bar colour.
    void ZetTransmitbalkTerug();
    // The lamp beside the transmit bar: reception, duplex, automatic CQ, word out or
    // conversation mode, the last of these that applies; hidden when none does.
    void showNavtexLed();

    // The bar caption kept at the last layout.
    QString TransmitbalkCaption;
    // While a file goes out, Pane5 shows this (which file, how far) instead.
    QString sendingProgress;
    // The clipboard mail, asked first on every status tick that is not held; true when
    // it sent a mail, and the request then waits for the next tick.
    std::function<bool()> clipboardMail;

private:
    void checkScrollBack();
    void enableConnectedControls(bool linkUp);

    Station& station_;
    Settings& settings_;
    const MessageTexts& texts_;
    PortLink& link_;
    View& view_;
    ReceiveView& receiveWindow_;
    TransmitView& transmitWindow_;
    Modal& modal_;
    int diskLed_ = -1; // the lamp's state as shown
    bool requestDeferred_ = false;
};

// The status byte's bits b6..b4 and b2..b0 as text digits, most significant first.
QString modeField(quint8 statusByte);
QString trafficField(quint8 statusByte);
