// The mode pages, menus, toolbars, status panes and the audio dialog on the real
// windows (offscreen) with the fake port: what the operator's keys and clicks reach.

#include "WindowOnFakes.h"
#include "modes/dialogs/TConfigAudio.h"
#include "ui/THoofdForm.h"
#include "ui/TTransmitMemo.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

class ModePagesTest : public ::testing::Test, public WindowOnFakes {
protected:
    ModePagesTest() : WindowOnFakes({"PtcParameters/Call=PA0XYZ"}) {}

    void SetUp() override
    {
        window->createDialogs();
        ASSERT_TRUE(showActive());
        core().station.FormReady = true;
        core().station.PtcType = PtcModel::II;
        wire.clear();
    }

    QTabWidget* pages() const { return named<QTabWidget>("PageControl"); }
};

} // namespace

TEST_F(ModePagesTest, AFunctionKeySwitchesModeAndPage)
{
    QTest::keyClick(window->transmitWindow(), Qt::Key_F3);
    EXPECT_EQ(pages()->currentIndex(), 1);
    EXPECT_EQ(core().station.ModeId, Mode::Amtor);
    EXPECT_TRUE(wire.writtenText().endsWith(QLatin1String("Pt<CR>AM<CR>")));
}

TEST_F(ModePagesTest, ActionKeysWinOverTheTextWindowAndTheMenuBar)
{
    core().station.ModeId = Mode::Pactor;
    core().station.Connected = true;
    QTest::keyClick(window->transmitWindow(), Qt::Key_End);
    EXPECT_EQ(wire.writtenText(), QStringLiteral("<CR><25><CR>"));

    // Alt+H is also the Help menu's letter; the Hard Disconnect entry has it, but not
    // while its menu is off.
    wire.clear();
    QTest::keyClick(window->transmitWindow(), Qt::Key_H, Qt::AltModifier);
    QTest::keyClick(window->transmitWindow(), Qt::Key_H, Qt::AltModifier);
    EXPECT_EQ(wire.writtenText(), QStringLiteral("<ESC>DD<CR><ESC>DD<CR>"));
    wire.clear();
    named<QMenu>("MainMenuAction")->menuAction()->setEnabled(false);
    QTest::keyClick(window->transmitWindow(), Qt::Key_H, Qt::AltModifier);
    EXPECT_TRUE(wire.events().empty());
}

TEST_F(ModePagesTest, ATabClickedDuringALinkSpringsBack)
{
    core().station.Connected = true;
    core().texts.NoChangeText = QStringLiteral("Disconnect first");
    const QRect rtty = pages()->tabBar()->tabRect(3);
    QTest::mouseClick(pages()->tabBar(), Qt::LeftButton, {}, rtty.center());
    EXPECT_EQ(pages()->currentIndex(), 0);
    EXPECT_TRUE(wire.events().empty());
    ASSERT_FALSE(modal.shown.isEmpty());
    EXPECT_EQ(modal.shown.last().text, QStringLiteral("Disconnect first"));

    core().station.Connected = false;
    QTest::mouseClick(pages()->tabBar(), Qt::LeftButton, {}, rtty.center());
    EXPECT_EQ(pages()->currentIndex(), 3);
    EXPECT_EQ(core().station.ModeId, Mode::Rtty);
}

TEST_F(ModePagesTest, FeaturesStillToComeStayDisabled)
{
    core().station.Connected = false;
    core().status.StatusLine(); // enables what starts a link
    EXPECT_TRUE(named<QAbstractButton>("PactorStandby")->isEnabled());
    EXPECT_FALSE(named<QWidget>("UpdateButton")->isEnabled());
    EXPECT_TRUE(named<QAction>("MenuToggleMaildrop")->isEnabled());
    for (const char* name :
         {"PactorConnect", "PactorCQ", "AmtorConnect", "RttyHisCall", "XmitFile", "AmtexOn"})
        EXPECT_TRUE(named<QWidget>(name)->isEnabled()) << name;
    EXPECT_TRUE(named<QAction>("MenuCallAstation")->isEnabled());
    EXPECT_TRUE(named<QAction>("PopUpMakeHiscallselectedtext")->isEnabled());
}

// The NAVTEX toolbar's buttons take no focus; Action > Navtex/Amtex carries them under
// the same captions, for the keyboard. Buttons are read out by their captions.
TEST_F(ModePagesTest, TheNavtexToolbarIsInTheActionMenuForTheKeyboard)
{
    const std::pair<const char*, const char*> copies[] = {
        {"AmtexOn", "MenuAmtexOn"},       {"NavtexOn", "MenuNavtexOn"},
        {"NavtexOff", "MenuNavtexOff"},   {"NavtexMsgType", "MenuNavtexMsgType"},
        {"NavtexArea", "MenuNavtexArea"}, {"NavtexTime", "MenuNavtexTime"},
    };
    for (const auto& [button, item] : copies) {
        const QString caption = named<QAbstractButton>(button)->text();
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(named(button));
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->text(QAccessible::Name), caption) << button;
        EXPECT_EQ(named<QAction>(item)->text().remove(QLatin1Char('&')), caption) << item;
    }
    // A button showing a sign is read out by what it does.
    EXPECT_EQ(
        QAccessible::queryAccessibleInterface(named("PactorDisconnect"))->text(QAccessible::Name),
        QStringLiteral("Disconnect"));

    // Alt+A, V for the submenu, R for "Area", an answer and Enter.
    core().texts.NavtexAreaText = QStringLiteral("Area");
    modal.queueInput(QStringLiteral("EFG"));
    QTest::keyClick(window->transmitWindow(), Qt::Key_A, Qt::AltModifier);
    auto* actions = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_EQ(actions, named<QMenu>("MainMenuAction"));
    QTest::keyClick(actions, Qt::Key_V);
    auto* navtex = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_EQ(navtex, named<QMenu>("MenuNavtexReception"));
    QTest::keyClick(navtex, Qt::Key_R);
    EXPECT_EQ(wire.transcript(), QStringLiteral("Nav AREA EFG<CR>"));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(ModePagesTest, ToolbarButtonsAndPanesReachTheController)
{
    named<QAbstractButton>("PactorDuplex")->click();
    EXPECT_TRUE(named<QAbstractButton>("PactorDuplex")->isChecked());
    named<QAbstractButton>("PactorUnpro")->click();
    EXPECT_EQ(wire.writtenText(), QStringLiteral("<ESC>Pd 1<CR>U 1<CR>"));

    wire.clear();
    core().station.ModeId = Mode::Rtty;
    auto* modePane = named<QLabel>("Pane1");
    QTest::mouseClick(modePane, Qt::RightButton);
    EXPECT_EQ(named<QLabel>("Pane8")->text(), QStringLiteral("1"));
    QTest::mouseClick(modePane, Qt::LeftButton); // the LTRS command
    EXPECT_EQ(wire.writtenText(), QStringLiteral("<ESC>TR 1<CR><2>"));

    named<QAbstractButton>("RttyWout")->click();
    EXPECT_TRUE(core().station.WordOut);
    EXPECT_TRUE(named<QAbstractButton>("CwWout")->isChecked());
}

TEST_F(ModePagesTest, EveryCommandButtonAndUnprotoEntrySendsItsOwnBytes)
{
    const struct {
        const char* button;
        const char* sent;
    } buttons[] = {
        {"CwRxAuto", "<6>"},
        {"CwRxSpeedUp", "<21>"},
        {"CwRxSpeedDown", "<4>"},
        {"CwTransmit", "<25>[1000ms]<25>"},
        {"PskUp", "<12>"},
        {"PskDown", "<11>"},
        {"PskNet", "<14>"},
        {"PskMode", "<2>"},
        {"PskReset", "<6>"},
        {"PskTransmit", "<25>"},
        {"PskStandby", "<ESC>DD<CR>PSKT<CR>"},
        {"rttyTransmit", "<25>"},
        {"PacketDisconnect", "<ESC>D<CR>"},
        {"AmtorHardDisconnect", "<ESC>DD<CR>"},
    };
    for (const auto& entry : buttons) {
        wire.clear();
        auto* button = named<QAbstractButton>(entry.button);
        button->setEnabled(true);
        button->click();
        EXPECT_EQ(wire.transcript(), QLatin1String(entry.sent)) << entry.button;
    }
    wire.clear();
    const char* const unproto[] = {"Sub_Menu100BdFSK",   "Sub_Menu200BdFSK",   "Sub_Menu100BdDPSKs",
                                   "Sub_Menu200BdDPSKs", "Sub_Menu400BDDPSKs", "Sub_Menu800BdDPSKs",
                                   "Sub_Menu100BdDPSKl", "Sub_Menu200BdDPSKl", "Sub_Menu400BdDPSKl",
                                   "Sub_Menu800BdDPSKl"};
    for (const char* entry : unproto)
        named<QAction>(entry)->trigger();
    EXPECT_EQ(wire.writtenText(), QStringLiteral("U 1<CR>U 2<CR>U 3<CR>U 4<CR>U 5<CR>U 6<CR>"
                                                 "U 7<CR>U 8<CR>U 9<CR>U 10<CR>"));
}

TEST_F(ModePagesTest, TheWheelDoesNotRunThroughTheModes)
{
    QWheelEvent wheel(QPointF(20, 5), pages()->tabBar()->mapToGlobal(QPointF(20, 5)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(pages()->tabBar(), &wheel);
    EXPECT_EQ(pages()->currentIndex(), 0);
    EXPECT_TRUE(wire.events().empty());
}

TEST_F(ModePagesTest, TheAudioDialogStaysOpenOnAValueThatIsNoNumber)
{
    TConfigAudio* dialog = window->configAudio();
    dialog->show();
    auto* centre = dialog->findChild<QLineEdit*>(QStringLiteral("WaardeCenterQRG"));
    centre->selectAll();
    QTest::keyClicks(centre, QStringLiteral("12x"));
    dialog->findChild<QPushButton*>(QStringLiteral("OkKnop"))->click();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(wire.transcript(), QStringLiteral("<ESC>Aud<CR>[500ms]"));
    ASSERT_FALSE(modal.shown.isEmpty());
    EXPECT_EQ(modal.shown.last().text, QStringLiteral("'12x' is not a valid integer value"));

    // The bar writes its value into the field; Ok then sends it.
    wire.clear();
    dialog->findChild<QSlider*>(QStringLiteral("QrgBar"))->setValue(1500);
    EXPECT_EQ(centre->text(), QStringLiteral("1500"));
    dialog->findChild<QPushButton*>(QStringLiteral("OkKnop"))->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(wire.transcript(), QStringLiteral("<ESC>Aud<CR>[500ms]C 1500<CR>Q<CR><17>"));
}
