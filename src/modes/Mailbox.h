#pragma once

// The controller's own mailbox: maildrop on and off, the mailbox listing ("Maildrop
// Check"), a backup of the whole mailbox into a file and its reload into the
// controller. Both transfers run on the dumb terminal page: the backup's dump is picked
// out of the received stream by the decoder and written here to a file of its own (a
// capture that is open goes on untouched); the reload is a file transmission whose
// lines go out exactly as they are in the file.
//
// A backup that hears nothing for a minute, a file that cannot be written and a port
// that goes away each end the transfer: the file is closed, what arrived is kept, the
// operator is told it is incomplete, and the program is usable again.

#include "base/Color.h"

#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <functional>

class Clock;
class FileSender;
class Modal;
class ModeSwitch;
class PortLink;
class ReceiveView;
class StatusDisplay;
class View;
struct MessageTexts;
struct Settings;
struct Station;

class Mailbox {
public:
    Mailbox(Station& station, Settings& settings, const MessageTexts& texts, PortLink& link,
            StatusDisplay& status, ModeSwitch& modes, FileSender& files, View& view,
            ReceiveView& receiveWindow, Modal& modal, Clock& clock);

    // The MailBox menu.
    void MenuToggleMaildropClick();
    void MenuMaildropCheckClick();
    void MenuBackupMailboxClick();
    void MenuReloadMailboxClick();

    // The decoder's hooks: a block received during a backup (the dump's bytes for the
    // file and whether its BEL came), and the controller's prompt after a reload.
    void backupBlock(QByteArrayView bytes, bool ended);
    void reloadEnded();
    // The reload's file is no backup: the controller leaves its reload ("Q" CR) before
    // the page changes, or it would take the page's commands for mail.
    void reloadRefused();
    // The housekeeping timer: a backup that heard nothing for BackupSilenceMs ends.
    void checkBackupSilence();
    // The port went away: ends a transfer that runs; what to tell the operator about
    // it, empty when none ran.
    QString stopOnPortLoss();

    // Asks whether the existing file `path` may be replaced (the file-exists dialog with
    // Delete and Cancel only); true for Delete.
    std::function<bool(const QString& path)> mayReplace;

    QString backupPath() const { return file_.fileName(); }

    static constexpr int BackupSilenceMs = 60000;
    static constexpr int EndBeepPauseMs = 500;
    static constexpr int WrittenNoticeMs = 2000;

private:
    // False, with a warning or a beep, when a backup or reload may not start now.
    bool mayStartTransfer();
    void send(const char* bytes);
    void setMessagesOnScreen(bool on);
    void showBar(const QString& caption, Color fill);
    // The transmit bar as it was, the maildrop text on it while maildrop is on.
    void restoreBar();
    // Clears the backup's state and closes its file; the file stays as it is.
    void closeBackup();
    void backupIncomplete(const QString& reason);
    void twoBeeps();

    Station& station_;
    Settings& settings_;
    const MessageTexts& texts_;
    PortLink& link_;
    StatusDisplay& status_;
    ModeSwitch& modes_;
    FileSender& files_;
    View& view_;
    ReceiveView& receiveWindow_;
    Modal& modal_;
    Clock& clock_;
    QFile file_;
    qint64 backupBytes_ = 0;      // written to the backup file so far
    quint32 lastHeard_ = 0;       // tick count of the last sign of the dump
    bool messagesBefore_ = false; // MessagesOnScreen when the backup started
    bool checkOn_ = false;        // "Maildrop Check" is on
    bool quitSent_ = false;       // the reload was left with "Q" CR
};
