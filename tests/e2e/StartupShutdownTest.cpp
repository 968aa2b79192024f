// The whole program against the simulated controller on a pseudo-terminal: the real
// serial driver, real pauses, the real main window on the offscreen platform. The
// assertions are on the bytes the simulator received.

#include "WindowOnSimulator.h"
#include "ui/TQvRichEdit.h"
#include "ui/TTransmitMemo.h"

#include <QLabel>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

QByteArray bytesOf(const std::string& text)
{
    return QByteArray::fromStdString(text);
}

class EndToEnd : public ::testing::Test, public WindowOnSimulator {
protected:
    // Starts the simulator and then the program, as far as the first activation.
    void start(ptcsim::Model model, const QList<QByteArray>& edits = {})
    {
        dir.writeSettings(edits);
        startWithSettingsInPlace(model);
    }

    void startWithSettingsInPlace(ptcsim::Model model, bool flood = false)
    {
        ptcsim::Options options;
        options.model = model;
        options.flood = flood;
        startSimulator(options);
    }

    // Runs the event loop until the simulator has received `expected` at the end of
    // what it got, or the time is up.
    bool waitForReceivedToEnd(const QByteArray& expected, int ms = 3000)
    {
        return waitFor([&] { return bytesOf(simulator->received()).endsWith(expected); }, ms);
    }

    bool waitForReceivedToContain(char byte, int ms)
    {
        return waitFor([&] { return bytesOf(simulator->received()).contains(byte); }, ms);
    }

    // The start-up traffic is over once the first status request has gone out.
    bool waitForStartToSettle() { return waitForReceivedToContain('\x1e', 3000); }

    QString receiveText() const { return window->receiveWindow()->toPlainText(); }
};

const QByteArray Greeting("\r\rVersion\r\x1b");
const QByteArray Initialisation("Version\rMYC NOCALL\rL 1\rEsc 27\rPAC MON 0\rTerm 4\rL 1\r"
                                "POS\rPOS NMEA\rRESET\r");

} // namespace

TEST_F(EndToEnd, NormalStartThenStatusRequestsTwiceASecond)
{
    start(ptcsim::Model::II, {"Startup Commands/Startup_2=MYLEVEL 3"});
    ASSERT_TRUE(waitForReceivedToEnd("MYLEVEL 3\r"));
    EXPECT_TRUE(bytesOf(simulator->received())
                    .startsWith(QByteArray(Greeting + Initialisation + "MYLEVEL 3\r")));
    EXPECT_EQ(window->core().station.PtcType, PtcModel::II);
    EXPECT_EQ(window->findChild<QLabel*>(Name::PtcTekst)->text(), QStringLiteral("PTC II"));

    simulator->clearReceived();
    ASSERT_TRUE(waitFor([&] { return simulator->receivedWithTimes().size() >= 3; }, 3000));
    const std::vector<ptcsim::ReceivedByte> requests = simulator->receivedWithTimes();
    for (std::size_t i = 0; i < requests.size(); ++i) {
        EXPECT_EQ(requests[i].byte, 30) << "only status requests while idle";
        if (i > 0) {
            EXPECT_GE(requests[i].atMs - requests[i - 1].atMs, 400) << "no request piles up";
        }
    }
    EXPECT_FALSE(receiveText().contains(QChar(30))) << "status replies are not text";
}

TEST_F(EndToEnd, BiosControllerGetsHelpAndTheWindowSaysWhy)
{
    start(ptcsim::Model::Bios);
    QByteArray received = bytesOf(simulator->received());
    received.replace('\x1e', ""); // a status request may already be on its way
    EXPECT_EQ(received, QByteArray(Greeting + "Version\rHe\r"));
    EXPECT_TRUE(receiveText().startsWith(QStringLiteral("You are in the BIOS now !\n")));
    EXPECT_FALSE(window->findChild<QTabWidget*>(Name::PageControl)->isVisible());
}

TEST_F(EndToEnd, SilentControllerIsReportedInRed)
{
    start(ptcsim::Model::Silent);
    EXPECT_TRUE(receiveText().contains(
        QStringLiteral("ERROR !\n\nPTC not switched on or\nserial cable not connected !")));
    EXPECT_TRUE(bytesOf(simulator->received()).startsWith(QByteArray(Greeting + Initialisation)));
}

TEST_F(EndToEnd, AMissingPortIsReportedAndNothingIsSent)
{
    dir.writeSettings({});
    openWindow(dir.file(QStringLiteral("ttyUSB9")));
    EXPECT_TRUE(receiveText().startsWith(QStringLiteral("Serial Port not found !\n"
                                                        "Use the Configuration Menu\n")));
    EXPECT_TRUE(receiveText().contains(QStringLiteral("ttyUSB9 does not exist")));
    EXPECT_TRUE(window->core().link.portError());
}

TEST_F(EndToEnd, ConfirmedExitSendsTheShutDownCommandsAndSavesTheSettings)
{
    start(ptcsim::Model::II, {"ShutDown Commands/ShutDown_1=S1", "ShutDown Commands/ShutDown_2=S2",
                              "ShutDown Commands/ShutDown_4=S4"});
    ASSERT_TRUE(waitForStartToSettle());
    window->core().settings.MyCall = QStringLiteral("DL1ABC");
    simulator->clearReceived();
    modal.queueConfirm(true);
    ASSERT_TRUE(window->close());
    ASSERT_TRUE(waitForReceivedToEnd("Reset\r"));
    QByteArray received = bytesOf(simulator->received());
    received.replace('\x1e', ""); // a status request may have been on its way
    EXPECT_EQ(received, QByteArray("S1\rS2\rS4\rL 0\rPac Mon 0\r\x1bQ\rReset\r"));
    const QByteArray saved = dir.read(QStringLiteral("Orvanti.ini"));
    EXPECT_TRUE(saved.contains("Call=DL1ABC"));
    EXPECT_TRUE(saved.contains("Portnumber=COM1")) << "the --port device is not saved";
}

TEST_F(EndToEnd, AVanishedControllerIsReportedOnceAndTheProgramCarriesOn)
{
    start(ptcsim::Model::II);
    simulator->closeMaster();
    waitFor([&] { return receiveText().contains(QStringLiteral("Serial Port lost")); }, 3000);
    runEventsFor(700); // a flood of errors or repeated lines would show by now
    EXPECT_EQ(receiveText().count(QStringLiteral("Serial Port lost")), 1);
    EXPECT_FALSE(window->core().link.bytesWaiting());

    QTest::keyClicks(window->transmitWindow(), QStringLiteral("still here"));
    modal.queueConfirm(true);
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(dir.read(QStringLiteral("Orvanti.ini")).contains("[Port]"))
        << "the settings are still saved";
}

// A controller that sends faster than the program reads is throttled with XOFF and
// released with XON, and typing still gets through.
TEST_F(EndToEnd, AFloodingControllerIsThrottledAndTypingGetsThrough)
{
    dir.writeSettings({});
    startWithSettingsInPlace(ptcsim::Model::II, /*flood=*/true);
    simulator->clearReceived();
    bool throttled = false;
    waitFor(
        [&] {
            simulator->withEngine([&](ptcsim::SimEngine& engine, std::int64_t) {
                throttled = throttled || engine.programXoff();
            });
            const QByteArray received = bytesOf(simulator->received());
            return throttled && received.contains('\x13') && received.contains('\x11');
        },
        3000);
    const QByteArray received = bytesOf(simulator->received());
    EXPECT_TRUE(throttled);
    EXPECT_TRUE(received.contains('\x13')) << "XOFF went out";
    EXPECT_TRUE(received.contains('\x11')) << "and XON after it";

    simulator->clearReceived();
    QTest::keyClicks(window->transmitWindow(), QStringLiteral("k"));
    EXPECT_TRUE(waitForReceivedToContain('k', 1000));
    EXPECT_LE(window->receiveWindow()->document()->characterCount(), 30000 + 3000)
        << "the window keeps to its length limit";
}

TEST_F(EndToEnd, GarbageSettingsStillStartTheProgram)
{
    QByteArray junk(
        "[Port]\nBaudRate=\xff\xfe\xfd\n[Program]\nMax Length Recv Buffer=99999999999\n");
    for (int i = 0; i < 2000; ++i)
        junk.append(static_cast<char>((i * 31) & 0xff));
    dir.copyShippedFiles();
    dir.write(QStringLiteral("Orvanti.ini"), junk);
    startWithSettingsInPlace(ptcsim::Model::II);
    EXPECT_TRUE(window->core().station.FormReady);
    EXPECT_TRUE(
        bytesOf(simulator->received()).startsWith(QByteArray(Greeting + "Version\rMYC Hello\r")))
        << "the built-in call stands in for the missing one";
}
