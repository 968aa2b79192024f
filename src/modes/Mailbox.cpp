#include "modes/Mailbox.h"

#include "base/Clock.h"
#include "base/ComponentNames.h"
#include "base/FileIo.h"
#include "base/MessageTexts.h"
#include "base/Modal.h"
#include "base/Settings.h"
#include "base/Station.h"
#include "base/View.h"
#include "link/FileSender.h"
#include "link/PortLink.h"
#include "link/StatusDisplay.h"
#include "modes/ModeSwitch.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString BackupFilter = QStringLiteral("Mailbox Backup Files (*.bac);;All Files (*)");
const QString BackupName = QStringLiteral("Mailbox.bac");

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

Mailbox::Mailbox(Station& station, Settings& settings, const MessageTexts& texts, PortLink& link,
                 StatusDisplay& status, ModeSwitch& modes, FileSender& files, View& view,
                 ReceiveView& receiveWindow, Modal& modal, Clock& clock)
    : station_(station), settings_(settings), texts_(texts), link_(link), status_(status),
      modes_(modes), files_(files), view_(view), receiveWindow_(receiveWindow), modal_(modal),
      clock_(clock)
{
}

void Mailbox::send(const char* bytes)
{
    link_.ZendNaarPtc(QByteArray(bytes));
}

void Mailbox::setMessagesOnScreen(bool on)
{
    settings_.MessagesOnScreen = on;
    view_.setChecked(Name::Sub_MenuMessagesOnScreenOn, on);
    view_.setChecked(Name::Sub_MenuMessagesOnScreenOff, !on);
}

void Mailbox::showBar(const QString& caption, Color fill)
{
    const QString bar = Name::Transmitbalk;
    view_.setCaption(bar, caption);
    view_.setColors(bar, fill, Colors::White);
    view_.redraw(bar);
}

void Mailbox::restoreBar()
{
    const bool maildrop = settings_.MaildropOn;
    status_.ZetTransmitbalkTerug();
    if (maildrop) {
        settings_.MaildropOn = true;
        showBar(texts_.Maildroptext, Colors::Red);
    }
}

// Maildrop ------------------------------------------------------------------------------

void Mailbox::MenuToggleMaildropClick()
{
    link_.StopTimers();
    const bool on = !settings_.MaildropOn;
    if (on) {
        send("\x1b"
             "REM 1\r");
        send("\x1b"
             "CM 1\r");
        send("\x1b"
             "Box 1\r");
    } else {
        send("\x1b"
             "REM 0\r");
        send("\x1b"
             "CM 0\r");
        send("\x1b"
             "Box 0\r");
    }
    settings_.MaildropOn = on;
    view_.setChecked(Name::MenuToggleMaildrop, on);
    if (on)
        showBar(texts_.Maildroptext, Colors::Red);
    else
        status_.ZetTransmitbalkTerug();
    link_.StartTimers();
}

void Mailbox::MenuMaildropCheckClick()
{
    // The menu has already flipped its check mark; the mark follows checkOn_ alone.
    view_.setChecked(Name::MenuMaildropCheck, checkOn_);
    if (checkOn_) {
        checkOn_ = false;
        if (station_.MessagesForced) {
            station_.MessagesForced = false;
            setMessagesOnScreen(false);
        }
        view_.setChecked(Name::MenuMaildropCheck, false);
        return;
    }
    // Leaving PACKET readies the controller, which would take the check straight off
    // again, and undoes forced messages: the page changes first.
    if (station_.modeIs(Mode::Packet))
        modes_.ZetTabNaar(Mode::Pactor);
    if (!settings_.MessagesOnScreen) {
        setMessagesOnScreen(true);
        station_.MessagesForced = true;
    }
    checkOn_ = true;
    view_.setChecked(Name::MenuMaildropCheck, true);
    modes_.SwitchListenOff();
    if (station_.PtcType == PtcModel::Z80)
        send("\x1b"
             "DIR\r");
    else
        send("\x1b"
             "LI\r");
}

bool Mailbox::mayStartTransfer()
{
    // The Z80 PTC has neither; one transfer at a time, and none under a file being sent.
    if (station_.PtcType == PtcModel::Z80) {
        status_.Warning(texts_.NotForZ80Text);
        return false;
    }
    if (station_.MailboxBackupRequested || station_.MailboxReloadActive || files_.sending()) {
        modal_.beep();
        return false;
    }
    return true;
}

// Backup --------------------------------------------------------------------------------

void Mailbox::MenuBackupMailboxClick()
{
    if (!mayStartTransfer())
        return;
    if (!link_.portOpen()) {
        status_.Warning(
            QStringLiteral("The mailbox cannot be backed up: the serial port is not open."));
        return;
    }
    const QString path = modal_.saveFileName(QStringLiteral("Backup Mailbox"),
                                             station_.ProgramDir + BackupName, BackupFilter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).isDir()) {
        status_.Warning(
            QStringLiteral("The mailbox backup cannot be written to %1: it is a folder.")
                .arg(native(path)));
        return;
    }
    if (QFileInfo::exists(path) && !(mayReplace && mayReplace(path)))
        return;
    // The file first: nothing goes to the controller for a file that cannot be written.
    // Unbuffered, so a full disk shows at the write that fails.
    file_.setFileName(path);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        status_.Warning(QStringLiteral("The mailbox backup cannot be written to %1: %2.")
                            .arg(native(path), file_.errorString()));
        file_.setFileName(QString());
        return;
    }
    backupBytes_ = 0;
    // The dump is system text: the window would drown in it.
    messagesBefore_ = settings_.MessagesOnScreen;
    if (settings_.MessagesOnScreen) {
        setMessagesOnScreen(false);
        station_.MessagesForced = false;
    }
    station_.MailboxBackupRequested = true;
    station_.MailboxBackupActive = false;
    station_.MailboxBackupWriting = false;
    modes_.ZetTabNaar(Mode::Dumb);
    send("BAK\r");
    view_.setCursor(Name::ReceiveWindow, CursorShape::Hourglass);
    showBar(texts_.BackupMailboxText, Colors::Blue);
    link_.WaitForData();
    send("\r"); // the key that starts the dump
    link_.WaitForData();
    lastHeard_ = clock_.tickCount();
}

void Mailbox::backupBlock(QByteArrayView bytes, bool ended)
{
    if (!station_.MailboxBackupRequested || !file_.isOpen())
        return;
    lastHeard_ = clock_.tickCount();
    if (!bytes.isEmpty()) {
        status_.DiskLed(1);
        const qint64 written = file_.write(bytes.data(), bytes.size());
        if (written > 0)
            backupBytes_ += written;
        if (written != bytes.size()) {
            QString reason = file_.errorString();
            if (reason.isEmpty() || file_.error() == QFileDevice::NoError)
                reason = QStringLiteral("only part of the dump was written (is the disk full?)");
            backupIncomplete(
                QStringLiteral("%1 cannot be written: %2").arg(native(file_.fileName()), reason));
            return;
        }
    }
    if (!ended) {
        if (station_.MailboxBackupActive)
            view_.setCursor(Name::ReceiveWindow, CursorShape::Hourglass);
        return;
    }
    closeBackup();
    twoBeeps();
    showBar(texts_.MailboxWritingText, Colors::Blue);
    clock_.sleep(WrittenNoticeMs);
    restoreBar();
    modes_.ZetTabNaar(Mode::Pactor);
}

void Mailbox::closeBackup()
{
    station_.MailboxBackupRequested = false;
    station_.MailboxBackupActive = false;
    station_.MailboxBackupWriting = false;
    if (messagesBefore_ && !station_.MessagesForced)
        setMessagesOnScreen(true);
    status_.DiskLed(0);
    file_.close();
    view_.setCursor(Name::ReceiveWindow, CursorShape::Arrow);
}

void Mailbox::backupIncomplete(const QString& reason)
{
    const QString path = file_.fileName();
    const qint64 kept = backupBytes_;
    closeBackup();
    restoreBar();
    receiveWindow_.appendLine(QStringLiteral("Mailbox backup INCOMPLETE: %1. The %2 bytes that "
                                             "arrived are kept in %3; it is not a whole backup.")
                                  .arg(reason, QString::number(kept), native(path)));
    if (link_.portOpen())
        modes_.ZetTabNaar(Mode::Pactor);
}

void Mailbox::checkBackupSilence()
{
    if (!station_.MailboxBackupRequested)
        return;
    const quint32 now = clock_.tickCount();
    // Bytes that wait while the operator reads back are no silence.
    if (link_.bytesWaiting() > 0)
        lastHeard_ = now;
    if (now - lastHeard_ >= static_cast<quint32>(BackupSilenceMs))
        backupIncomplete(
            QStringLiteral("nothing came from the PTC for %1 seconds").arg(BackupSilenceMs / 1000));
}

void Mailbox::twoBeeps()
{
    modal_.beep();
    clock_.sleep(EndBeepPauseMs);
    modal_.beep();
}

// Reload --------------------------------------------------------------------------------

void Mailbox::MenuReloadMailboxClick()
{
    if (!mayStartTransfer())
        return;
    quitSent_ = false;
    modes_.ZetPtcKlaar();
    modes_.ZetTabNaar(Mode::Pactor);
    const QString path =
        modal_.openFileName(QStringLiteral("Reload Mailbox"),
                            station_.ProgramDir + QStringLiteral("Mailbox.bac"), BackupFilter);
    if (!path.isEmpty()) {
        QString error;
        if (!QFileInfo::exists(path)) {
            status_.Warning(texts_.FileNotFoundText);
        } else if (!isRegularFile(path)) {
            status_.Warning(QStringLiteral("The mailbox cannot be reloaded from %1: it is not a "
                                           "regular file.")
                                .arg(native(path)));
        } else if (!link_.portOpen()) {
            status_.Warning(QStringLiteral("The mailbox cannot be reloaded: the serial port is "
                                           "not open."));
        } else {
            // The page first: its change sends commands the reload would take as mail.
            station_.ReloadPending = true;
            modes_.ZetTabNaar(Mode::Dumb);
            send("RELO\r");
            showBar(texts_.ReloadText, Colors::Blue);
            view_.setCursor(Name::ReceiveWindow, CursorShape::Hourglass);
            files_.SendFile(path);
        }
    }
    station_.ReloadPending = false;
    if (!link_.portOpen()) {
        // A lost port has said so; the reload's state went with it.
        view_.setCursor(Name::ReceiveWindow, CursorShape::Arrow);
        return;
    }
    if (station_.MailboxReloadActive) {
        restoreBar();
        send("+\r");
        view_.setCursor(Name::ReceiveWindow, CursorShape::Arrow);
    } else {
        restoreBar();
        if (!quitSent_)
            send("Q\r");
        link_.StartTimers();
        modes_.SwitchListenOn();
        view_.setCursor(Name::ReceiveWindow, CursorShape::Arrow);
    }
}

void Mailbox::reloadRefused()
{
    send("Q\r");
    quitSent_ = true;
    modes_.MenuPactorClick();
}

void Mailbox::reloadEnded()
{
    twoBeeps();
    station_.ReloadPending = false;
    station_.MailboxReloadActive = false;
    status_.DiskLed(0);
    modes_.ZetTabNaar(Mode::Pactor);
}

QString Mailbox::stopOnPortLoss()
{
    if (station_.MailboxBackupRequested) {
        const QString path = file_.fileName();
        const qint64 kept = backupBytes_;
        closeBackup();
        restoreBar();
        return QStringLiteral("The mailbox backup is INCOMPLETE: the %1 bytes that arrived are "
                              "kept in %2.")
            .arg(QString::number(kept), native(path));
    }
    if (station_.MailboxReloadActive || station_.ReloadPending) {
        station_.MailboxReloadActive = false;
        station_.ReloadPending = false;
        status_.DiskLed(0);
        restoreBar();
        view_.setCursor(Name::ReceiveWindow, CursorShape::Arrow);
        return QStringLiteral("The mailbox reload was cut short; the PTC's mailbox may be "
                              "incomplete.");
    }
    return QString();
}
