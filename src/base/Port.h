#pragma once

// The serial port as the handlers see it: the driver's contract, behind an interface so
// that tests can put a fake in its place. TCommPortDriver is the real one.

#include <QByteArray>
#include <QString>
#include <functional>

enum class BaudRate { br4800, br9600, br19200, br38400, br57600, br115200 };

class Port {
public:
    virtual ~Port() = default;

    // 0..5 stand for COM1..COM6. Ignored while open.
    virtual void setComPort(quint8 comPort) = 0;
    // A device path used instead of the COM number (a USB adapter, a pseudo-terminal);
    // an empty path means no port is configured. Ignored while open.
    virtual void setDevicePath(const QString& path) = 0;
    virtual void setComPortSpeed(BaudRate speed) = 0;

    virtual bool OpenPort() = 0;
    virtual void ClosePort() = 0;
    virtual bool IsOpen() const = 0;
    virtual void Purge(bool input, bool output) = 0;
    // Returns the number sent, negated when the output time-out struck.
    virtual int WriteBytes(const char* data, int count) = 0;
    virtual bool WriteText(const QByteArray& text) = 0;
    virtual int BytesWaiting() = 0;
    // One read of what is waiting; `count` is left alone when nothing was read.
    virtual void ReadText(QByteArray& text, quint16& count) = 0;

    // Set when an open failed; never cleared.
    virtual bool PortError() const = 0;
    // The device name the port opens (or tried to open).
    virtual QString deviceName() const = 0;
    // Why the last open failed, in the operator's words.
    virtual QString openFailureReason() const = 0;

    // Called when bytes arrive, so the poll loop can run at once.
    std::function<void()> onDataArrived;
    // Called once when the device goes away while open; the port is closed by then.
    std::function<void(const QString& reason)> onPortLost;
};

// "COM" and one digit 1..9: the digit. Anything else is a device path.
bool parseComPortName(const QString& name, int* number);

// The six bit rates, in ordinal order.
inline constexpr int BaudRateValues[] = {4800, 9600, 19200, 38400, 57600, 115200};
// Bit rate of each BaudRate, in ordinal order.
int baudRateValue(BaudRate speed);
// The BaudRate of a bit rate; false when it is not one of the six.
bool baudRateFromValue(int value, BaudRate* speed);
