#include "link/PortLink.h"

#include "base/Clock.h"
#include "base/ComponentNames.h"
#include "base/Modal.h"
#include "base/Port.h"
#include "base/Settings.h"
#include "base/Station.h"
#include "base/View.h"
#include "link/SignOn.h"

namespace {

constexpr char Xon = 17;
constexpr char Xoff = 19;
constexpr int XoffThreshold = 1000;
// Within a poll turn the controller, once stopped, stays stopped this long: the turn
// reads a backlog in a millisecond, and XOFF and XON would otherwise alternate
// faster than the controller can act on them.
constexpr quint32 XonHoldMs = 3;
constexpr int DrainPauseMs = 200;
constexpr int WaitForDataTries = 201;
// A controller that never stops talking must not keep a drain going for ever.
constexpr int MaxDrainReads = 256;
// Made once: the input indicator changes with nearly every read while data flows.
const QString Pane7 = Name::Pane7;
const QString V24DataLed = Name::V24DataLed;

} // namespace

PortLink::PortLink(Port& port, Clock& clock, Station& station, Settings& settings, View& view,
                   ReceiveView& receiveWindow, TransmitView& transmitWindow, Modal& modal)
    : port_(port), clock_(clock), station_(station), settings_(settings), view_(view),
      receiveWindow_(receiveWindow), transmitWindow_(transmitWindow), modal_(modal)
{
}

void PortLink::OpenPoort(const QString& portName)
{
    int number = 0;
    if (parseComPortName(portName, &number))
        port_.setComPort(static_cast<quint8>(number - 1));
    else
        port_.setDevicePath(portName);
    BaudRate speed{};
    if (baudRateFromValue(settings_.ComBaudRate, &speed))
        port_.setComPortSpeed(speed);

    if (!port_.OpenPort()) {
        receiveWindow_.appendLine(QStringLiteral("Serial Port not found !\r\n"
                                                 "Use the Configuration Menu\r\n"
                                                 "or change Com Port in ini file,\r\n"
                                                 "and RESTART Orvanti !"));
        receiveWindow_.appendLine(port_.openFailureReason());
        return;
    }
    ZendNaarPtc(QByteArray(1, '\r'));
    DummiRead();
    if (!DrainText.isEmpty()) {
        receiveWindow_.appendLine(QStringLiteral("Serial Port Ok"));
    } else {
        receiveWindow_.setFontColor(Colors::Red);
        receiveWindow_.appendLine(QStringLiteral("ERROR !"));
        receiveWindow_.appendLine(QString());
        receiveWindow_.appendLine(
            QStringLiteral("PTC not switched on or\r\nserial cable not connected !"));
    }
}

void PortLink::ZendNaarPtc(const QByteArray& text)
{
    const WrapLimits limits{settings_.WrapMin, settings_.WrapMax};
    for (char c : text) {
        const auto b = static_cast<quint8>(c);
        if (BepaalAantalKarakters(WrapDirection::Transmitted, b, TxColumn, limits))
            TxWrapPending = true;
        port_.WriteText(QByteArray(1, c));
        if (TxWrapPending) {
            transmitWindow_.appendLine(QString());
            port_.WriteText(QByteArray(1, '\r'));
            TxWrapPending = false;
            TxWrapped = true;
        }
    }
}

QByteArray PortLink::readLastBlock()
{
    QByteArray last;
    for (int reads = 0; reads < MaxDrainReads && port_.BytesWaiting() > 0; ++reads) {
        QByteArray block;
        quint16 count = 0;
        port_.ReadText(block, count);
        if (block.isEmpty())
            break;
        last = block;
    }
    if (!last.isEmpty())
        DrainText = last;
    return last;
}

void PortLink::sendAsIs(const QByteArray& text)
{
    if (text.isEmpty())
        return;
    port_.WriteText(text);
    if (text.endsWith('\r'))
        TxColumn = 0;
}

void PortLink::DummiRead()
{
    clock_.sleep(DrainPauseMs);
    readLastBlock();
    const SignOnFindings found = recogniseSignOn(DrainText);
    if (found.biosMode)
        station_.BiosMode = true;
    if (found.ptcType != PtcModel::Unknown)
        station_.PtcType = found.ptcType;
    if (found.port2Absent)
        view_.setVisible(Name::PacketPort2, false);
    StartTimers();
}

int PortLink::WaitForData()
{
    int waiting = port_.BytesWaiting();
    if (waiting > 0)
        return waiting;
    for (int i = 0; i < WaitForDataTries; ++i) {
        clock_.sleep(1);
        waiting = port_.BytesWaiting();
        if (waiting >= 1)
            return waiting;
    }
    return waiting;
}

void PortLink::LeesV24Poort()
{
    station_.RxChunk.clear();
    if (port_.BytesWaiting() > 0)
        port_.ReadText(station_.RxChunk, station_.RxCount);
    if (station_.RxChunk.contains(Xoff)) {
        station_.XoffReceived = true;
        modal_.beep();
        showXonLed(true);
    }
    if (station_.RxChunk.contains(Xon)) {
        station_.XoffReceived = false;
        showXonLed(false);
    }
}

void PortLink::showXonLed(bool xoff)
{
    const QString led = Name::XOnLed;
    view_.setCaption(led, xoff ? QStringLiteral("XOff") : QStringLiteral("XOn"));
    view_.setLamp(led, xoff);
    view_.redraw(led);
}

void PortLink::ReceiveTimer()
{
    int waiting = port_.BytesWaiting();
    if (waiting > XoffThreshold && !station_.XoffSent) {
        ZendNaarPtc(QByteArray(1, Xoff));
        station_.XoffSent = true;
        xoffAt_ = clock_.tickCount();
    } else if (waiting <= XoffThreshold && station_.XoffSent &&
               (!inPollTurn_ || clock_.tickCount() - xoffAt_ >= XonHoldMs)) {
        ZendNaarPtc(QByteArray(1, Xon));
        station_.XoffSent = false;
    }

    showInputIndicator(port_.BytesWaiting());

    if (!station_.ScrollBack && !station_.ReceiveHold && !station_.MenuHold) {
        LeesV24Poort();
        if (decodeBlock)
            decodeBlock();
    }
}

void PortLink::showInputIndicator(int waiting)
{
    // Fewer than 4 bytes all read as empty.
    const int shown = waiting < 4 ? 0 : waiting;
    if (shown == shownWaiting_)
        return;
    shownWaiting_ = shown;
    view_.setCaption(Pane7, shown == 0 ? QStringLiteral("Data buf. 0")
                                       : QStringLiteral("Data buf.:") + QString::number(shown));
    view_.setLamp(V24DataLed, shown != 0);
    view_.redraw(Pane7);
    view_.redraw(V24DataLed);
}

void PortLink::purge()
{
    port_.Purge(true, true);
}

void PortLink::StopTimers()
{
    station_.ReceiveHold = true;
}

void PortLink::StartTimers()
{
    station_.ReceiveHold = false;
}

void PortLink::MainmenuFileClick()
{
    receiveWindow_.freezeCopy();
    station_.MenuHold = true;
    ScrollNaarEnd();
}

void PortLink::ScrollNaarEnd()
{
    receiveWindow_.scrollToEnd();
    station_.ScrollBack = false;
}

void PortLink::HerstelReceiveWindow()
{
    if (!settings_.LogBookOn)
        receiveWindow_.scrollToEnd();
    view_.setFocus(Name::TransmitWindow);
}

void PortLink::reportPortLost(const QString& reason, const QString& consequence)
{
    QString line = QStringLiteral("Serial Port lost: %1. ").arg(reason);
    if (!consequence.isEmpty())
        line += consequence + QLatin1Char(' ');
    receiveWindow_.appendLine(
        line + QStringLiteral("The port is closed; reconnect the PTC and RESTART Orvanti !"));
}

void PortLink::beginPollTurn()
{
    inPollTurn_ = true;
}

void PortLink::endPollTurn()
{
    inPollTurn_ = false;
}

void PortLink::beginReceiveBatch()
{
    receiveWindow_.beginBlock();
}

void PortLink::endReceiveBatch()
{
    receiveWindow_.endBlock();
}

int PortLink::bytesWaiting()
{
    return port_.BytesWaiting();
}

bool PortLink::portOpen() const
{
    return port_.IsOpen();
}

bool PortLink::portError() const
{
    return port_.PortError();
}

void PortLink::resetWrapColumns()
{
    TxColumn = 0;
    RxColumn = 0;
}
