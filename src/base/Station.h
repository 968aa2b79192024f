#pragma once

// The main window's shared state: what the controller is doing, the hold flags that
// gate the poll loop, and the fields of the current contact. Owned by OrvantiCore and
// handed by reference to the subsystem objects.

#include <QByteArray>
#include <QString>

// The operating mode, in the order of the mode pages: a page's index is its mode's.
enum class Mode : quint8 { Pactor, Amtor, Packet, Rtty, Cw, Audio, Psk31, Navtex, Dumb };

// What the status bar shows for a mode.
inline QString modeText(Mode mode)
{
    static const char* const texts[] = {"PACTOR", "AMTOR", "PACKET", "RTTY", "CW",
                                        "AUDIO",  "PSK31", "NAVTEX", "DUMB"};
    return QLatin1String(texts[static_cast<int>(mode)]);
}

// The controller model, oldest first: later models can do more, so they compare above.
enum class PtcModel : quint8 { Unknown = 0, Z80, Plus, IIe, II, IIpro };

struct Station {
    QString ProgramDir; // the working directory at start, with a trailing separator
    bool FormReady = false;
    bool BiosMode = false;

    Mode ModeId = Mode::Pactor;
    bool modeIs(Mode mode) const { return ModeId == mode; }
    PtcModel PtcType = PtcModel::Unknown;
    QString TrafficState;
    bool Connected = false;
    bool Transmitting = false;
    bool DumbMode = false;
    bool MailboxBackupRequested = false;
    bool MailboxBackupActive = false;
    bool MailboxBackupWriting = false; // the dump's first "#" came: its bytes go to the file
    bool MailboxReloadActive = false;
    int LastPageIndex = 0; // the page the last accepted page change selected
    int PageIndex = 0;     // the page PageControl shows

    // Poll-loop gates (see PortLink).
    bool ReceiveHold = false;
    bool ScrollBack = false;
    bool MenuHold = false;
    bool DecoderBusy = false;
    bool XoffSent = false;
    bool XoffReceived = false;

    // The block read in the current poll and its length.
    QByteArray RxChunk;
    quint16 RxCount = 0;
    quint8 TextClass = 0;
    bool RxWrapPending = false; // a receive-side line break is due before the next byte

    // The last status reply and what it said.
    quint8 StatusByte = 0;
    QString ModeText;
    QString TrafficText;

    // Sub-states the status line shows.
    QString PskSubMode;
    bool SquelchOn = false;
    bool CwRxAuto = false;
    QString AudioFilterName = QStringLiteral("THROUGH");
    QString PacketState = QStringLiteral("MONITOR");
    QString PacketPortName = QStringLiteral("Port 1");
    bool AutoCqRunning = false;
    quint8 AutoCqCount = 0;

    // Sending files and prepared texts, and calling CQ.
    bool AbortRequested = false;     // Escape during a file: stop after the current line
    bool CqSending = false;          // the file going out is a CQ text
    bool ReloadPending = false;      // the next file sent is a mailbox backup to reload
    bool ClipboardMailArmed = false; // the next clipboard text starting "mail" is a mail
    bool AutoCqOn = false;           // the automatic-CQ dialog's "On"
    quint8 AutoCqDelay = 30;         // seconds between automatic CQ calls
    quint8 AutoCqRepeat = 3;         // the dialog's repeat count
    QString LastCalled;              // offered by the connect dialog

    // NAVTEX/AMTEX reception: the last answer to the number-of-files question, offered
    // again next time. The reception flags themselves are settings (Navtex/Amtex).
    QString NavtexFiles;

    // Scroll-back: the furthest receive-window scroll position seen since the last trim,
    // clear or resize, and the one seen at the previous check.
    int ScrollMaxPos = 0;
    int LastScrollPos = 0;
    bool FontChanged = false; // the receive font changed; ScrollMaxPos may be too high
    bool LogbookSelecting = false;

    // Display switches that are not settings.
    bool MessagesForced = false;
    bool DuplexOn = false;
    bool CaptureOn = false;

    // Contact fields; MyCallField is the main window's own-call field.
    QString MyCallField;
    QString HisCall;
    QString HisName;

    // Keyboard.
    bool ConvMode = false;
    bool WordOut = false;
    QByteArray TypeAhead;

    // Mode settings last sent, and mode switches that no mode change resets.
    quint8 CwWeight = 50;
    quint8 TrValue = 0; // 0..3, the RTTY/AMTOR "TR" value
    QString RttyBaudText = QStringLiteral("45");
    bool Pactor3On = false;
    quint8 AudioFilter = 4; // 1 CW filter, 2 notch, 3 peak, 4 none
    // Whether the controller is in its audio mode (the audio dialog's tag): 1 after a
    // switch to AUDIO, 0 at start and after a switch to CW.
    quint8 AudioModeTag = 0;

    // Answers to the position queries at start.
    QByteArray PositionText;
    QByteArray NmeaText;

    // Whether the receive window may still be shown the controller's early output
    // (the first layout does this once).
    bool FirstLayoutDone = false;
};
