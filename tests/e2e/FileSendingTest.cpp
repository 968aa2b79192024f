// A prepared text with macros sent over a link through the whole program: the real
// serial driver on a pseudo-terminal, the simulated controller, real time.

#include "WindowOnSimulator.h"
#include "ui/TTransmitMemo.h"

#include <QAction>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class FileSending : public ::testing::Test, public WindowOnSimulator {
protected:
    void SetUp() override
    {
        dir.writeSettings({"PtcParameters/Call=DL1ABC"});
        ptcsim::Options options;
        options.replyDelayMs = 60000; // the other station keeps quiet
        options.radioCharsPerSecond = radioCharsPerSecond;
        startSimulator(options);
    }

    void linkUp()
    {
        type(QStringLiteral("C DL2XYZ"));
        const Station& station = window->core().station;
        ASSERT_TRUE(waitFor([&] { return station.Connected && !station.HisCall.isEmpty(); }));
    }

    int radioCharsPerSecond = 1000;
};

// A radio slow enough that a long file waits behind the controller's XOFF.
class FileStopping : public FileSending {
protected:
    FileStopping() { radioCharsPerSecond = 100; }
};

} // namespace

TEST_F(FileSending, APreparedTextGoesOutExpandedOverTheLink)
{
    OrvantiCore& core = window->core();
    linkUp();
    core.station.HisName = QStringLiteral("Jan");

    // Long enough for the controller to hold it back with XOFF on the way.
    QByteArray text = "QSO with %%HISCALL\r\n73 de %%MYCALL %%hisname\r\n";
    QByteArray expected = "QSO with DL2XYZ\r73 de DL1ABC Jan\r";
    for (int i = 0; i < 40; ++i) {
        const QByteArray line = "line " + QByteArray::number(i) + ' ' + QByteArray(50, 'x');
        text += line + "\r\n";
        expected += line + '\r';
    }
    dir.write(QStringLiteral("Orvanti.tx1"), text);
    simulator->clearReceived();

    window->findChild<QAction*>(QStringLiteral("MenuTransmitText1"))->trigger();
    EXPECT_FALSE(core.files.sending());
    ASSERT_TRUE(waitFor([&] { return receivedText().size() >= expected.size(); }));
    EXPECT_EQ(receivedText(), expected);
    EXPECT_TRUE(window->transmitWindow()->toPlainText().contains(
        QStringLiteral("73 de DL1ABC Jan\nline 0 ")));
    EXPECT_TRUE(modal.shown.isEmpty());
    EXPECT_GT(modal.beeps, 0) << "the controller's XOFF (it beeps) held the file on the way";
}

TEST_F(FileStopping, EscapeEndsALongFileAfterItsLineAndEmptiesTheControllersBuffer)
{
    OrvantiCore& core = window->core();
    linkUp();
    QByteArray text;
    for (int i = 0; i < 3000; ++i)
        text += "line " + QByteArray::number(i) + " of a long file, going out slowly\r\n";
    const QByteArray wire = QByteArray(text).replace("\r\n", "\r");
    dir.write(QStringLiteral("Orvanti.tx2"), text);
    simulator->clearReceived();

    // Escape in the transmit window once the controller holds the file back.
    bool pressed = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!core.station.XoffReceived || pressed)
            return;
        pressed = true;
        QTest::keyClick(window->transmitWindow(), Qt::Key_Escape);
    });
    watch.start(5);
    window->findChild<QAction*>(Name::MenuTransmitText2)->trigger();
    watch.stop();
    ASSERT_TRUE(pressed);
    EXPECT_FALSE(core.files.sending());

    // Whole lines from the start of the file, then the buffer clear; nothing after it.
    const QByteArray clear = "\x1b"
                             "CLR\r";
    ASSERT_TRUE(waitFor([&] { return receivedText().endsWith(clear); }));
    const QByteArray sent = receivedText().chopped(clear.size());
    EXPECT_TRUE(wire.startsWith(sent));
    EXPECT_TRUE(sent.endsWith('\r'));
    const qsizetype lines = sent.count('\r');
    EXPECT_GT(lines, 10);
    EXPECT_LT(lines, 100) << "of 3000";

    // The controller dropped what it had not sent; the link carries typed text again
    // and the status requests are answered.
    EXPECT_TRUE(waitFor([&] {
        return fromEngine([](const ptcsim::SimEngine& e) { return e.queuedTransmitBytes(); }) == 0;
    }));
    const std::size_t aired = simulator->transmittedLines().size();
    EXPECT_LT(aired, static_cast<std::size_t>(lines));
    simulator->clearReceived();
    type(QStringLiteral("sorry, wrong file"));
    // (A line cut short by the clear goes on in front of it, as the far side reads it.)
    ASSERT_TRUE(waitFor([&] {
        const auto read = simulator->transmittedLines();
        return !read.empty() &&
               QByteArray::fromStdString(read.back().text).endsWith("sorry, wrong file");
    }));
    EXPECT_EQ(simulator->transmittedLines().size(), aired + 1);
    EXPECT_TRUE(waitFor([&] {
        return simulator->received().find('\x1e') != std::string::npos &&
               !core.station.Transmitting && pane(2) == QStringLiteral("CONNECT");
    }));
    EXPECT_FALSE(core.station.XoffReceived);
    EXPECT_TRUE(modal.shown.isEmpty());
}
