// The keyboard on the real windows (offscreen) with the fake port: word-out and
// conversation modes, control keys, read-back keys, the clipboard keys, the clear
// buttons and the word-wrap dialog.

#include "WindowOnFakes.h"
#include "app/dialogs/TWordwrapForm.h"
#include "ui/THoofdForm.h"
#include "ui/TQvRichEdit.h"
#include "ui/TRzPanel.h"
#include "ui/TTransmitMemo.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class KeyboardTest : public ::testing::Test, public WindowOnFakes {
protected:
    KeyboardTest() : WindowOnFakes({"Program/WrapLineLength=60", "Program/MaxLineLength=70"}) {}

    void SetUp() override
    {
        window->show();
        core().station.FormReady = true;
        wire.clear();
    }

    TTransmitMemo* transmit() { return window->transmitWindow(); }

    // Ctrl with a letter as the keyboard delivers it: the control character as text.
    void ctrl(char letter)
    {
        const int key = Qt::Key_A + (letter - 'A');
        QKeyEvent press(QEvent::KeyPress, key, Qt::ControlModifier,
                        QString(QChar(char16_t(letter - 'A' + 1))));
        QApplication::sendEvent(transmit(), &press);
    }

    // The controller sends `bytes`; one poll reads and shows them.
    void receive(const QByteArray& bytes)
    {
        port.feed(bytes);
        core().link.ReceiveTimer();
    }

    QString receiveText() const { return window->receiveWindow()->toPlainText(); }
};

} // namespace

TEST_F(KeyboardTest, WordOutHoldsLettersUntilTheWordEnds)
{
    core().station.ModeId = Mode::Rtty;
    core().station.WordOut = true;
    QTest::keyClicks(transmit(), QStringLiteral("ab"));
    EXPECT_EQ(wire.written(), QByteArray());
    QTest::keyClick(transmit(), Qt::Key_Space);
    EXPECT_EQ(wire.written(), QByteArray("ab "));
    QTest::keyClicks(transmit(), QStringLiteral("cdx"));
    QTest::keyClick(transmit(), Qt::Key_Backspace); // takes back the held x
    QTest::keyClick(transmit(), Qt::Key_Return);
    EXPECT_EQ(wire.written(), QByteArray("ab cd\r"));
    EXPECT_EQ(transmit()->toPlainText(), QStringLiteral("ab cd\n"));
}

TEST_F(KeyboardTest, ConversationModeSendsTheHeldTextOnceTheControllerTransmits)
{
    ctrl('K');
    ASSERT_TRUE(core().station.ConvMode);
    QTest::keyClicks(transmit(), QStringLiteral("hi"));
    QTest::keyClick(transmit(), Qt::Key_Return);
    EXPECT_EQ(wire.written(), QByteArray()) << "Ctrl+K types nothing, the text waits";
    core().status.ErrorTimer();
    EXPECT_EQ(wire.written(), QByteArray());

    receive("\x1e\x2a"); // connected, bit 3: the controller transmits
    core().status.ErrorTimer();
    EXPECT_EQ(wire.written(), QByteArray("hi\r"));
    core().status.ErrorTimer();
    EXPECT_EQ(wire.written(), QByteArray("hi\r")) << "sent once";
}

TEST_F(KeyboardTest, CtrlSFreezesTheReceiveDisplayUntilCtrlQ)
{
    ctrl('S');
    EXPECT_EQ(wire.written(), QByteArray("\x13"));
    EXPECT_EQ(transmit()->toPlainText(), QStringLiteral("CTRL-S\n"));
    EXPECT_EQ(window->findChild<TRzPanel*>(Name::XOnLed)->caption(), QStringLiteral("XOff"));
    receive("\x02held text");
    EXPECT_FALSE(receiveText().contains(QStringLiteral("held text")));

    ctrl('Q');
    EXPECT_EQ(wire.written(), QByteArray("\x13\x11"));
    core().link.ReceiveTimer();
    EXPECT_TRUE(receiveText().endsWith(QStringLiteral("held text")));
}

TEST_F(KeyboardTest, SomeControlKeysSendNothingAndEscapeGoesOut)
{
    ctrl('U');
    ctrl('V');
    EXPECT_EQ(wire.written(), QByteArray());
    ctrl('C');
    EXPECT_EQ(wire.written(), QByteArray("\x03"));
    QTest::keyClick(transmit(), Qt::Key_Escape);
    EXPECT_EQ(wire.written(), QByteArray("\x03\x1b"));
    EXPECT_EQ(transmit()->toPlainText(), QStringLiteral("CTRL-C\n"));

    // Ctrl+K outside PACTOR and AMTOR changes nothing.
    core().station.ModeId = Mode::Rtty;
    ctrl('K');
    EXPECT_FALSE(core().station.ConvMode);
    EXPECT_EQ(wire.written(), QByteArray("\x03\x1b"));
    EXPECT_EQ(transmit()->toPlainText(), QStringLiteral("CTRL-C\n"));
}

TEST_F(KeyboardTest, EnterOnASelectionSendsTheSelectionAsLines)
{
    transmit()->insertAtCaret(QStringLiteral("first line\nsecond"));
    transmit()->selectAll();
    wire.clear();
    QTest::keyClick(transmit(), Qt::Key_Return);
    EXPECT_EQ(wire.written(), QByteArray("first line\rsecond\r"));
    EXPECT_EQ(transmit()->toPlainText(),
              QStringLiteral("first line\nsecond\nfirst line\nsecond\n"));
}

TEST_F(KeyboardTest, TheWindowNeverShowsAnEditTheControllerDidNotGet)
{
    QTest::keyClicks(transmit(), QStringLiteral("hello world"));
    ctrl('A'); // a control character, not select-all
    QTest::keyClick(transmit(), Qt::Key_Return);
    EXPECT_EQ(wire.written(), QByteArray("hello world\x01\r"));

    wire.clear();
    QTest::keyClicks(transmit(), QStringLiteral("ab"));
    QTest::keyClick(transmit(), Qt::Key_Backspace, Qt::ControlModifier);
    EXPECT_EQ(wire.written(), QByteArray("ab\b"));
    EXPECT_TRUE(transmit()->toPlainText().endsWith(QStringLiteral("\na"))) << "one character";

    // Delete as X11 delivers it, with DEL as its text, edits the window only.
    wire.clear();
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7f)));
    QApplication::sendEvent(transmit(), &del);
    EXPECT_EQ(wire.written(), QByteArray());

    // A backspace right after a line break does not join the lines.
    transmit()->clear();
    QTest::keyClicks(transmit(), QStringLiteral("x"));
    QTest::keyClick(transmit(), Qt::Key_Return);
    QTest::keyClick(transmit(), Qt::Key_Backspace);
    EXPECT_EQ(transmit()->toPlainText(), QStringLiteral("x\n"));

    // A letter composed by the input method is sent like a typed one.
    wire.clear();
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("é"));
    QApplication::sendEvent(transmit(), &composed);
    EXPECT_EQ(wire.written(), QByteArray("\x82"));
}

TEST_F(KeyboardTest, ClipboardKeysCopyFromTheReceiveWindowAndPasteWithoutSending)
{
    receive("\x02 DL1ABC de DK0XY");
    const int start = static_cast<int>(receiveText().indexOf(QStringLiteral("DL1ABC")));
    QTextCursor cursor = window->receiveWindow()->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + 6, QTextCursor::KeepAnchor);
    window->receiveWindow()->setTextCursor(cursor);
    core().station.HisCall = QStringLiteral("OLD");

    QTest::keyClick(transmit(), Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("DL1ABC"));
    EXPECT_EQ(core().station.HisCall, QString());

    QTest::keyClick(transmit(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(transmit()->toPlainText(), QStringLiteral("DL1ABC"));
    EXPECT_EQ(wire.written(), QByteArray());

    core().status.ErrorTimer();
    auto* clear = window->findChild<QAction*>(Name::PopUpClipClear);
    ASSERT_TRUE(clear->isEnabled());
    clear->trigger();
    core().status.ErrorTimer();
    EXPECT_FALSE(clear->isEnabled());
}

TEST_F(KeyboardTest, ReadingBackTakesTheKeysUntilEscape)
{
    for (int i = 0; i < 200; ++i)
        receive("\x02line\r");
    core().status.ErrorTimer(); // the housekeeping has seen the window at its end
    QTest::keyClick(transmit(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_TRUE(core().station.ScrollBack);
    const int scrolled = window->receiveWindow()->scrollPosition();

    core().status.ErrorTimer();
    receive("\x02new");
    EXPECT_FALSE(receiveText().endsWith(QStringLiteral("new"))) << "no reading while back";
    QTest::keyClick(window->receiveWindow(), Qt::Key_PageUp);
    EXPECT_LT(window->receiveWindow()->scrollPosition(), scrolled);
    QTest::keyClick(window->receiveWindow(), Qt::Key_Escape);
    core().status.ErrorTimer();
    EXPECT_FALSE(core().station.ScrollBack);
    core().link.ReceiveTimer();
    EXPECT_TRUE(receiveText().endsWith(QStringLiteral("new")));
}

TEST_F(KeyboardTest, ClearButtonsEmptyTheWindowsAndTheControllerBuffer)
{
    receive("\x02some text");
    QTest::keyClicks(transmit(), QStringLiteral("typed"));
    wire.clear();
    window->findChild<QAbstractButton*>(Name::ClearTransmitBuffer)->click();
    EXPECT_EQ(wire.written(), QByteArray("\x1b"
                                         "CLR\r"));
    window->findChild<QAbstractButton*>(Name::SpeedTxClear)->click();
    EXPECT_EQ(transmit()->toPlainText(), QString());
    window->findChild<QAbstractButton*>(Name::SpeedRxClear)->click();
    EXPECT_EQ(receiveText(), QString());
    EXPECT_EQ(wire.written(), QByteArray("\x1b"
                                         "CLR\r"));
}

TEST_F(KeyboardTest, WordWrapDialogKeepsTheLineLengthTenAboveAndRefusesBadEntries)
{
    TWordwrapForm dialog(core().settings, modal, window.get());
    dialog.show();
    auto* wrap = dialog.findChild<QLineEdit*>(QStringLiteral("WordwrapEdit"));
    auto* length = dialog.findChild<QLineEdit*>(QStringLiteral("LineLengthEdit"));
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("WordwrapOk"));
    EXPECT_EQ(wrap->text(), QStringLiteral("60"));
    EXPECT_EQ(length->text(), QStringLiteral("70"));

    wrap->setText(QStringLiteral("60"));
    length->setText(QStringLiteral("65"));
    ok->click();
    EXPECT_EQ(core().settings.WrapMin, 60);
    EXPECT_EQ(core().settings.WrapMax, 70);
    EXPECT_FALSE(dialog.isVisible());

    for (const char* bad : {"246", "-1", "abc", ""}) {
        dialog.show();
        wrap->setText(QLatin1String(bad));
        ok->click();
        EXPECT_TRUE(dialog.isVisible()) << bad;
        ASSERT_FALSE(modal.shown.isEmpty());
        EXPECT_TRUE(modal.shown.last().text.contains(QStringLiteral("0 to 245"))) << bad;
        EXPECT_EQ(core().settings.WrapMin, 60) << bad;
    }
    wrap->setText(QStringLiteral("245"));
    length->setText(QStringLiteral("256"));
    ok->click();
    EXPECT_TRUE(modal.shown.last().text.contains(QStringLiteral("0 to 255")));
    length->setText(QStringLiteral("0"));
    ok->click();
    EXPECT_EQ(core().settings.WrapMin, 245);
    EXPECT_EQ(core().settings.WrapMax, 255);
}

TEST_F(KeyboardTest, TheReceiveWindowTakesEachBlockWithItsEditsAndFollowsTheEnd)
{
    core().settings.MaxRxLength = 5000;
    receive("\x02"
            "abc\b\x03"
            "d\r\n");
    EXPECT_TRUE(receiveText().endsWith(QStringLiteral("abd\n")));
    for (int i = 0; i < 200; ++i)
        receive(QByteArray(60, 'x') + '\r');
    EXPECT_LE(window->receiveWindow()->length(), 5000 + 61);
    EXPECT_TRUE(receiveText().endsWith(QString(60, QLatin1Char('x')) + QLatin1Char('\n')));
    QScrollBar* bar = window->receiveWindow()->verticalScrollBar();
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_GT(bar->maximum(), 0);
}

TEST_F(KeyboardTest, AltAndADigitSendsAPreparedTextAndEscapeStopsIt)
{
    ASSERT_TRUE(showActive());
    wire.clear();
    core().station.Connected = true;
    dir.write(QStringLiteral("Orvanti.tx3"), "l1\r\nl2\r\nl3\r\n");
    int turn = 0;
    core().files.processEvents = [&](bool) {
        if (++turn == 2)
            QTest::keyClick(transmit(), Qt::Key_Escape);
    };
    QTest::keyClick(transmit(), Qt::Key_3, Qt::AltModifier);
    EXPECT_EQ(wire.writtenText().remove(QStringLiteral("<30>")),
              QStringLiteral("l1<CR><ESC>CLR<CR>"));

    // With nothing going out Escape is the controller's again.
    wire.clear();
    QTest::keyClick(transmit(), Qt::Key_Escape);
    EXPECT_EQ(wire.writtenText(), QStringLiteral("<ESC>"));
}
