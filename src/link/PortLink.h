#pragma once

// The main window's side of the serial link: it opens the port, sends every byte that
// goes to the controller (commands and typed text alike) through ZendNaarPtc, drains
// the controller's answers after commands, and polls the port, throttling the
// controller with XOFF when the program falls behind.
//
// Data flow: port -> LeesV24Poort -> Station::RxChunk -> decodeBlock (V24Schryf).
// Reading and decoding pause while ReceiveHold, ScrollBack or MenuHold is set; flow
// control and the input indicator keep running meanwhile.

#include "link/WordWrap.h"

#include <QByteArray>
#include <QString>
#include <functional>

class Clock;
class Modal;
class Port;
class ReceiveView;
class TransmitView;
class View;
struct Settings;
struct Station;

class PortLink {
public:
    PortLink(Port& port, Clock& clock, Station& station, Settings& settings, View& view,
             ReceiveView& receiveWindow, TransmitView& transmitWindow, Modal& modal);

    // "Open port": configures and opens the port named `portName` ("COM1".."COM6" or a
    // device path), greets the controller and reports in the receive window.
    void OpenPoort(const QString& portName);
    // "Send to the PTC": each byte as it stands, adding only the CR of a due wrap.
    void ZendNaarPtc(const QByteArray& text);
    // Mailbox text: the bytes exactly as given, in one write, without the word wrap's
    // CRs. A line ending in CR leaves the wrap column at its start.
    void sendAsIs(const QByteArray& text);
    // "Dummy read": waits 200 ms, reads what is waiting, recognises the controller.
    void DummiRead();
    // Reads everything waiting (within reason) and returns the last block read, which
    // also becomes DrainText; empty when nothing was waiting.
    QByteArray readLastBlock();
    // Waits up to about 200 ms for a byte; returns the number waiting.
    int WaitForData();
    // "Read the V24 (serial) port": one read into Station::RxChunk.
    void LeesV24Poort();
    // The Receive timer's work: flow control, the input lamp, then read and decode.
    void ReceiveTimer();
    void StopTimers();
    void StartTimers();
    // A main menu title opened: the receive display holds until the operator acts.
    void MainmenuFileClick();
    // "Scroll to the end" of the receive window, leaving read-back.
    void ScrollNaarEnd();
    // "Restore the receive window", back from the logbook: the receive window to its end (unless
    // the logbook is on) and the keyboard to the transmit window.
    void HerstelReceiveWindow();

    // The device went away while open: say so once in the receive window, with
    // `consequence` (what it cut short) after the reason.
    void reportPortLost(const QString& reason, const QString& consequence = QString());

    int bytesWaiting();
    // False once the port is closed (it went away, or never opened).
    bool portOpen() const;
    // Discards what waits in both directions of the port.
    void purge();
    // The XON/XOFF lamp: "XOff" in red or "XOn" in lime.
    void showXonLed(bool xoff);
    // Brackets several polls whose text the receive window takes as one edit.
    void beginReceiveBatch();
    void endReceiveBatch();
    // Brackets the polls of one turn of the event loop's poll, where an XON waits a
    // few milliseconds after its XOFF.
    void beginPollTurn();
    void endPollTurn();
    bool inPollTurn() const { return inPollTurn_; }
    // The port could not be opened at start.
    bool portError() const;
    // Restart both word-wrap columns (the window was resized).
    void resetWrapColumns();

    QByteArray DrainText; // the last block DummiRead read
    quint8 TxColumn = 0;
    quint8 RxColumn = 0;
    bool TxWrapPending = false;
    bool TxWrapped = false;

    // Decodes Station::RxChunk (the receive decoder's V24Schryf).
    std::function<void()> decodeBlock;

private:
    void showInputIndicator(int waiting);

    Port& port_;
    Clock& clock_;
    Station& station_;
    Settings& settings_;
    View& view_;
    ReceiveView& receiveWindow_;
    TransmitView& transmitWindow_;
    Modal& modal_;
    int shownWaiting_ = -1; // what Pane7 shows, to repaint only on change
    bool inPollTurn_ = false;
    quint32 xoffAt_ = 0; // when the last XOFF went out (tick count)
};
