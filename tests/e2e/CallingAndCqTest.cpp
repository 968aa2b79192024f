// Calling a station and calling CQ through the whole program: the real window and its
// dialogs (offscreen), the real serial driver on a pseudo-terminal, the simulated
// controller and station, real time. What the controller received and what went over
// the air are checked in order.

#include "WindowOnSimulator.h"
#include "ui/TQvRichEdit.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using ptcsim::SimMode;

class CallingAndCq : public ::testing::Test, public WindowOnSimulator {
protected:
    void SetUp() override
    {
        dir.writeSettings({"PtcParameters/Call=DL1ABC"});
        ptcsim::Options options;
        options.connectDelayMs = 300;
        options.replyDelayMs = 200;
        options.radioCharsPerSecond = 50; // a CQ text is on the air over a status poll
        startSimulator(options);
        // The dialogs are the window's own; the keys need the active window.
        modal.onDialog = [this](Dialog dialog) { window->runDialog(dialog); };
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        ASSERT_TRUE(waitFor([this] { return pane(2) == QStringLiteral("STANDBY"); }));
        simulator->clearReceived();
    }

    OrvantiCore& core() { return window->core(); }
    void press(Qt::Key key) { QTest::keyClick(window->transmitWindow(), key); }

    // The lines that went over the air in one of `modes`, to the linked station `to`
    // (empty: without a link).
    std::vector<std::string> aired(const std::vector<SimMode>& modes,
                                   const std::string& to = {}) const
    {
        std::vector<std::string> texts;
        for (const auto& line : simulator->transmittedLines())
            if (std::find(modes.begin(), modes.end(), line.mode) != modes.end() && line.to == to)
                texts.push_back(line.text);
        return texts;
    }
    // PACTOR standby is the controller's command prompt.
    const std::vector<SimMode> pactor{SimMode::Command, SimMode::Pactor};
    bool simSending()
    {
        return fromEngine([](const ptcsim::SimEngine& e) { return e.transmitting(); });
    }
};

} // namespace

TEST_F(CallingAndCq, F5CallsTheTypedStationAndTheyTalk)
{
    bool answered = false;
    QTimer::singleShot(0, window.get(), [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        auto* input = dialog->findChild<QLineEdit*>(QStringLiteral("InputCall"));
        ASSERT_NE(input, nullptr);
        QTest::keyClicks(input, QStringLiteral("dl2xyz"));
        QTest::keyClick(input, Qt::Key_Return);
        answered = true;
    });
    press(Qt::Key_F5);
    ASSERT_TRUE(answered);
    const QByteArray call = "\x1b"
                            "C DL2XYZ\r";
    ASSERT_TRUE(waitFor([&] { return receivedText().size() >= call.size(); }));
    EXPECT_EQ(receivedText(), call);

    ASSERT_TRUE(waitFor([&] { return pane(2) == QStringLiteral("CONNECT"); }));
    EXPECT_TRUE(core().station.Connected);
    EXPECT_EQ(pane(3), QStringLiteral("DL2XYZ"));
    const std::string greeting = lastRemoteText();
    ASSERT_TRUE(waitFor([&] {
        return window->receiveWindow()->toPlainText().contains(textAsShown(greeting).trimmed());
    }));

    type(QStringLiteral("gm Jan, name here is Kees"));
    ASSERT_TRUE(waitFor([&] { return !aired(pactor, "DL2XYZ").empty(); }));
    EXPECT_EQ(aired(pactor, "DL2XYZ"), std::vector<std::string>{"gm Jan, name here is Kees"});

    // The station answers the line; its text shows as it means it.
    ASSERT_TRUE(waitFor([&] { return lastRemoteText() != greeting; }));
    const QString answer = textAsShown(lastRemoteText()).trimmed();
    ASSERT_FALSE(answer.isEmpty());
    EXPECT_TRUE(waitFor([&] { return window->receiveWindow()->toPlainText().contains(answer); }))
        << answer.toStdString();
    EXPECT_TRUE(modal.shown.isEmpty());
}

TEST_F(CallingAndCq, F8InPactorSendsTheCqUnprotoAndEndsIt)
{
    dir.write(QStringLiteral("Orvanti.CQP"),
              "CQ CQ CQ de %%MYCALL %%MYCALL\r\nCQ CQ CQ de %%mycall\r\npse k\r\n");
    press(Qt::Key_F8);
    const QByteArray expected = "U 1\rCQ CQ CQ de DL1ABC DL1ABC\rCQ CQ CQ de DL1ABC\rpse k\r\x04";
    ASSERT_TRUE(waitFor([&] { return receivedText().size() >= expected.size(); }));
    EXPECT_EQ(receivedText(), expected);
    EXPECT_TRUE(window->transmitWindow()->toPlainText().contains(
        QStringLiteral("CQ CQ CQ de DL1ABC\npse k")));

    // The status line follows the transmission and goes back to standby at its end.
    ASSERT_TRUE(waitFor([&] { return core().station.Transmitting; }));
    ASSERT_TRUE(waitFor([&] { return !simSending(); }));
    EXPECT_EQ(aired(pactor), (std::vector<std::string>{"CQ CQ CQ de DL1ABC DL1ABC",
                                                       "CQ CQ CQ de DL1ABC", "pse k"}));
    EXPECT_TRUE(waitFor(
        [&] { return !core().station.Transmitting && pane(2) == QStringLiteral("STANDBY"); }));
    EXPECT_FALSE(core().station.CqSending);
    EXPECT_TRUE(modal.shown.isEmpty());
}

TEST_F(CallingAndCq, F8InCwKeysUpAndKeysTheCqText)
{
    window->findChild<QAction*>(Name::MenuCw)->trigger();
    ASSERT_EQ(core().station.ModeId, Mode::Cw);
    ASSERT_TRUE(waitFor([&] {
        return fromEngine([](const ptcsim::SimEngine& e) { return e.mode(); }) == SimMode::Cw;
    }));
    // The switch leaves the controller at its command prompt (its closing ESC); setting
    // the speed answers it, as an operator does before calling in CW.
    modal.queueInput(QStringLiteral("25"));
    window->findChild<QAbstractButton*>(Name::CwTxSpeed)->click();
    ASSERT_TRUE(waitFor([&] {
        return fromEngine([](const ptcsim::SimEngine& e) { return e.settings().cwTxSpeed; }) == 25;
    }));
    dir.write(QStringLiteral("Orvanti.CQC"), "cq cq de %%MYCALL %%MYCALL\r\npse k\r\n");
    simulator->clearReceived();

    press(Qt::Key_F8);
    // Ctrl-Y twice a second apart keys up; Ctrl-D at the end.
    const QByteArray expected = "\x19\x19"
                                "cq cq de DL1ABC DL1ABC\rpse k\r\x04";
    ASSERT_TRUE(waitFor([&] { return receivedText().size() >= expected.size(); }));
    EXPECT_EQ(receivedText(), expected);
    std::vector<std::int64_t> keyUps;
    for (const auto& byte : simulator->receivedWithTimes())
        if (byte.byte == 0x19)
            keyUps.push_back(byte.atMs);
    ASSERT_EQ(keyUps.size(), 2u);
    EXPECT_GE(keyUps[1] - keyUps[0], 990);
    ASSERT_TRUE(waitFor([&] { return aired({SimMode::Cw}).size() >= 2; }));
    EXPECT_EQ(aired({SimMode::Cw}), (std::vector<std::string>{"cq cq de DL1ABC DL1ABC", "pse k"}));
    EXPECT_FALSE(core().station.CqSending);
    EXPECT_TRUE(modal.shown.isEmpty());
}
