// The whole program against the simulated controller on a real X server with no window
// manager: a clipboard that no program owns, as in a fresh X session or after the
// program that copied has quit, and a window that nothing activates.

#include "WindowOnSimulator.h"
#include "XDisplay.h"
#include "ui/TQvRichEdit.h"
#include "ui/TTransmitMemo.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

class OnBareDisplay : public ::testing::Test, public WindowOnSimulator {
protected:
    void SetUp() override
    {
        if (!xDisplayUnavailable().isEmpty())
            GTEST_SKIP() << "needs an X server: " << xDisplayUnavailable().toStdString();
        dir.writeSettings({"Startup Commands/Startup_2=MYLEVEL 3"});
    }

    // What the controller received, without the status requests.
    QByteArray sent() const
    {
        QByteArray bytes = QByteArray::fromStdString(simulator->received());
        bytes.removeIf([](char byte) { return byte == 30; });
        return bytes;
    }

    // Types `marker` and waits for it: whatever the program wrote before it is there too.
    bool typedAndArrived(char marker)
    {
        QTest::keyClick(window->transmitWindow(), marker);
        return waitFor([&] { return sent().endsWith(marker); });
    }

    qsizetype startupCommandsSent() const { return sent().count("MYLEVEL 3\r"); }

    ptcsim::SimMode simMode()
    {
        ptcsim::SimMode mode{};
        simulator->withEngine(
            [&](ptcsim::SimEngine& engine, std::int64_t) { mode = engine.mode(); });
        return mode;
    }
};

} // namespace

TEST_F(OnBareDisplay, PasteWithNothingOnTheClipboardPastesNothingAndSendsNothing)
{
    startSimulator({});
    TTransmitMemo* transmit = window->transmitWindow();
    TQvRichEdit* receive = window->receiveWindow();
    QClipboard* clipboard = QGuiApplication::clipboard();
    const auto nothingOffered = [clipboard](QClipboard::Mode mode) {
        const QMimeData* data = clipboard->mimeData(mode);
        return !data || data->formats().isEmpty();
    };
    ASSERT_TRUE(nothingOffered(QClipboard::Clipboard)) << "a fresh display: nobody owns it";
    ASSERT_TRUE(nothingOffered(QClipboard::Selection));

    const struct {
        const char* path;
        std::function<void()> paste;
    } pastes[] = {
        {"Ctrl+V", [&] { QTest::keyClick(transmit, Qt::Key_V, Qt::ControlModifier); }},
        {"Shift+Insert", [&] { QTest::keyClick(transmit, Qt::Key_Insert, Qt::ShiftModifier); }},
        {"Ctrl+Shift+Insert",
         [&] {
             QTest::keyClick(transmit, Qt::Key_Insert, Qt::ControlModifier | Qt::ShiftModifier);
         }},
        {"middle button", [&] { QTest::mouseClick(transmit->viewport(), Qt::MiddleButton); }},
        {"pop-up menu", [&] { window->findChild<QAction*>(Name::PopUpShiftIns)->trigger(); }},
        {"Ctrl+V in the receive window",
         [&] { QTest::keyClick(receive, Qt::Key_V, Qt::ControlModifier); }},
        {"middle button in the receive window",
         [&] { QTest::mouseClick(receive->viewport(), Qt::MiddleButton); }},
    };
    const auto pasteEverywhere = [&](const char* when, const QString& shown) {
        for (const auto& paste : pastes) {
            paste.paste();
            EXPECT_EQ(transmit->toPlainText(), shown) << paste.path << ", " << when;
        }
    };

    transmit->clear();
    simulator->clearReceived();
    pasteEverywhere("nobody owns the clipboard", QString());

    // The same paths do paste when there is text, and after the program has given up
    // the clipboard again there is nothing once more.
    clipboard->setText(QStringLiteral("QRV?"));
    QTest::keyClick(transmit, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(transmit->toPlainText(), QStringLiteral("QRV?"));
    clipboard->clear();
    ASSERT_TRUE(nothingOffered(QClipboard::Clipboard));
    pasteEverywhere("the clipboard was emptied", QStringLiteral("QRV?"));

    ASSERT_TRUE(typedAndArrived('x'));
    EXPECT_EQ(sent(), "x") << "a paste sends nothing";
}

TEST_F(OnBareDisplay, StartupCommandsGoOutOnceWhenNothingActivatesTheWindow)
{
    startSimulatorOnly({});
    createWindow(devicePath());
    // Nothing activates it, as under a window manager that holds new windows back.
    window->setAttribute(Qt::WA_ShowWithoutActivating);
    window->show();
    ASSERT_TRUE(waitFor([&] { return startupCommandsSent() == 1; }));
    EXPECT_FALSE(window->isActiveWindow());

    // The first real activation (the operator clicks in) finds that work done.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    ASSERT_TRUE(typedAndArrived('x'));
    EXPECT_EQ(startupCommandsSent(), 1);

    // Every activation after it runs it again.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_TRUE(waitFor([&] { return startupCommandsSent() == 2; }));
}

TEST_F(OnBareDisplay, TheWindowTakesTheKeyboardSoTheModeKeysWork)
{
    startSimulator({});
    // With no window manager to give it the keyboard, the window asks for it itself.
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    ASSERT_TRUE(typedAndArrived('x'));
    EXPECT_EQ(startupCommandsSent(), 1) << "its own activation is not a second first one";

    QTest::keyClick(window->transmitWindow(), Qt::Key_F4);
    EXPECT_TRUE(waitFor([&] { return simMode() == ptcsim::SimMode::Rtty; }));
}
