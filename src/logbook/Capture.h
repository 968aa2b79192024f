#pragma once

// The capture file: every byte the receive decoder passes along its display path is
// appended to a file the operator chose, from "Open Log File" to "Close Log File".
// Also "Save B.", which writes the receive window's text to a file once.
//
// Every file operation is checked. A capture that can no longer be written closes
// itself and says so once, after the block that failed; what was written stays.

#include "logbook/BackgroundWriter.h"
#include "logbook/FileExists.h"

#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <QTime>
#include <functional>

class Modal;
class PortLink;
class ReceiveView;
class StatusDisplay;
class View;
struct MessageTexts;
struct Settings;
struct Station;

class Capture {
public:
    Capture(Station& station, Settings& settings, const MessageTexts& texts, PortLink& link,
            StatusDisplay& status, View& view, ReceiveView& receiveWindow, Modal& modal);

    // The time of day in UTC that stamps captured lines.
    std::function<QTime()> utcTime;
    // Starts a program without arguments and without waiting; false when it did not start.
    std::function<bool(const QString& program)> startProgram;

    // File > "Open Log File"; the file dialog starts on "Orvanti.log".
    void MenuOpenLogFileClick();
    // File > "Close Log File": only while a capture is open.
    void MenuCloseLogFileClick();
    // The "Open Log" button and its pop-up item: closes an open capture, opens one
    // otherwise.
    void OpenLogFileClick();
    // Configuration > "Time-stamped Log": each captured line starts with "HH:MM:SS ".
    void MenuCaptureTimestampsClick();

    // File > "Edit a file": starts the operator's editor; a mail it leaves on the
    // clipboard is then taken into the mailbox.
    void MenuEditaFileClick();
    // Configuration > "Install Editor": picks the editor program.
    void MenuInstallEditorClick();

    // The decoder's capture hook: appends `bytes` as they are. False when they could not
    // be written; the capture is closed then and the reason waits for reportFailure().
    bool write(QByteArrayView bytes);
    // Between these two, the blocks of one poll turn are gathered and handed together to
    // the background writer at its end (a flood brings hundreds of blocks a turn; one
    // write each would cost more than the decoding). Closing the capture writes what is
    // held and waits for the writer first.
    void holdWrites() { holding_ = true; }
    void releaseWrites();
    // Closes the capture when the background writer failed, and tells the operator why
    // the capture closed itself, once; called after each poll turn.
    void reportFailure();
    // Waits until everything handed over is on disk; false when writing failed (the
    // capture is closed then, and the reason waits for reportFailure()).
    bool flush();

    // "Save B." and "Save Receive Buffer": the receive window's text, one line per
    // window line ended by CR LF, in the controller's code page.
    void SaveBufferClick();

    // Asks whether the existing file `path` may be replaced: the file-exists dialog with
    // Delete and Cancel only (the mailbox backup asks it too). True for Delete.
    bool mayReplace(const QString& path);

    // The question TFileBestaatForm shows and answers.
    FileExistsQuestion fileExists;

    QString capturePath() const { return file_.fileName(); }
    // The log button, pop-up item and lamp as the capture stands, in the language's texts.
    void showCaptions();

private:
    bool open(const QString& path, bool append);
    FileExistsQuestion::Answer ask(const QString& path, bool appendAllowed);
    bool stillOurFile() const;
    // Appends `bytes` to the file and waits for it; on a failure closes the capture and
    // keeps why.
    bool writeNow(QByteArrayView bytes);
    // Closes the capture after a failed write and keeps the message for reportFailure().
    void fail(const QString& reason);

    Station& station_;
    Settings& settings_;
    const MessageTexts& texts_;
    PortLink& link_;
    StatusDisplay& status_;
    View& view_;
    ReceiveView& receiveWindow_;
    Modal& modal_;
    QFile file_;
    bool stampDue_ = true; // the next captured byte starts a line
    QString failure_;      // why the capture closed itself, not yet told
    bool holding_ = false;
    QByteArray held_;        // bytes of this poll turn not yet written
    qsizetype heldRoom_ = 0; // the size of the last turn's batch, reserved for the next
    BackgroundWriter writer_{file_, [this] { return stillOurFile(); }}; // after file_
};
