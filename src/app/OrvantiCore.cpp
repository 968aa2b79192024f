#include "app/OrvantiCore.h"

#include "base/Cp437.h"
#include "base/FileIo.h"
#include "base/Port.h"
#include "base/View.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace {
constexpr int StatusRequestIntervalMs = 500;
constexpr int HousekeepingIntervalMs = 713;
// While reading is held and bytes wait, the poll only has flow control to do.
constexpr int HeldPollIntervalMs = 10;
// The longest the poll keeps reading before it lets the event loop react (keys).
constexpr qint64 PollTurnMs = 1;
// The window and the panes are brought up to date at most this often: under a flood
// most text would be put into the window only to be trimmed away again before the next
// paint, and each show costs a paint. Input after a quiet spell is shown at once.
constexpr qint64 ShowIntervalMs = 50;
} // namespace

OrvantiCore::OrvantiCore(Port& port, Clock& clock, View& view, ReceiveView& receiveWindow,
                         TransmitView& transmitWindow, Modal& modal, QObject* parent)
    : QObject(parent), view_(view),
      link(port, clock, station, settings, view_, receiveWindow, transmitWindow, modal),
      status(station, settings, texts, link, view_, receiveWindow, transmitWindow, modal),
      decoder(station, settings, link, status, view_, receiveWindow),
      keys(station, link, view_, receiveWindow, transmitWindow),
      files(station, texts, link, status, keys, view_, transmitWindow, modal, clock),
      config(station, settings, link, view_, modal),
      display(station, settings, texts, link, status, view_, modal),
      modes(station, settings, texts, link, status, keys, view_, clock),
      commands(station, settings, texts, link, status, modes, view_, receiveWindow, transmitWindow,
               modal, clock),
      audio(station, settings, link, modal, clock),
      navtex(station, settings, texts, link, modes, modal),
      calling(station, settings, texts, link, status, modes, commands, navtex, view_, modal,
              cqTimer_),
      lifecycle(station, settings, texts, link, port, status, modes, commands, config, view_,
                receiveWindow, modal, clock),
      capture(station, settings, texts, link, status, view_, receiveWindow, modal),
      mailbox(station, settings, texts, link, status, modes, files, view_, receiveWindow, modal,
              clock),
      help(station, settings, texts, status), port_(port), transmitWindow_(transmitWindow)
{
    link.decodeBlock = [this] {
        decoder.V24Schryf();
        // A capture that failed in the block says so once the block is shown.
        capture.reportFailure();
    };
    // A capture that cannot write closes itself and reports; the block is still shown.
    decoder.captureWrite = [this](QByteArrayView bytes) {
        capture.write(bytes);
        return true;
    };
    config.reloadTexts = [this] { lifecycle.FormActivate(); };
    display.formResize = [this] { lifecycle.FormResize(); };
    display.holdHousekeeping = [this](bool hold) {
        if (hold)
            errorTimer_.stop();
        else if (running_)
            errorTimer_.start();
    };
    lifecycle.closeCapture = [this] { capture.MenuCloseLogFileClick(); };
    lifecycle.textsLoaded = [this] {
        capture.showCaptions();
        // The connect dialog shows the list dialog's label where a link is made.
        for (const ComponentText& text : lifecycle.windowTexts().components)
            if (text.window == QLatin1String("ListConnectForm") &&
                text.name == QLatin1String("Label1"))
                calling.listConnectLabel = text.caption;
    };
    decoder.packetMonitorClick = [this] { commands.PacketMonitorClick(); };
    status.clipboardMail = [this] { return files.ClipboardMail(); };
    keys.escapeStopsSending = [this] { return files.stopSending(); };
    files.switchToPactorPage = [this] { mailbox.reloadRefused(); };
    // Between the lines of a file the event loop turns: the poll, the status requests
    // and the operator's keys go on. While the controller holds the file with XOFF the
    // turn waits for the next event (its XON, a timer) instead of spinning.
    files.processEvents = [](bool mayWait) {
        QCoreApplication::processEvents(mayWait ? QEventLoop::WaitForMoreEvents
                                                : QEventLoop::AllEvents);
    };
    calling.sendFile = [this](const QString& path) { files.SendFile(path); };
    fillActionTable(actions, *this);
    port.onDataArrived = [this] { pollSoon(); };
    port.onPortLost = [this](const QString& reason) {
        link.reportPortLost(reason, mailbox.stopOnPortLoss());
    };
    decoder.backupBlock = [this](QByteArrayView bytes, bool ended) {
        mailbox.backupBlock(bytes, ended);
    };
    decoder.reloadEnded = [this] { mailbox.reloadEnded(); };
    mailbox.mayReplace = [this](const QString& path) { return capture.mayReplace(path); };
    modes.maildropCheckClick = [this] { mailbox.MenuMaildropCheckClick(); };

    // The poll runs only when there is work: bytes arrived, bytes still wait, or flow
    // control has an XON to send. An idle link costs nothing.
    showTimer_.setSingleShot(true);
    connect(&showTimer_, &QTimer::timeout, this, &OrvantiCore::closeShowBatch);
    receiveTimer_.setSingleShot(true);
    connect(&receiveTimer_, &QTimer::timeout, this, &OrvantiCore::receiveTick);
    statusTimer_.setInterval(StatusRequestIntervalMs);
    connect(&statusTimer_, &QTimer::timeout, this, [this] { status.StatusAanvraagTimer(); });
    errorTimer_.setInterval(HousekeepingIntervalMs);
    connect(&errorTimer_, &QTimer::timeout, this, [this] {
        status.ErrorTimer();
        calling.keepCqTimerRunning();
        mailbox.checkBackupSilence();
    });
    cqTimer_.setInterval(1000);
    connect(&cqTimer_, &QTimer::timeout, this, [this] { calling.CqTimer(); });
}

void OrvantiCore::startTimers()
{
    running_ = true;
    statusTimer_.start();
    errorTimer_.start();
    pollSoon();
}

void OrvantiCore::stopTimers()
{
    closeShowBatch();
    running_ = false;
    statusTimer_.stop();
    errorTimer_.stop();
    receiveTimer_.stop();
    cqTimer_.stop();
}

void OrvantiCore::pollSoon()
{
    if (running_ && !receiveTimer_.isActive())
        receiveTimer_.start(0);
}

void OrvantiCore::receiveTick()
{
    // Several blocks per turn of the event loop while input piles up; the turn ends
    // after a few milliseconds, so keys still go out at once under a flood. The window
    // and the panes take the blocks of several turns as one edit, shown when the input
    // stops, but no more often than every ShowIntervalMs.
    QElapsedTimer turn;
    turn.start();
    bool readSomething = false;
    bool more = false;
    openShowBatch();
    link.beginPollTurn();
    capture.holdWrites();
    do {
        link.ReceiveTimer();
        const bool read = !station.RxChunk.isEmpty();
        station.RxChunk.clear();
        readSomething = readSomething || read;
        more = read && link.bytesWaiting() > 0;
    } while (more && running_ && turn.elapsed() < PollTurnMs);
    link.endPollTurn();
    capture.releaseWrites();
    capture.reportFailure();
    status.DiskLed(0);
    const bool held = station.ReceiveHold || station.ScrollBack || station.MenuHold;
    const qint64 sinceShow = sinceShow_.isValid() ? sinceShow_.elapsed() : ShowIntervalMs;
    if (held || !running_ || sinceShow >= ShowIntervalMs)
        closeShowBatch();
    else if (!more && !showTimer_.isActive())
        showTimer_.start(static_cast<int>(ShowIntervalMs - sinceShow));
    if (readSomething)
        status.sendDeferredRequest();
    if (running_ && (readSomething || station.XoffSent || link.bytesWaiting() > 0))
        receiveTimer_.start(held ? HeldPollIntervalMs : 0);
}

void OrvantiCore::openShowBatch()
{
    if (showBatchOpen_)
        return;
    showBatchOpen_ = true;
    view_.hold();
    link.beginReceiveBatch();
}

void OrvantiCore::closeShowBatch()
{
    if (!showBatchOpen_)
        return;
    showBatchOpen_ = false;
    showTimer_.stop();
    sinceShow_.start();
    link.endReceiveBatch();
    view_.release();
}
