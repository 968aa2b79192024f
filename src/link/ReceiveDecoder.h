#pragma once

// V24Schryf: decodes the block the poll loop read (Station::RxChunk). The controller's
// stream mixes four text classes, marked by the codes 1 to 4, with status replies (30
// and a status byte). Each text byte is counted for the word wrap, copied to the
// capture file when one is open, and shown in its class's colour when that class is
// shown. A handful of controller messages set mode state (the mode hooks).
//
// Runs of bytes that land in the window in one colour are inserted at once; what the
// window shows, the capture and the hooks are the same as inserting byte by byte.

#include "base/Color.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>
#include <vector>

class PortLink;
class ReceiveView;
class StatusDisplay;
class View;
struct Settings;
struct Station;

class ReceiveDecoder {
public:
    ReceiveDecoder(Station& station, Settings& settings, PortLink& link, StatusDisplay& status,
                   View& view, ReceiveView& receiveWindow);

    // "Write the V24 (serial) data": decodes the block into the receive window.
    void V24Schryf();

    // Takes the bytes bound for the capture file while Station::CaptureOn is set;
    // false when they could not be written (decoding of the block then stops).
    std::function<bool(QByteArrayView bytes)> captureWrite;
    // The packet monitor switch, run when a packet link comes up or goes down.
    std::function<void()> packetMonitorClick;
    // A mailbox backup, once per block while one is requested in the dumb terminal:
    // the dump's bytes for the backup file (from its first "#" on; often none) and
    // whether the BEL that closes the dump came in this block.
    std::function<void(QByteArrayView bytes, bool ended)> backupBlock;
    // A mailbox reload ended: the controller's "*** STBY" and then its prompt's ">".
    std::function<void()> reloadEnded;

private:
    void showByte(quint8 b);
    // Takes a stretch of plain text from `bytes` at once; returns how many bytes it
    // took, 0 when the first needs showByte.
    qsizetype showPlainRun(const char* bytes, qsizetype available);
    void statusCode(qsizetype i, qsizetype n, const QByteArray& block);
    void backspace();
    void trim();
    int hardLimit() const;
    // Hands the run collected so far to the window, and the captured bytes to the
    // capture at the block's end; false when the capture failed.
    bool flush(bool blockEnd = false);
    enum class HookResult { Continue, EndBlock };
    HookResult runModeHooks(const QByteArray& block);
    void scanForHooks(const QByteArray& block);
    // The mailbox transfers read the block apart from the display, which may take it
    // in runs. The backup's bytes as the display path takes them; true when the dump's
    // closing BEL came.
    bool scanBackup(const QByteArray& block);
    // True when the reload's "*** STBY" has come and then a ">".
    bool scanReloadEnd(const QByteArray& block);
    Color classColor(quint8 textClass) const;
    bool classShown(quint8 textClass) const;

    Station& station_;
    Settings& settings_;
    PortLink& link_;
    StatusDisplay& status_;
    View& view_;
    ReceiveView& receiveWindow_;

    Color caretColor_ = 0; // the colour new text at the caret takes
    QString run_;          // shown text not yet in the window, in runColor_
    Color runColor_ = 0;
    // Captured bytes of the block not yet written. Every captured byte stands for a
    // byte of the block, so room for the block is made once at its start and the
    // bytes go in without further checks (a flood brings millions of short runs).
    std::vector<char> captureBuffer_;
    qsizetype captured_ = 0;
    int windowLength_ = 0;  // the window's length including run_
    bool hooksDue_ = false; // state the hooks set may have changed since they last ran
    // What the hooks look for in the block, found at their first run in it.
    struct HookFindings {
        bool scanned = false;
        bool packetConnected = false;
        bool packetDisconnected = false;
        bool cwDelayed = false;
        bool cwImmediate = false;
        bool cwFixSpeed = false;
        bool cwAutoSpeed = false;
        bool pskSquelch = false;
        bool pskDbpsk = false;
        bool pskDqpsk = false;
        bool pskInverted = false;
        bool pactorConnected = false;
        QString pactorCall;
    } findings_;
    bool captureFailed_ = false;
    // The end of the previous block, where a banner or "*** STBY" may have begun.
    QByteArray mailboxTail_;
    QByteArray backupRun_;       // this block's bytes for the backup file
    bool stbySeen_ = false;      // a reload's "*** STBY" came; its prompt ends the reload
    bool classFromMode_ = false; // PACKET and PSK31 carry no class codes
    int hardLimit_ = 0;
};

// The German letters the controller sends as 14, 15, 16, 20, 21, 22, 23, as their
// code-page-437 bytes; 0 for any other byte.
quint8 germanLetter(quint8 b);
