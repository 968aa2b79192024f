#pragma once

// Pieces the receive benchmarks share: a port that serves bytes from memory, a clock
// whose pauses take no time, modal answers that never wait for anyone, a station
// folder with the shipped files, controller-like traffic and the process's memory.

#include "base/Clock.h"
#include "base/Modal.h"
#include "base/Port.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QElapsedTimer>
#include <QTemporaryDir>

// Serves `total` bytes by cycling through a pattern; one read hands over at most
// 2048 bytes, as the serial driver does. What the program writes is only counted.
class MemoryPort final : public Port {
public:
    static constexpr int BlockSize = 2048;

    void serve(const QByteArray& pattern, qint64 total);
    qint64 remaining() const { return total_ - served_; }
    qint64 served() const { return served_; }
    int xoffs() const { return xoffs_; }
    int xons() const { return xons_; }

    void setComPort(quint8) override {}
    void setDevicePath(const QString&) override {}
    void setComPortSpeed(BaudRate) override {}
    bool OpenPort() override;
    void ClosePort() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    void Purge(bool input, bool output) override;
    int WriteBytes(const char* data, int count) override;
    bool WriteText(const QByteArray& text) override;
    int BytesWaiting() override;
    void ReadText(QByteArray& text, quint16& count) override;
    bool PortError() const override { return false; }
    QString deviceName() const override { return QStringLiteral("memory"); }
    QString openFailureReason() const override { return {}; }

private:
    QByteArray pattern_;
    qint64 total_ = 0;
    qint64 served_ = 0;
    bool open_ = false;
    int xoffs_ = 0;
    int xons_ = 0;
};

// Pauses return at once; the tick count still moves with them and with real time.
class InstantClock final : public Clock {
public:
    InstantClock() { started_.start(); }
    void sleep(int ms) override { slept_ += ms > 0 ? ms : 0; }
    quint32 tickCount() const override { return static_cast<quint32>(started_.elapsed() + slept_); }

private:
    QElapsedTimer started_;
    qint64 slept_ = 0;
};

// Confirms everything and shows nothing: a benchmark has no operator.
class SilentModal final : public Modal {
public:
    void message(const QString&, const QString&) override { ++messages; }
    bool confirm(const QString&, const QString&) override { return true; }
    void beep() override { ++beeps; }
    void runDialog(Dialog) override {}
    QString inputBox(const QString&, const QString&, const QString& defaultText) override
    {
        return defaultText;
    }
    int messages = 0;
    int beeps = 0;
};

// A throwaway station folder with the shipped files; it is the current directory
// while the object lives.
class BenchStation {
public:
    BenchStation();
    ~BenchStation();
    BenchStation(const BenchStation&) = delete;
    BenchStation& operator=(const BenchStation&) = delete;
    bool ok() const { return ok_; }
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    QString previous_;
    bool ok_ = false;
};

// Controller output of about `size` bytes: words in the four text classes switching
// every few words, CR LF line ends, umlaut codes, now and then a corrected typo and a
// status reply (30 and a status byte).
QByteArray mixedTraffic(qsizetype size, quint32 seed);

// What the decoder hands to the capture for `block` read on its own: every text byte
// with the umlaut codes as their code-page-437 letters, without class codes, status
// replies, backspaces, other control bytes, and line feeds right after a carriage
// return of the same block. A status code ending the block leaves the next block's
// first byte to be read there.
QByteArray capturedText(QByteArrayView block);

// Runs the event loop for `ms` milliseconds.
void runFor(int ms);

// The process's peak resident memory in KiB (VmHWM), and a reset of that peak.
qint64 peakRssKib();
void resetPeakRss();
