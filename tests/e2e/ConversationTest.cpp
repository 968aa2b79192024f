// A conversation with the simulated station through the whole program: the real
// serial driver on a pseudo-terminal, the real windows, real time.

#include "WindowOnSimulator.h"
#include "ui/TQvRichEdit.h"
#include "ui/TTransmitMemo.h"

#include <QLabel>
#include <QTest>
#include <QTextBlock>
#include <gtest/gtest.h>

namespace {

const QColor SystemBlue(0, 0, 255);
const QColor ReceivedGreen(0, 128, 0);
const QColor EchoRed(255, 0, 0);
const QColor PromptTeal(0, 128, 128);

class Conversation : public ::testing::Test, public WindowOnSimulator {
protected:
    void SetUp() override
    {
        dir.writeSettings({"ReceiveScreen/SystemTextColor=16711680",
                           "ReceiveScreen/ReceiveTextColor=32768",
                           "ReceiveScreen/DelayTextColor=255", "ReceiveScreen/PromptColor=8421376",
                           "Program/Messages On Screen=ON"});
        ptcsim::Options options;
        options.replyDelayMs = 300;
        options.radioCharsPerSecond = 50; // a line is on the air for about a second
        startSimulator(options);
    }

    QString receiveText() const { return window->receiveWindow()->toPlainText(); }

    // The colour of the last occurrence of `text` in the receive window.
    QColor colourOf(const QString& text) const
    {
        QTextDocument* document = window->receiveWindow()->document();
        const QTextCursor found = document->find(text, QTextCursor(document), {});
        QTextCursor last = found;
        for (QTextCursor next = found; !next.isNull();
             next = document->find(text, next, QTextDocument::FindFlags()))
            last = next;
        if (last.isNull())
            return {};
        QTextCursor inside(document);
        inside.setPosition(last.selectionStart() + 1);
        return inside.charFormat().foreground().color();
    }
};

} // namespace

TEST_F(Conversation, ClassesShowInTheirColoursAndTheStatusBarFollowsTheLink)
{
    OrvantiCore& core = window->core();
    ASSERT_TRUE(waitFor([&] { return receiveText().contains(QStringLiteral("cmd:")); }));
    EXPECT_EQ(colourOf(QStringLiteral("cmd:")), PromptTeal);
    ASSERT_TRUE(waitFor([&] { return pane(2) == QStringLiteral("STANDBY"); }));

    type(QStringLiteral("C DL2XYZ"));
    ASSERT_TRUE(waitFor([&] { return receiveText().contains(QStringLiteral("CONNECTED TO")); }));
    EXPECT_EQ(colourOf(QStringLiteral("CONNECTED TO")), SystemBlue);
    ASSERT_TRUE(waitFor([&] { return pane(2) == QStringLiteral("CONNECT"); }));
    EXPECT_TRUE(core.station.Connected);
    EXPECT_EQ(core.station.HisCall, QStringLiteral("DL2XYZ"));
    EXPECT_EQ(pane(3), QStringLiteral("DL2XYZ"));

    const QString line = QStringLiteral("hello from the test, in a line that takes a while");
    type(line);
    ASSERT_TRUE(waitFor([&] { return core.station.Transmitting; }))
        << "the status line shows the line going out, echo streaming in meanwhile";
    ASSERT_TRUE(waitFor([&] { return receiveText().contains(line); }));
    EXPECT_EQ(colourOf(line), EchoRed);

    // The station answers; its text (German letters and corrections included) is shown
    // as it means it, in the received colour.
    const std::string greeting = lastRemoteText();
    ASSERT_TRUE(waitFor([&] { return lastRemoteText() != greeting; }));
    const QString expected = textAsShown(lastRemoteText());
    const QString firstLine = expected.trimmed().section(QLatin1Char('\n'), 0, 0);
    ASSERT_FALSE(firstLine.isEmpty());
    ASSERT_TRUE(waitFor([&] { return receiveText().contains(firstLine); }))
        << firstLine.toStdString();
    EXPECT_EQ(colourOf(firstLine), ReceivedGreen);
    EXPECT_FALSE(receiveText().contains(QChar(8)));
}
