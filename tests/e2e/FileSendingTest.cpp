// A prepared text with macros sent over a link through the whole program: the real
// serial driver on a pseudo-terminal, the simulated controller, real time.

#include "WindowOnSimulator.h"
#include "ui/TTransmitMemo.h"

#include <QAction>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class FileSending : public ::testing::Test, public WindowOnSimulator {
protected:
    void SetUp() override
    {
        dir.writeSettings({"PtcParameters/Call=DL1ABC"});
        ptcsim::Options options;
        options.replyDelayMs = 60000; // the other station keeps quiet
        options.radioCharsPerSecond = 1000;
        startSimulator(options);
    }

    // What the simulator received, without the status requests and flow control.
    QByteArray receivedText() const
    {
        QByteArray text;
        for (char c : simulator->received())
            if (c != 30 && c != 17 && c != 19)
                text.append(c);
        return text;
    }
};

} // namespace

TEST_F(FileSending, APreparedTextGoesOutExpandedOverTheLink)
{
    OrvantiCore& core = window->core();
    QTest::keyClicks(window->transmitWindow(), QStringLiteral("C DL2XYZ"));
    QTest::keyClick(window->transmitWindow(), Qt::Key_Return);
    ASSERT_TRUE(waitFor([&] { return core.station.Connected && !core.station.HisCall.isEmpty(); }));
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
