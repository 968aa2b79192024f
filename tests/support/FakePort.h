#pragma once

// An in-memory port: records what is written (in the shared wire log), serves scripted
// input, can answer written commands like a controller would, and can fail on demand.

#include "base/Port.h"

#include <QByteArray>
#include <vector>

class FakeClock;
class WireLog;

class FakePort final : public Port {
public:
    FakePort(WireLog& log, FakeClock& clock);

    // Input available at once, or when the fake clock reaches `atMs`.
    void feed(const QByteArray& bytes);
    void feedAt(qint64 atMs, const QByteArray& bytes);
    // Whenever the written bytes end with `trigger`, `reply` arrives `delayMs` later.
    void answer(const QByteArray& trigger, const QByteArray& reply, int delayMs = 0);

    bool openSucceeds = true;
    QString failureReason = QStringLiteral("/dev/ttyS0 does not exist");
    bool writesFail = false;
    int maxReadSize = 2048;

    void setComPort(quint8 comPort) override;
    void setDevicePath(const QString& path) override;
    void setComPortSpeed(BaudRate speed) override { speed_ = speed; }
    BaudRate speed() const { return speed_; }

    bool OpenPort() override;
    void ClosePort() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    void Purge(bool input, bool output) override;
    int WriteBytes(const char* data, int count) override;
    bool WriteText(const QByteArray& text) override;
    int BytesWaiting() override;
    void ReadText(QByteArray& text, quint16& count) override;
    bool PortError() const override { return portError_; }
    QString deviceName() const override { return device_; }
    QString openFailureReason() const override { return open_ ? QString() : failureReason; }

    int opens() const { return opens_; }
    int purges() const { return purges_; }

private:
    void deliverDue(qint64 now);

    struct Scheduled {
        qint64 atMs;
        QByteArray bytes;
    };
    struct Answer {
        QByteArray trigger;
        QByteArray reply;
        int delayMs;
    };

    WireLog& log_;
    FakeClock& clock_;
    QByteArray input_;
    std::vector<Scheduled> scheduled_;
    std::vector<Answer> answers_;
    QByteArray recent_; // written bytes the answers look at
    BaudRate speed_ = BaudRate::br9600;
    QString device_ = QStringLiteral("/dev/ttyS1");
    bool open_ = false;
    bool portError_ = false;
    int opens_ = 0;
    int purges_ = 0;
};
