#include "link/CommPortDriver.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QMetaObject>
#include <QThread>

#ifdef Q_OS_UNIX
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Longest single wait inside a write, so a vanished device is noticed promptly.
constexpr int WriteWaitSliceMs = 50;

// Why `device` cannot be a serial line, or empty when it may be one: only an existing
// character device is opened.
QString refuseDevice(const QString& device)
{
    if (device.isEmpty())
        return QStringLiteral("no serial port is set (Configuration menu, Com Port)");
#ifdef Q_OS_UNIX
    struct stat info {};
    const QByteArray native = QFile::encodeName(device);
    if (::stat(native.constData(), &info) != 0)
        return QStringLiteral("%1 does not exist (is the cable or adapter plugged in?)")
            .arg(device);
    if (!S_ISCHR(info.st_mode))
        return QStringLiteral("%1 is not a serial device").arg(device);
#endif
    return {};
}

// The lines of the serial device itself. A refused request (a pseudo-terminal has no
// modem lines) is not a fault of the port, so its error is cleared again.
class SerialPortLines final : public ModemLines {
public:
    explicit SerialPortLines(QSerialPort& port) : port_(port) {}
    bool setDataTerminalReady(bool asserted) override
    {
        return settle(port_.setDataTerminalReady(asserted));
    }
    bool setRequestToSend(bool asserted) override
    {
        return settle(port_.setRequestToSend(asserted));
    }

private:
    bool settle(bool done)
    {
        if (!done)
            port_.clearError();
        return done;
    }
    QSerialPort& port_;
};

} // namespace

QString comPortDevice(int number)
{
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(number);
#else
    // COM1 is the first on-board serial port.
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
#endif
}

TCommPortDriver::TCommPortDriver(QObject* parent)
    : QObject(parent), serial_(this), serialLines_(std::make_unique<SerialPortLines>(serial_)),
      lines_(serialLines_.get())
{
    connect(&serial_, &QSerialPort::readyRead, this, [this] {
        if (onDataArrived)
            onDataArrived();
    });
    connect(&serial_, &QSerialPort::errorOccurred, this, &TCommPortDriver::handleError);
}

TCommPortDriver::~TCommPortDriver()
{
    ClosePort();
}

void TCommPortDriver::setComPort(quint8 comPort)
{
    if (!IsOpen()) {
        comPort_ = comPort;
        useDevicePath_ = false;
    }
}

void TCommPortDriver::setDevicePath(const QString& path)
{
    if (!IsOpen()) {
        devicePath_ = path;
        useDevicePath_ = true;
    }
}

void TCommPortDriver::setComPortSpeed(BaudRate speed)
{
    speed_ = speed;
    ApplySettings();
}

void TCommPortDriver::setComPortDataBits(TComPortDataBits bits)
{
    dataBits_ = bits;
    ApplySettings();
}

void TCommPortDriver::setComPortStopBits(TComPortStopBits bits)
{
    stopBits_ = bits;
    ApplySettings();
}

void TCommPortDriver::setComPortParity(TComPortParity parity)
{
    parity_ = parity;
    ApplySettings();
}

void TCommPortDriver::setComPortHwHandshaking(TComPortHwHandshaking handshaking)
{
    hwHandshaking_ = handshaking;
    ApplySettings();
}

void TCommPortDriver::setComPortSwHandshaking(TComPortSwHandshaking handshaking)
{
    swHandshaking_ = handshaking;
    ApplySettings();
}

void TCommPortDriver::setModemLines(ModemLines* lines)
{
    lines_ = lines ? lines : serialLines_.get();
}

void TCommPortDriver::setComPortInBufSize(quint16 size)
{
    if (!IsOpen())
        inBufSize_ = size;
}

void TCommPortDriver::setComPortOutBufSize(quint16 size)
{
    if (!IsOpen())
        outBufSize_ = size;
}

QString TCommPortDriver::deviceName() const
{
    if (useDevicePath_)
        return devicePath_;
    return comPortDevice(comPort_ + 1);
}

bool TCommPortDriver::OpenPort()
{
    if (IsOpen())
        return true;
    if (serial_.isOpen()) // a lost port whose close has not run yet
        closeLostPort();

    const QString device = deviceName();
    failureReason_ = refuseDevice(device);
    if (failureReason_.isEmpty()) {
        serial_.setPortName(device);
        if (serial_.open(QIODevice::ReadWrite)) {
            openFailed_ = false;
            lost_ = false;
            ApplySettings();
            return true;
        }
        failureReason_ = diagnoseOpenFailure(device, serial_);
    }
    openFailed_ = true;
    portError_ = true;
    return false;
}

QString TCommPortDriver::diagnoseOpenFailure(const QString& device, const QSerialPort& port)
{
#ifdef Q_OS_UNIX
    const QByteArray native = QFile::encodeName(device);
    if (::access(native.constData(), R_OK | W_OK) != 0)
        return QStringLiteral("%1: permission denied. Join the dialout group "
                              "(sudo usermod -aG dialout $USER) and log in again")
            .arg(device);
#endif
    // QSerialPort refuses a device another program holds (lock file or exclusive mode).
    if (port.error() == QSerialPort::NoError || port.error() == QSerialPort::PermissionError ||
        port.error() == QSerialPort::OpenError)
        return QStringLiteral("%1 is in use by another program").arg(device);
    return QStringLiteral("%1: %2").arg(device, port.errorString());
}

void TCommPortDriver::ClosePort()
{
    if (serial_.isOpen())
        serial_.close();
    lost_ = false;
    openFailed_ = false;
}

bool TCommPortDriver::IsOpen() const
{
    return serial_.isOpen() && !lost_;
}

void TCommPortDriver::ApplySettings()
{
    if (!IsOpen())
        return;
    serial_.setBaudRate(baudRateValue(speed_));
    serial_.setDataBits(static_cast<QSerialPort::DataBits>(static_cast<int>(dataBits_) + 5));
    switch (parity_) {
    case TComPortParity::ptNONE:
        serial_.setParity(QSerialPort::NoParity);
        break;
    case TComPortParity::ptODD:
        serial_.setParity(QSerialPort::OddParity);
        break;
    case TComPortParity::ptEVEN:
        serial_.setParity(QSerialPort::EvenParity);
        break;
    case TComPortParity::ptMARK:
        serial_.setParity(QSerialPort::MarkParity);
        break;
    case TComPortParity::ptSPACE:
        serial_.setParity(QSerialPort::SpaceParity);
        break;
    }
    switch (stopBits_) {
    case TComPortStopBits::sb1BITS:
        serial_.setStopBits(QSerialPort::OneStop);
        break;
    case TComPortStopBits::sb1HALFBITS:
        serial_.setStopBits(QSerialPort::OneAndHalfStop);
        break;
    case TComPortStopBits::sb2BITS:
        serial_.setStopBits(QSerialPort::TwoStop);
        break;
    }
    if (hwHandshaking_ == TComPortHwHandshaking::hhRTSCTS)
        serial_.setFlowControl(QSerialPort::HardwareControl);
    else if (swHandshaking_ == TComPortSwHandshaking::shXONXOFF)
        serial_.setFlowControl(QSerialPort::SoftwareControl);
    else
        serial_.setFlowControl(QSerialPort::NoFlowControl);
    applyModemLines();
    Purge(true, true);
    // Unbounded: with a full read buffer QSerialPort stops writing as well (its waits
    // give up when they cannot read), which would stall the XOFF that empties it.
    // Each read still takes at most ComPortInBufSize bytes.
    serial_.setReadBufferSize(0);
}

// RTS often keys the transmitter through a PTT interface on the same cable, so it is
// dropped unless the RTS/CTS handshake drives it. A line the device cannot set (a
// pseudo-terminal) does not stop the port from working.
void TCommPortDriver::applyModemLines()
{
    lines_->setDataTerminalReady(enableDtrOnOpen_);
    if (hwHandshaking_ != TComPortHwHandshaking::hhRTSCTS)
        lines_->setRequestToSend(false);
}

void TCommPortDriver::Purge(bool input, bool output)
{
    if (!IsOpen())
        return;
    if (input && output)
        serial_.clear(QSerialPort::AllDirections);
    else if (input)
        serial_.clear(QSerialPort::Input);
    else if (output)
        serial_.clear(QSerialPort::Output);
}

int TCommPortDriver::WriteBytes(const char* data, int count)
{
    if (openFailed_) {
        portError_ = true;
        return 0;
    }
    if (!IsOpen() || count < 1)
        return 0;

    QElapsedTimer sinceProgress;
    sinceProgress.start();
    int sent = 0;
    while (sent < count || serial_.bytesToWrite() > 0) {
        if (!IsOpen())
            return -sent;
        const qint64 queued = serial_.bytesToWrite();
        const qint64 room = outBufSize_ - queued;
        if (sent < count && room > 0) {
            const qint64 chunk = qMin<qint64>(room, count - sent);
            const qint64 taken = serial_.write(data + sent, chunk);
            if (taken <= 0)
                return -sent;
            sent += static_cast<int>(taken);
            sinceProgress.restart();
            continue;
        }
        const qint64 waitMs = qMax<qint64>(
            1, qMin<qint64>(WriteWaitSliceMs, outputTimeout_ - sinceProgress.elapsed()));
        QElapsedTimer waited;
        waited.start();
        if (!serial_.waitForBytesWritten(static_cast<int>(waitMs)) && waited.elapsed() < 1)
            QThread::msleep(1); // a wait that returns at once must not become a busy loop
        if (serial_.bytesToWrite() < queued) {
            sinceProgress.restart();
        } else if (sinceProgress.elapsed() > outputTimeout_) {
            // What was taken stays queued and goes out when the line moves again.
            return -sent;
        }
    }
    return sent;
}

bool TCommPortDriver::WriteText(const QByteArray& text)
{
    return WriteBytes(text.constData(), static_cast<int>(text.size())) == text.size();
}

int TCommPortDriver::bytesInKernelQueue() const
{
#ifdef Q_OS_UNIX
    int waiting = 0;
    if (::ioctl(serial_.handle(), FIONREAD, &waiting) == 0)
        return waiting;
#endif
    return 0;
}

int TCommPortDriver::BytesWaiting()
{
    if (!IsOpen())
        return 0;
    return static_cast<int>(serial_.bytesAvailable()) + bytesInKernelQueue();
}

void TCommPortDriver::ReadText(QByteArray& text, quint16& count)
{
    text.clear();
    if (!IsOpen())
        return;
    // Pull from the kernel only when something is there: an empty waitForReadyRead
    // counts as an error.
    if (serial_.bytesAvailable() < inBufSize_ && bytesInKernelQueue() > 0)
        serial_.waitForReadyRead(0);
    if (serial_.bytesAvailable() <= 0)
        return;
    text = serial_.read(inBufSize_);
    if (!text.isEmpty())
        count = static_cast<quint16>(text.size());
}

void TCommPortDriver::handleError(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
        if (serial_.isOpen() && !lost_) {
            if (!lineHungUp()) {
                // A read that found nothing. Should QSerialPort have stopped its read
                // notification for it (versions differ), setting the buffer size
                // starts it again.
                serial_.clearError();
                serial_.setReadBufferSize(0);
                break;
            }
            lost_ = true;
            // Closing inside QSerialPort's own notification is not safe; the flag already
            // makes every operation treat the port as closed.
            QMetaObject::invokeMethod(this, &TCommPortDriver::closeLostPort, Qt::QueuedConnection);
        }
        break;
    case QSerialPort::TimeoutError:
        serial_.clearError(); // a wait that found nothing is not a fault
        break;
    default:
        break;
    }
}

bool TCommPortDriver::lineHungUp() const
{
#ifdef Q_OS_UNIX
    pollfd line{serial_.handle(), POLLIN, 0};
    if (::poll(&line, 1, 0) < 0)
        return true;
    return (line.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
#else
    return true;
#endif
}

void TCommPortDriver::closeLostPort()
{
    if (!serial_.isOpen())
        return;
    const QString reason =
        QStringLiteral("%1 went away (%2)").arg(deviceName(), serial_.errorString());
    serial_.close();
    lost_ = false;
    if (onPortLost)
        onPortLost(reason);
}
