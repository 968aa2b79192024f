// The calling dialogs on the real window (offscreen) with the fake port: opened by their
// keys, driven by the keyboard, and what reaches the wire.

#include "WindowOnFakes.h"
#include "modes/Navtex.h"
#include "ui/THoofdForm.h"
#include "ui/TTransmitMemo.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

class CallDialogsTest : public ::testing::Test, public WindowOnFakes {
protected:
    CallDialogsTest() : WindowOnFakes({"PtcParameters/Call=PA0XYZ"}) {}

    void SetUp() override
    {
        // The window's own dialogs, not queued answers.
        modal.onDialog = [this](Dialog dialog) { window->runDialog(dialog); };
        window->createDialogs();
        ASSERT_TRUE(showActive());
        core().station.FormReady = true;
        core().station.PtcType = PtcModel::II;
        wire.clear();
    }

    // Presses `key` in the transmit window; `operate` then works the dialog it opens.
    void pressAndOperate(int key, Qt::KeyboardModifiers modifiers,
                         const std::function<void(QWidget*)>& operate)
    {
        openAndOperate([&] { QTest::keyClick(window->transmitWindow(), Qt::Key(key), modifiers); },
                       operate);
    }
    void openAndOperate(const std::function<void()>& open,
                        const std::function<void(QWidget*)>& operate)
    {
        bool operated = false;
        QTimer::singleShot(0, window.get(), [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            EXPECT_NE(dialog, nullptr);
            if (dialog)
                operate(dialog);
            operated = true;
        });
        open();
        EXPECT_TRUE(operated);
    }
};

} // namespace

TEST_F(CallDialogsTest, F5TypedCallAndEnterConnectsEscapeCancels)
{
    pressAndOperate(Qt::Key_F5, Qt::NoModifier, [](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Orvanti"));
        EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                  QStringLiteral("Connect To:"));
        auto* input = dialog->findChild<QLineEdit*>(QStringLiteral("InputCall"));
        EXPECT_EQ(dialog->focusWidget(), input);
        EXPECT_EQ(input->accessibleName(), QStringLiteral("Connect To:"));
        QTest::keyClicks(input, QStringLiteral("dl1abc"));
        EXPECT_EQ(input->text(), QStringLiteral("DL1ABC"));
        QTest::keyClick(input, Qt::Key_Return);
    });
    EXPECT_EQ(wire.transcript(), QStringLiteral("<ESC>C DL1ABC<CR>"));
    EXPECT_EQ(core().station.HisCall, QStringLiteral("DL1ABC"));
    EXPECT_FALSE(core().station.ReceiveHold);

    // The last call is offered, all of it selected; Escape cancels and forgets. (The
    // offscreen platform leaves the closed dialog the active window, so no shortcut.)
    wire.clear();
    auto* entry = window->findChild<QAction*>(QStringLiteral("MenuCallAstation"));
    openAndOperate([entry] { entry->trigger(); },
                   [](QWidget* dialog) {
                       auto* input = dialog->findChild<QLineEdit*>(QStringLiteral("InputCall"));
                       EXPECT_EQ(input->selectedText(), QStringLiteral("DL1ABC"));
                       QTest::keyClick(input, Qt::Key_Escape);
                   });
    EXPECT_TRUE(wire.events().empty());
    EXPECT_EQ(core().station.HisCall, QString());
}

TEST_F(CallDialogsTest, AltF5PicksFromTheListByKeyboard)
{
    dir.write(QStringLiteral("Orvanti.CAL"), "DL1ABC\r\nPA0ZZZ,DB0XYZ\r\n");
    pressAndOperate(Qt::Key_F5, Qt::AltModifier, [](QWidget* dialog) {
        auto* calls = dialog->findChild<QListWidget*>(QStringLiteral("Inputcalls"));
        ASSERT_EQ(calls->count(), 2);
        EXPECT_EQ(dialog->focusWidget(), calls);
        QTest::keyClick(calls, Qt::Key_Down);
        QTest::keyClick(calls, Qt::Key_Down);
        QTest::keyClick(calls, Qt::Key_Return);
    });
    EXPECT_EQ(wire.writtenText(), QStringLiteral("<ESC>C PA0ZZZ,DB0XYZ<CR>"));
    EXPECT_EQ(core().station.HisCall, QStringLiteral("PA0ZZZ"));
}

TEST_F(CallDialogsTest, TheAutoCqDialogStaysOpenOnADelayOutOfRange)
{
    QWidget* dialog = nullptr;
    QTimer::singleShot(0, window.get(), [&] {
        dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->findChild<QRadioButton*>(QStringLiteral("AutoCqOff"))->isChecked());
        dialog->findChild<QRadioButton*>(QStringLiteral("AutoCqOn"))->click();
        auto* delay = dialog->findChild<QLineEdit*>(QStringLiteral("AutoCqDelaytime"));
        EXPECT_EQ(delay->accessibleName(), QStringLiteral("AutoCq Delay"));
        delay->setText(QStringLiteral("0"));
        dialog->findChild<QPushButton*>(QStringLiteral("CqOkKnop"))->click();
        EXPECT_TRUE(dialog->isVisible());
        ASSERT_FALSE(modal.shown.isEmpty());
        EXPECT_TRUE(modal.shown.last().text.contains(QStringLiteral("from 1 to 255")));
        delay->setText(QStringLiteral("30"));
        dialog->findChild<QPushButton*>(QStringLiteral("CqOkKnop"))->click();
        EXPECT_FALSE(dialog->isVisible());
    });
    window->findChild<QAction*>(QStringLiteral("MenuAutoCQ"))->trigger();
    EXPECT_NE(dialog, nullptr);
    EXPECT_TRUE(core().station.AutoCqOn);
    EXPECT_EQ(core().cqTimer().interval(), 30000);
    EXPECT_TRUE(wire.writtenText().startsWith(QStringLiteral("Nav Amtex 0<CR>Nav 0<CR>")));
}

TEST_F(CallDialogsTest, TheFileExistsDialogAnswersByItsButtonsAndItsCloseBoxIsCancel)
{
    FileExistsQuestion& question = core().capture.fileExists;
    const struct {
        const char* name;
        bool appendEnabled;
        std::function<void(QWidget*)> operate;
        FileExistsQuestion::Answer answer;
    } cases[] = {
        {"Delete by keyboard", true,
         [](QWidget* d) {
             QTest::keyClick(d->findChild<QPushButton*>(QStringLiteral("YesKnop")), Qt::Key_Space);
         },
         FileExistsQuestion::Delete},
        {"Append", true,
         [](QWidget* d) { d->findChild<QPushButton*>(QStringLiteral("Noknop"))->click(); },
         FileExistsQuestion::Append},
        {"Cancel", true,
         [](QWidget* d) { d->findChild<QPushButton*>(QStringLiteral("CancelKnop"))->click(); },
         FileExistsQuestion::Cancel},
        {"close box", true, [](QWidget* d) { d->close(); }, FileExistsQuestion::Cancel},
        {"Escape", false, [](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); },
         FileExistsQuestion::Cancel},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        question.caption = QStringLiteral("Orvanti.log");
        question.label1 = c.appendEnabled ? QStringLiteral("one") : QString();
        question.label2 = QString();
        question.appendEnabled = c.appendEnabled;
        // Start from another answer, so one left standing shows.
        question.answer = c.answer == FileExistsQuestion::Cancel ? FileExistsQuestion::Append
                                                                 : FileExistsQuestion::Cancel;
        openAndOperate([&] { window->runDialog(Dialog::FileExists); },
                       [&](QWidget* dialog) {
                           EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Orvanti.log"));
                           EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                                     question.label1);
                           auto* append = dialog->findChild<QPushButton*>(QStringLiteral("Noknop"));
                           EXPECT_EQ(append->isEnabled(), c.appendEnabled);
                           EXPECT_EQ(append->accessibleName(), QStringLiteral("Append"));
                           c.operate(dialog);
                       });
        EXPECT_EQ(question.answer, c.answer);
    }
}

// The type dialogs by keyboard alone: focus starts on "All", Tab walks the types in
// letter order, Space ticks, Enter is Ok, Escape Cancel. Boxes and buttons are read out
// by their captions.
TEST_F(CallDialogsTest, TheTypeDialogsWorkByKeyboardAndSendTheTicked)
{
    using Keys = std::vector<Qt::Key>;
    const Qt::Key Tab = Qt::Key_Tab, Space = Qt::Key_Space;
    const struct {
        const char* name;
        bool amtex;
        Keys keys;
        const char* sent;
    } cases[] = {
        {"second type", false, {Tab, Tab, Space, Qt::Key_Return}, "Nav B<CR>"},
        {"fourth type", true, {Tab, Tab, Tab, Tab, Space, Qt::Key_Return}, "Nav P<CR>"},
        {"Escape", false, {Tab, Space, Qt::Key_Escape}, ""},
        {"All, then not All", false, {Space, Space, Qt::Key_Return}, "Nav ABCDEFGHIJKL<CR>"},
        {"All", true, {Space, Qt::Key_Enter}, "Nav EGKPSX<CR>"},
        {"nothing ticked", true, {Tab, Tab, Tab, Tab, Tab, Tab, Tab, Space}, "Nav <CR>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        wire.clear();
        Navtex& navtex = core().navtex;
        navtex.navtexBoxes.fill(false);
        navtex.amtexBoxes.fill(false);
        navtex.navtexAll = navtex.amtexAll = false;
        core().settings.AmtexActive = c.amtex;
        openAndOperate([this] { core().navtex.NavtexMsgTypeClick(); },
                       [&c](QWidget* dialog) {
                           EXPECT_EQ(dialog->windowTitle(),
                                     QLatin1String(c.amtex ? "Orvanti" : "Navtex"));
                           for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
                               EXPECT_EQ(button->accessibleName(), button->text());
                           EXPECT_EQ(dialog->focusWidget()->objectName(), QStringLiteral("All"));
                           for (const Qt::Key key : c.keys)
                               QTest::keyClick(dialog->focusWidget(), key);
                           if (dialog->isVisible()) {
                               ADD_FAILURE() << "the keys left the dialog open";
                               static_cast<QDialog*>(dialog)->reject();
                           }
                       });
        EXPECT_EQ(wire.writtenText(), QLatin1String(c.sent));
    }
}
