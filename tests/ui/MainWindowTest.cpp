// The real main window on the offscreen platform, with the fake port and clock: its
// named components, the view by name, menus, keys and the COM port dialog.

#include "WindowOnFakes.h"
#include "app/dialogs/TComBaudConfig.h"
#include "ui/HintPolicy.h"
#include "ui/QtColor.h"
#include "ui/THoofdForm.h"
#include "ui/TQvRichEdit.h"
#include "ui/TTransmitMemo.h"
#include "ui/WidgetView.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QStackedWidget>
#include <QTest>
#include <QTextCursor>
#include <gtest/gtest.h>

namespace {

class MainWindowTest : public ::testing::Test, public WindowOnFakes {
protected:
    MainWindowTest() : WindowOnFakes({"PtcParameters/Call=DL1ABC"}) {}

    void SetUp() override
    {
        window->createDialogs();
        window->show();
    }
};

} // namespace

TEST_F(MainWindowTest, EveryItemAndButtonRunsTheActionOfItsName)
{
    ActionTable& actions = window->core().actions;
    QStringList ran;
    for (const QString& name : actions.names())
        actions.add(name, [&ran, name] { ran.append(name); });

    QSet<QString> built;
    for (QObject* component : window->actionComponents()) {
        const QString name = component->objectName();
        built.insert(name);
        // Items of features still to come have no work; every other one has.
        const bool placeholder = window->view().isUnavailable(name);
        EXPECT_NE(actions.contains(name), placeholder) << name.toStdString();
        ran.clear();
        if (auto* action = qobject_cast<QAction*>(component)) {
            action->setEnabled(true);
            action->trigger();
        } else {
            auto* button = static_cast<QAbstractButton*>(component);
            button->setEnabled(true);
            button->click();
        }
        EXPECT_EQ(ran, placeholder ? QStringList() : QStringList{name}) << name.toStdString();
    }
    for (const QString& name : actions.names())
        EXPECT_TRUE(built.contains(name)) << "no component for action " << name.toStdString();
}

TEST_F(MainWindowTest, TheTransmitEntriesComeBeforeTheExitAndStopIsOffWhileIdle)
{
    QStringList names;
    for (QAction* action : named<QMenu>("MainmenuFile")->actions())
        names.append(action->objectName());
    QStringList expected{QStringLiteral("MenuTransmitFile")};
    for (int n = 1; n <= 9; ++n)
        expected.append(QStringLiteral("MenuTransmitText%1").arg(n));
    expected << QStringLiteral("MenuStopSending") << QStringLiteral("MenuExitOrvanti");
    EXPECT_EQ(names.mid(names.indexOf(expected.first())), expected);
    EXPECT_FALSE(named<QAction>("MenuStopSending")->isEnabled()) << "Escape stays the windows'";
    EXPECT_TRUE(named<QAbstractButton>("XmitFile")->isEnabled());
}

// The recording view in the core tests knows the window's names from this list.
TEST_F(MainWindowTest, TheListOfComponentNamesIsTheWindows)
{
    const QStringList names = window->view().componentNames();
    const QStringList listed = Name::all();
    for (const QString& name : names)
        EXPECT_TRUE(listed.contains(name))
            << "add to src/base/ComponentNames.h: " << name.toStdString();
    for (const QString& name : listed)
        EXPECT_TRUE(names.contains(name)) << "no window builds: " << name.toStdString();
}

TEST_F(MainWindowTest, AMisspeltComponentNameIsNoted)
{
    WidgetView::clearMissedNames();
    window->view().setCaption(Name::Pane1, QStringLiteral("PACTOR"));
    window->view().setEnabled(QStringLiteral("MenuComPrt"), false);
    EXPECT_EQ(WidgetView::missedNames(), QStringList{QStringLiteral("MenuComPrt")});
    WidgetView::clearMissedNames(); // noted; the suite's check would fail on it
}

TEST_F(MainWindowTest, TheStartShowsItsResultsInTheWidgets)
{
    EXPECT_EQ(named<QLabel>("Versie")->text(), QStringLiteral("Version 10.34"));
    EXPECT_EQ(named<QLabel>("Pane8")->text(), QStringLiteral("COM1: 9600"));
    EXPECT_EQ(named<QLabel>("PtcTekst")->text(), QStringLiteral("PTC II"));
    EXPECT_TRUE(window->windowTitle().endsWith(QStringLiteral("Version 10.34")));
    EXPECT_TRUE(wire.writtenText().contains(QStringLiteral("MYC DL1ABC<CR>")));
    const QColor fill = named<QWidget>("Transmitbalk")->palette().color(QPalette::Window);
    EXPECT_EQ(fill, QColor(192, 192, 192)) << "silver from the settings";
}

TEST_F(MainWindowTest, TypedKeysGoToTheControllerAndAreShown)
{
    wire.clear();
    QTest::keyClicks(window->transmitWindow(), QStringLiteral("cq de "));
    QKeyEvent umlaut(QEvent::KeyPress, Qt::Key_Adiaeresis, Qt::NoModifier, QStringLiteral("ä"));
    QApplication::sendEvent(window->transmitWindow(), &umlaut);
    QTest::keyClick(window->transmitWindow(), Qt::Key_Return);
    EXPECT_EQ(wire.written(), QByteArray("cq de \x84\r"));
    EXPECT_EQ(window->transmitWindow()->toPlainText(), QStringLiteral("cq de ä\n"));
}

TEST_F(MainWindowTest, OpeningAMenuFreezesTheReceiveWindowUntilTheMouseMoves)
{
    OrvantiCore& core = window->core();
    window->receiveWindow()->insertText(QStringLiteral("older "), Colors::Black);
    window->receiveWindow()->insertText(QStringLiteral("text"), Colors::Red);
    named<QMenu>("MainmenuFile")->popup(QPoint(0, 0));
    EXPECT_TRUE(core.station.MenuHold);
    auto* tempMemo = named<QPlainTextEdit>("TempMemo");
    EXPECT_EQ(tempMemo->toPlainText(), QStringLiteral("older text"));
    QTextCursor red(tempMemo->document());
    red.setPosition(8); // within "text"
    EXPECT_EQ(red.charFormat().foreground().color(), toQColor(Colors::Red)) << "colours kept";
    core.status.ErrorTimer();
    EXPECT_EQ(named<QStackedWidget>("ReceiveStack")->currentWidget(), tempMemo);
    named<QMenu>("MainmenuFile")->hide();

    QMouseEvent move(QEvent::MouseMove, QPointF(21, 21), QPointF(21, 21), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(window->receiveWindow()->viewport(), &move);
    EXPECT_FALSE(core.station.MenuHold);
    core.status.ErrorTimer();
    EXPECT_EQ(named<QStackedWidget>("ReceiveStack")->currentWidget(), window->receiveWindow());
}

// The COM port dialog starts at the settings and Ok stores the choice with a warning; a
// device path from the list replaces the COM choice.
TEST_F(MainWindowTest, ComPortDialogStoresTheChoiceOrADevicePathFromTheList)
{
    TComBaudConfig* dialog = window->comBaudConfig();
    const QList<QRadioButton*> ports =
        dialog->findChild<QGroupBox*>(QStringLiteral("Poorten"))->findChildren<QRadioButton*>();
    const QList<QRadioButton*> rates =
        dialog->findChild<QGroupBox*>(QStringLiteral("Baudrates"))->findChildren<QRadioButton*>();
    auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("PoortOkKnop"));
    ASSERT_EQ(ports.size(), 6);
    ASSERT_EQ(rates.size(), 6);
    EXPECT_TRUE(ports[0]->isChecked()) << "COM1 from the settings";
    EXPECT_TRUE(rates[1]->isChecked()) << "9600 from the settings";
    ports[2]->click();
    rates[5]->click();
    ok->click();
    EXPECT_EQ(window->core().settings.ComPortName, QStringLiteral("COM3"));
    EXPECT_EQ(window->core().settings.ComBaudRate, 115200);
    ASSERT_FALSE(modal.shown.isEmpty());
    EXPECT_EQ(modal.shown.last().caption, QStringLiteral("Orvanti    Warning"));
    EXPECT_FALSE(window->core().station.ReceiveHold);

    auto* devices = dialog->findChild<QListWidget*>(QStringLiteral("SerialDevices"));
    dialog->show(); // lists the devices present
    auto* item = new QListWidgetItem(QStringLiteral("/dev/ttyUSB0  (FT232R)"), devices);
    item->setData(Qt::UserRole, QStringLiteral("/dev/ttyUSB0"));
    QTest::mouseClick(devices->viewport(), Qt::LeftButton, {},
                      devices->visualItemRect(item).center());
    for (QRadioButton* button : ports)
        EXPECT_FALSE(button->isChecked());
    ok->click();
    EXPECT_EQ(window->core().settings.ComPortName, QStringLiteral("/dev/ttyUSB0"));
}

TEST_F(MainWindowTest, ClosingAsksFirstAndCancelKeepsTheWindow)
{
    modal.queueConfirm(false);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());

    modal.queueConfirm(true);
    named<QAction>("MenuExitOrvanti")->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(wire.writtenText().endsWith(QStringLiteral("Reset<CR>")));
}

TEST(Hints, LongHintsWrapAtTwoHundredPixels)
{
    const QFontMetrics metrics(QApplication::font());
    const QString hint = QStringLiteral(
        "Transmit a file (only if Transmitting or connected) and then a few more words");
    const QString wrapped = wrapHint(hint, metrics, 200);
    EXPECT_GT(wrapped.count(QLatin1Char('\n')), 0);
    for (const QString& line : wrapped.split(QLatin1Char('\n')))
        EXPECT_LE(metrics.horizontalAdvance(line), 200) << line.toStdString();
    EXPECT_EQ(QString(wrapped).replace(QLatin1Char('\n'), QLatin1Char(' ')), hint);
    EXPECT_EQ(wrapHint(QStringLiteral("CHO"), metrics, 200), QStringLiteral("CHO"));
}
