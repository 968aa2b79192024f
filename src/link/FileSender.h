#pragma once

// Sending a text file or one of the nine prepared texts ("Orvanti.tx1".."Orvanti.tx9"
// in the station folder) line by line, with the %% macros replaced, and the clipboard
// mail that goes straight into the controller's mailbox. The CQ buttons and the
// mailbox reload send their files through SendFile too.
//
// A transmission runs inside the handler that started it; between lines the event
// loop turns (through processEvents), so the poll, the status requests and the
// operator's "Stop sending" go on. The file is read in pieces, so its size does not
// matter.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>

class Clock;
class Modal;
class PortLink;
class StatusDisplay;
class TransmitKeys;
class TransmitView;
class View;
struct MacroContext;
struct MessageTexts;
struct Station;

class FileSender {
public:
    FileSender(Station& station, const MessageTexts& texts, PortLink& link, StatusDisplay& status,
               TransmitKeys& keys, View& view, TransmitView& transmitWindow, Modal& modal,
               Clock& clock);

    // May a file go out now? Says why not when it may not.
    bool FileTransmitAllowed();
    void SendFile(const QString& path);
    // Prepared text `number` (1..9).
    void TransmitTextFile(int number);
    // "Transmit Text &File": a file chosen in the file dialog.
    void MenuTransmitFileClick();
    // "Transmit Text 1".."Transmit Text 9".
    void MenuTransmitTextClick(int number);
    // "Stop sending" (Escape): the transmission ends after the line going out.
    void MenuStopSendingClick();
    // Escape during a transmission: the same; false when nothing is going out.
    bool stopSending();
    // The status timer's clipboard mail: sends the clipboard's text as a mail when it
    // was armed and the text is one. True when a mail went out (the status request
    // then waits for the next tick).
    bool ClipboardMail();

    bool sending() const { return sending_; }

    // Turns the event loop once; `mayWait` while the controller holds the
    // transmission with XOFF, so the wait costs no processor time.
    std::function<void(bool mayWait)> processEvents;
    // A mailbox reload of a file that is not a backup: the controller leaves its reload
    // and the window goes back to the PACTOR page.
    std::function<void()> switchToPactorPage;
    // The date and time the %%DAT and %%TIM macros give.
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };

    static QString preparedTextName(int number);

private:
    void sendLine(const QByteArray& line, bool complete, bool reload);
    bool echoes(bool reload) const;
    void showProgress(const QString& fileName, int percent);
    void endAutoCqRound();
    void endTransmission();
    MacroContext macroContext() const;
    bool maildropCheckOn() const;

    Station& station_;
    const MessageTexts& texts_;
    PortLink& link_;
    StatusDisplay& status_;
    TransmitKeys& keys_;
    View& view_;
    TransmitView& transmitWindow_;
    Modal& modal_;
    Clock& clock_;
    bool sending_ = false;
    qsizetype echoed_ = 0; // about how many characters the transmit window holds
    int shownPercent_ = -1;
};

// A file's bytes as they go on the wire: NUL and the other control characters but
// the tab are dropped (to the controller they are commands: Ctrl-D ends a link, ESC
// starts a command, XON/XOFF steer the flow; %%ASC is the way to send one on
// purpose). A line that is valid UTF-8 with letters beyond ASCII (what editors on
// this platform write) goes out as code page 437, unknown letters as '?'; any other
// byte is already a code-page-437 character and stays.
QByteArray wireText(const QByteArray& line);

// A mailbox backup's line as it goes back into the controller: every byte as it is but
// the control codes, which a backup does not hold.
QByteArray reloadText(const QByteArray& line);
