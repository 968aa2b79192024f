#include "app/OrvantiCore.h"

#include "base/Port.h"

#include <QElapsedTimer>

namespace {
constexpr int StatusRequestIntervalMs = 500;
constexpr int HousekeepingIntervalMs = 713;
// While reading is held and bytes wait, the poll only has flow control to do.
constexpr int HeldPollIntervalMs = 10;
// The longest the poll keeps reading before it lets the event loop paint and react.
constexpr qint64 PollTurnMs = 25;
} // namespace

OrvantiCore::OrvantiCore(Port& port, Clock& clock, View& view, ReceiveView& receiveWindow,
                         TransmitView& transmitWindow, Modal& modal, QObject* parent)
    : QObject(parent),
      link(port, clock, station, settings, view, receiveWindow, transmitWindow, modal),
      status(station, settings, texts, link, view, receiveWindow, transmitWindow, modal),
      decoder(station, settings, link, status, view, receiveWindow),
      keys(station, link, view, receiveWindow, transmitWindow),
      config(station, settings, link, view, modal),
      modes(station, settings, texts, link, status, keys, view, clock),
      commands(station, settings, texts, link, status, modes, view, receiveWindow, transmitWindow,
               modal, clock),
      audio(station, settings, link, modal, clock),
      lifecycle(station, settings, texts, link, port, status, modes, commands, config, view,
                receiveWindow, modal, clock),
      port_(port)
{
    link.decodeBlock = [this] { decoder.V24Schryf(); };
    config.reloadTexts = [this] { lifecycle.FormActivate(); };
    decoder.packetMonitorClick = [this] { commands.PacketMonitorClick(); };
    fillActionTable(actions, *this);
    port.onDataArrived = [this] { pollSoon(); };
    port.onPortLost = [this](const QString& reason) { link.reportPortLost(reason); };

    // The poll runs only when there is work: bytes arrived, bytes still wait, or flow
    // control has an XON to send. An idle link costs nothing.
    receiveTimer_.setSingleShot(true);
    connect(&receiveTimer_, &QTimer::timeout, this, &OrvantiCore::receiveTick);
    statusTimer_.setInterval(StatusRequestIntervalMs);
    connect(&statusTimer_, &QTimer::timeout, this, [this] { status.StatusAanvraagTimer(); });
    errorTimer_.setInterval(HousekeepingIntervalMs);
    connect(&errorTimer_, &QTimer::timeout, this, [this] { status.ErrorTimer(); });
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
    running_ = false;
    statusTimer_.stop();
    errorTimer_.stop();
    receiveTimer_.stop();
}

void OrvantiCore::pollSoon()
{
    if (running_ && !receiveTimer_.isActive())
        receiveTimer_.start(0);
}

void OrvantiCore::receiveTick()
{
    // Several blocks per turn of the event loop while input piles up, so the window is
    // painted once for many blocks instead of after each one; the turn ends after a
    // few milliseconds, so the window stays responsive under a flood.
    QElapsedTimer turn;
    turn.start();
    bool readSomething = false;
    bool more = false;
    link.beginReceiveBatch();
    do {
        link.ReceiveTimer();
        const bool read = !station.RxChunk.isEmpty();
        station.RxChunk.clear();
        readSomething = readSomething || read;
        more = read && link.bytesWaiting() > 0;
    } while (more && running_ && turn.elapsed() < PollTurnMs);
    link.endReceiveBatch();
    if (readSomething)
        status.sendDeferredRequest();
    const bool held = station.ReceiveHold || station.ScrollBack || station.MenuHold;
    if (running_ && (readSomething || station.XoffSent || link.bytesWaiting() > 0))
        receiveTimer_.start(held ? HeldPollIntervalMs : 0);
}
