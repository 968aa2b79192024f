// TCommPortDriver on real pseudo-terminals (whose missing modem lines every test meets):
// bytes both ways, counts, refusals, the modem lines, the output time-out and a device
// that vanishes.

#include "link/CommPortDriver.h"
#include "EventWait.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <algorithm>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

// The controller's end of a pseudo-terminal, driven by the test itself.
class RawPty {
public:
    RawPty()
    {
        char name[256] = {};
        if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
            ADD_FAILURE() << "openpty failed";
            return;
        }
        termios settings{};
        tcgetattr(slave_, &settings);
        cfmakeraw(&settings);
        tcsetattr(slave_, TCSANOW, &settings);
        path_ = QString::fromLocal8Bit(name);
    }
    ~RawPty()
    {
        closeMaster();
        if (slave_ >= 0)
            ::close(slave_);
    }
    const QString& path() const { return path_; }
    void send(const QByteArray& bytes)
    {
        ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), bytes.size());
    }
    // Reads until `count` bytes have come or a second has passed.
    QByteArray receive(int count)
    {
        QByteArray bytes;
        QDeadlineTimer deadline(1000);
        while (bytes.size() < count && !deadline.hasExpired()) {
            char buffer[4096];
            const int flags = fcntl(master_, F_GETFL);
            fcntl(master_, F_SETFL, flags | O_NONBLOCK);
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n > 0)
                bytes.append(buffer, n);
            else
                usleep(1000);
        }
        return bytes;
    }
    void closeMaster()
    {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }
    // Our own slave handle would keep the line up after the master goes.
    void closeSlave()
    {
        if (slave_ >= 0)
            ::close(slave_);
        slave_ = -1;
    }

private:
    int master_ = -1;
    int slave_ = -1;
    QString path_;
};

QByteArray allByteValues()
{
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes.append(static_cast<char>(b));
    return bytes;
}

} // namespace

// A driver on a fresh pseudo-terminal; open() opens it there.
class CommPortDriverTest : public ::testing::Test {
protected:
    bool open()
    {
        driver.setDevicePath(pty.path());
        return driver.OpenPort();
    }
    QByteArray readAll()
    {
        QByteArray text;
        quint16 count = 0;
        driver.ReadText(text, count);
        EXPECT_EQ(count, text.size());
        return text;
    }

    RawPty pty;
    TCommPortDriver driver;
};

TEST(CommPortDriver, ComPortNumbersCountFromZeroAndAClosedPortTakesNothing)
{
    TCommPortDriver driver;
    EXPECT_EQ(driver.comPort(), 1) << "COM2 by default";
    driver.setComPort(5);
    EXPECT_EQ(driver.deviceName(), QStringLiteral("/dev/ttyS5")) << "value 5 is COM6";
    EXPECT_EQ(comPortDevice(1), QStringLiteral("/dev/ttyS0"));
    driver.setDevicePath(QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(driver.deviceName(), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(driver.WriteBytes("x", 1), 0);
}

TEST_F(CommPortDriverTest, EveryByteValuePassesUnchangedBothWays)
{
    ASSERT_TRUE(open()) << driver.openFailureReason().toStdString();
    EXPECT_TRUE(driver.WriteText(allByteValues()));
    EXPECT_EQ(pty.receive(256), allByteValues());

    pty.send(allByteValues());
    // Counted while still in the kernel's queue: no event loop has run.
    ASSERT_TRUE(waitFor([&] { return driver.BytesWaiting() == 256; }));
    EXPECT_EQ(readAll(), allByteValues());
}

TEST_F(CommPortDriverTest, AReadTakesAtMostTheInputBufferAndNothingLeavesTheCountAlone)
{
    ASSERT_TRUE(open());
    QByteArray text("old");
    quint16 count = 77;
    driver.ReadText(text, count);
    EXPECT_TRUE(text.isEmpty());
    EXPECT_EQ(count, 77);

    pty.send(QByteArray(3000, 'q'));
    ASSERT_TRUE(waitFor([&] { return driver.BytesWaiting() == 3000; }));
    EXPECT_EQ(readAll().size(), 2048);
    EXPECT_EQ(driver.BytesWaiting(), 3000 - 2048);
}

// Bytes piling up unread must not keep the XOFF that would stop them from going out.
TEST_F(CommPortDriverTest, WritingWorksWhileMuchUnreadInputWaits)
{
    ASSERT_TRUE(open());
    pty.send(QByteArray(3000, 'r'));
    ASSERT_TRUE(waitFor([&] { return driver.BytesWaiting() == 3000; })); // runs the event loop
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(driver.WriteBytes("\x13", 1), 1);
    EXPECT_LT(timer.elapsed(), 500);
    EXPECT_EQ(pty.receive(1), QByteArray("\x13"));
}

TEST_F(CommPortDriverTest, WhileOpenOnlyTheSpeedChangesAndItEmptiesTheQueues)
{
    ASSERT_TRUE(open());
    driver.setComPort(3);
    driver.setComPortInBufSize(16);
    EXPECT_EQ(driver.deviceName(), pty.path());
    EXPECT_EQ(driver.comPortInBufSize(), 2048);
    pty.send("stale");
    ASSERT_TRUE(waitFor([&] { return driver.BytesWaiting() == 5; }));
    driver.setComPortSpeed(BaudRate::br19200);
    EXPECT_EQ(driver.BytesWaiting(), 0);
}

TEST_F(CommPortDriverTest, ASecondProgramOnTheSamePortIsRefused)
{
    ASSERT_TRUE(open());
    TCommPortDriver second;
    second.setDevicePath(pty.path());
    EXPECT_FALSE(second.OpenPort());
    EXPECT_TRUE(second.PortError());
    EXPECT_TRUE(second.openFailureReason().contains(QStringLiteral("in use")))
        << second.openFailureReason().toStdString();
    EXPECT_EQ(second.WriteBytes("x", 1), 0);
}

TEST(CommPortDriver, OnlyACharacterDeviceIsOpened)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("not-a-port"));
    QFile regular(file);
    ASSERT_TRUE(regular.open(QIODevice::WriteOnly));
    regular.close();

    struct Case {
        QString path;
        QString reason;
    };
    const Case cases[] = {
        {file, QStringLiteral("is not a serial device")},
        {dir.path(), QStringLiteral("is not a serial device")},
        {dir.filePath(QStringLiteral("ttyUSB7")), QStringLiteral("does not exist")},
        {QString(), QStringLiteral("no serial port is set")},
    };
    for (const Case& c : cases) {
        TCommPortDriver driver;
        driver.setDevicePath(c.path);
        EXPECT_FALSE(driver.OpenPort()) << c.path.toStdString();
        EXPECT_TRUE(driver.PortError());
        EXPECT_TRUE(driver.openFailureReason().contains(c.reason))
            << driver.openFailureReason().toStdString();
    }
    QFile check(file);
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.size(), 0) << "nothing was written into the file";
}

// The pseudo-terminal's master side is not read until the write has given up.
TEST_F(CommPortDriverTest, AFullOutputQueueEndsTheWriteAfterTheTimeOutAndKeepsWhatItTook)
{
    driver.setOutputTimeout(150);
    ASSERT_TRUE(open());
    const QByteArray lots(4 * 1024 * 1024, 'f');
    QElapsedTimer timer;
    timer.start();
    const int result = driver.WriteBytes(lots.constData(), static_cast<int>(lots.size()));
    EXPECT_LT(result, 0);
    EXPECT_GT(result, -static_cast<int>(lots.size()));
    EXPECT_GE(timer.elapsed(), 150);
    EXPECT_LT(timer.elapsed(), 3000);

    // Every byte the write took reaches the line once it moves again, and no more.
    qsizetype arrived = 0;
    QDeadlineTimer deadline(3000);
    while (arrived < -result && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        arrived += pty.receive(1).size();
    }
    arrived += pty.receive(1).size(); // anything beyond would show here
    EXPECT_EQ(arrived, -result);
}

// Records the modem line requests, refusing them when told to, as a pseudo-terminal does.
class RecordingLines final : public ModemLines {
public:
    bool setDataTerminalReady(bool asserted) override
    {
        requests += asserted ? QStringLiteral("DTR+ ") : QStringLiteral("DTR- ");
        return !refuse;
    }
    bool setRequestToSend(bool asserted) override
    {
        requests += asserted ? QStringLiteral("RTS+ ") : QStringLiteral("RTS- ");
        return !refuse;
    }
    QString requests;
    bool refuse = false;
};

TEST(CommPortDriver, RtsStaysDroppedUnlessTheHandshakeDrivesItAndDtrFollowsItsSetting)
{
    for (const bool refuse : {false, true}) {
        SCOPED_TRACE(refuse ? "lines refused" : "lines taken");
        RawPty pty;
        TCommPortDriver driver;
        RecordingLines lines;
        lines.refuse = refuse;
        driver.setModemLines(&lines);
        driver.setDevicePath(pty.path());
        ASSERT_TRUE(driver.OpenPort());
        EXPECT_EQ(lines.requests, QStringLiteral("DTR+ RTS- "));

        lines.requests.clear();
        driver.setComPortHwHandshaking(TComPortHwHandshaking::hhRTSCTS);
        EXPECT_EQ(lines.requests, QStringLiteral("DTR+ ")) << "the handshake owns RTS";
        driver.setEnableDTROnOpen(false);
        driver.setComPortHwHandshaking(TComPortHwHandshaking::hhNONE);
        EXPECT_EQ(lines.requests, QStringLiteral("DTR+ DTR- RTS- "));

        ASSERT_TRUE(driver.WriteText("ok"));
        EXPECT_EQ(pty.receive(2), QByteArray("ok"));
    }
}

TEST_F(CommPortDriverTest, AReadNotificationThatFindsNothingIsNoLostPort)
{
    ASSERT_TRUE(open());
    int reports = 0;
    int arrivals = 0;
    driver.onPortLost = [&](const QString&) { ++reports; };
    driver.onDataArrived = [&] { ++arrivals; };
    // What happens when a read of the driver's own takes the input the window system
    // had already announced: the announcement then finds the queue empty.
    const auto notifiers = driver.findChildren<QSocketNotifier*>();
    const auto reader = std::find_if(notifiers.begin(), notifiers.end(), [](auto* notifier) {
        return notifier->type() == QSocketNotifier::Read;
    });
    ASSERT_NE(reader, notifiers.end());
    QEvent announcement(QEvent::SockAct);
    QCoreApplication::sendEvent(*reader, &announcement);
    runEventsFor(100);

    EXPECT_EQ(reports, 0);
    EXPECT_TRUE(driver.IsOpen());
    pty.send("later");
    EXPECT_TRUE(waitFor([&] { return arrivals > 0; })) << "input is still announced";
    EXPECT_TRUE(driver.WriteText("on"));
    EXPECT_EQ(pty.receive(2), QByteArray("on"));
}

TEST_F(CommPortDriverTest, AVanishedDeviceClosesThePortAndIsReportedOnce)
{
    ASSERT_TRUE(open());
    int reports = 0;
    QString reason;
    driver.onPortLost = [&](const QString& why) {
        ++reports;
        reason = why;
    };
    pty.closeSlave();
    pty.closeMaster();
    ASSERT_TRUE(waitFor([&] { return reports > 0; }));
    runEventsFor(200); // a flood of errors would show by now
    EXPECT_EQ(reports, 1);
    EXPECT_FALSE(driver.IsOpen());
    EXPECT_TRUE(reason.contains(pty.path()));
    EXPECT_EQ(driver.BytesWaiting(), 0);
    EXPECT_EQ(driver.WriteBytes("x", 1), 0);
}
