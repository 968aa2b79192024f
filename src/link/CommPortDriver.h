#pragma once

// TCommPortDriver: the program's one serial device, over QSerialPort. It applies the
// line settings and moves bytes with plain blocking calls; framing, pacing and XON/XOFF
// belong to its callers, so QSerialPort's own flow control stays off.
//
// Two things QSerialPort does not do the way the program needs are handled here:
//  - Bytes waiting: QSerialPort only counts what its notifier has already pulled in,
//    which never happens during a blocking pause, so the driver adds the count still in
//    the kernel's queue and fetches from there when reading.
//  - A vanished device (USB adapter pulled, simulator killed) makes QSerialPort report
//    read errors endlessly; the driver closes the port on the first one and says so
//    once through onPortLost. QSerialPort also reports an error when its read
//    notification finds the queue already emptied by one of the driver's own reads;
//    that one is passed over, since the line has not hung up.

#include "base/Port.h"

#include <QObject>
#include <QSerialPort>
#include <memory>

enum class TComPortDataBits { db5BITS, db6BITS, db7BITS, db8BITS };
enum class TComPortStopBits { sb1BITS, sb1HALFBITS, sb2BITS };
enum class TComPortParity { ptNONE, ptODD, ptEVEN, ptMARK, ptSPACE };
enum class TComPortHwHandshaking { hhNONE, hhRTSCTS };
enum class TComPortSwHandshaking { shNONE, shXONXOFF };

// The modem control lines. Apart from the driver so tests can watch them: a
// pseudo-terminal has none. A request the device refuses returns false.
class ModemLines {
public:
    virtual ~ModemLines() = default;
    virtual bool setDataTerminalReady(bool asserted) = 0;
    virtual bool setRequestToSend(bool asserted) = 0;
};

// The device behind "COM1".."COM6" (number 1..6) on this platform.
QString comPortDevice(int number);

class TCommPortDriver final : public QObject, public Port {
    Q_OBJECT
public:
    explicit TCommPortDriver(QObject* parent = nullptr);
    ~TCommPortDriver() override;

    // Published properties, with the driver's defaults.
    void setComPort(quint8 comPort) override;
    quint8 comPort() const { return comPort_; }
    void setDevicePath(const QString& path) override;
    void setComPortSpeed(BaudRate speed) override;
    BaudRate comPortSpeed() const { return speed_; }
    void setComPortDataBits(TComPortDataBits bits);
    void setComPortStopBits(TComPortStopBits bits);
    void setComPortParity(TComPortParity parity);
    void setComPortHwHandshaking(TComPortHwHandshaking handshaking);
    void setComPortSwHandshaking(TComPortSwHandshaking handshaking);
    void setComPortInBufSize(quint16 size);
    quint16 comPortInBufSize() const { return inBufSize_; }
    void setComPortOutBufSize(quint16 size);
    void setEnableDTROnOpen(bool enable) { enableDtrOnOpen_ = enable; }
    void setOutputTimeout(quint16 ms) { outputTimeout_ = ms; }
    quint16 outputTimeout() const { return outputTimeout_; }

    // Where the modem line requests go; the serial device itself unless a test says
    // otherwise. The driver does not own `lines`.
    void setModemLines(ModemLines* lines);

    bool OpenPort() override;
    void ClosePort() override;
    bool IsOpen() const override;
    void ApplySettings();
    void Purge(bool input, bool output) override;
    int WriteBytes(const char* data, int count) override;
    bool WriteText(const QByteArray& text) override;
    int BytesWaiting() override;
    void ReadText(QByteArray& text, quint16& count) override;

    bool PortError() const override { return portError_; }
    QString deviceName() const override;
    QString openFailureReason() const override { return failureReason_; }

private:
    void applyModemLines();
    void handleError(QSerialPort::SerialPortError error);
    void closeLostPort();
    bool lineHungUp() const;
    int bytesInKernelQueue() const;
    static QString diagnoseOpenFailure(const QString& device, const QSerialPort& port);

    QSerialPort serial_; // a child, so tests can reach its notifiers
    std::unique_ptr<ModemLines> serialLines_;
    ModemLines* lines_;
    quint8 comPort_ = 1; // COM2
    QString devicePath_;
    bool useDevicePath_ = false;
    BaudRate speed_ = BaudRate::br9600;
    TComPortDataBits dataBits_ = TComPortDataBits::db8BITS;
    TComPortStopBits stopBits_ = TComPortStopBits::sb1BITS;
    TComPortParity parity_ = TComPortParity::ptNONE;
    TComPortHwHandshaking hwHandshaking_ = TComPortHwHandshaking::hhNONE;
    TComPortSwHandshaking swHandshaking_ = TComPortSwHandshaking::shNONE;
    quint16 inBufSize_ = 2048;
    quint16 outBufSize_ = 2048;
    bool enableDtrOnOpen_ = true;
    quint16 outputTimeout_ = 4000;

    bool openFailed_ = false;
    bool portError_ = false;
    bool lost_ = false;
    QString failureReason_;
};
