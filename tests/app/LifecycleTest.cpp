// Start-up and shut-down against the fake controller: the exact bytes and pauses, what
// the window shows, and what happens to the settings file.

#include "CoreHarness.h"
#include "StationDir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const QString Greeting = QStringLiteral("<CR>[200ms]<CR>Version<CR>[200ms]<ESC>");
const QString Initialisation =
    QStringLiteral("Version<CR>[200ms]MYC NOCALL<CR>L 1<CR>Esc 27<CR>[200ms]PAC MON 0<CR>"
                   "[200ms]Term 4<CR>L 1<CR>[400ms]POS<CR>[200ms]POS NMEA<CR>[200ms]RESET<CR>");

class LifecycleTest : public ::testing::Test {
protected:
    CreateResult start(const QList<QByteArray>& edits = {})
    {
        dir.writeSettings(edits);
        return h.core.lifecycle.FormCreate(dir.path());
    }

    StationDir dir;
    CoreHarness h;
    Lifecycle& lifecycle = h.core.lifecycle;
};

} // namespace

TEST_F(LifecycleTest, NormalStartGreetsAndInitialisesTheControllerInOrder)
{
    h.port.answer("POS\r", "\x01N 52 13.45 E 005 07.12\r\x04"
                           "cmd: ");
    h.port.answer("POS NMEA\r", "\x01$GPGGA,101530.00,5213.450,N\r\x04"
                                "cmd: ");
    h.behaveLikeController();
    h.core.config.setPortOverride(QStringLiteral("/dev/pts/9")); // not saved: see e2e
    ASSERT_EQ(start(), CreateResult::Ready);

    EXPECT_EQ(h.wire.transcript(), Greeting + Initialisation);
    EXPECT_EQ(h.port.deviceName(), QStringLiteral("/dev/pts/9"));
    EXPECT_TRUE(h.station().FormReady);
    EXPECT_EQ(h.station().PtcType, PtcModel::II);
    EXPECT_EQ(h.station().TrafficState, QStringLiteral("LISTEN"));
    EXPECT_FALSE(h.station().ReceiveHold);
    EXPECT_EQ(h.station().TextClass, 1);
    EXPECT_TRUE(h.view.receiveText().isEmpty()) << "the answer to RESET clears the window";
    EXPECT_EQ(h.view.caption(Name::Pane8), QStringLiteral("/dev/pts/9: 9600"));
    EXPECT_EQ(h.view.caption(Name::Versie), QStringLiteral("Version 10.34"));
    EXPECT_TRUE(h.view.title().startsWith(dir.path()));
    EXPECT_TRUE(h.view.title().endsWith(QStringLiteral("Version 10.34")));
    EXPECT_TRUE(h.view.component(Name::NavtexToolbar).visible);
    EXPECT_TRUE(h.view.component(Name::TrxConfigButton).visible);
    EXPECT_FALSE(h.view.component(Name::NavtexLed).visible);
    EXPECT_FALSE(h.view.component(Name::PacketDisconnect).enabled);
    EXPECT_EQ(h.station().PositionText, QByteArray("\x01N 52 13.45 E 005 07.12\r"));
    EXPECT_EQ(h.station().NmeaText, QByteArray("\x01$GPGGA,101530.00,5213.450,N\r"));
}

TEST_F(LifecycleTest, TheSettingsAreAppliedToTheWindows)
{
    h.behaveLikeController();
    start({"ReceiveScreen/FontStyle=4", "ReceiveScreen/Color=255", "TransmitScreen/FontColor=32768",
           "Recv. and Transm. Bar Color/ReceiveBar.Color=65535", "Program/Max Screen=ON",
           "Program/Hints=Off"});
    EXPECT_EQ(h.view.component(Name::ReceiveWindow).fontStyle, 4);
    EXPECT_EQ(h.view.component(Name::ReceiveWindow).fill, Colors::Red);
    EXPECT_EQ(h.view.component(Name::ReceiveWindow).fontName, QStringLiteral("Courier New"));
    EXPECT_EQ(h.view.component(Name::TransmitWindow).text, 32768);
    EXPECT_EQ(h.view.component(Name::Transmitbalk).fill, Colors::Yellow);
    EXPECT_EQ(h.view.component(Name::TempMemo).fill, Colors::Yellow);
    EXPECT_TRUE(h.view.isWindowMaximized());
    EXPECT_FALSE(h.view.hintsEnabled());
    EXPECT_TRUE(h.view.isChecked(Name::Sub_MenuHintsOff));
    EXPECT_TRUE(h.view.isChecked(Name::Sub_MenuMessagesOnScreenOn));
    EXPECT_TRUE(h.view.isChecked(QStringLiteral("English")));
    EXPECT_EQ(h.station().MyCallField, QStringLiteral("NOCALL"));

    // The transmit window's share: a height the window cannot give falls back.
    for (const auto& [height, share] : {std::pair{0, 300}, {412, 412}, {999, 999}, {1000, 300}}) {
        h.settings().TransmitScreenHeight = height;
        EXPECT_EQ(h.core.lifecycle.transmitShare(), share) << height;
    }
}

TEST_F(LifecycleTest, AHandWrittenFileTakesTheBuiltInValueForWhatItLacks)
{
    h.behaveLikeController();
    dir.copyShippedFiles();
    dir.write(QStringLiteral("Orvanti.ini"), "[Port]\nPortnumber=COM1\n"
                                             "BaudRate=99999999999999999999\n"
                                             "[ReceiveScreen]\nColor=zzz\n"
                                             "[PtcParameters]\nCall=DL1ABC\n");
    ASSERT_EQ(lifecycle.FormCreate(dir.path()), CreateResult::Ready);

    const ComponentState& rx = h.view.component(Name::ReceiveWindow);
    EXPECT_EQ(rx.fill, Colors::White);
    EXPECT_EQ(rx.fontSize, 10);
    EXPECT_NE(h.settings().SystemTextColor, rx.fill);
    EXPECT_NE(h.settings().ReceiveTextColor, rx.fill);
    EXPECT_NE(h.settings().PromptColor, rx.fill);
    EXPECT_EQ(h.port.speed(), BaudRate::br9600);
    EXPECT_EQ(h.view.caption(Name::Pane8), QStringLiteral("COM1: 9600"));
    EXPECT_TRUE(h.view.receiveText().contains(
        QStringLiteral("BaudRate 99999999999999999999 in Orvanti.ini is no serial rate")));
    EXPECT_TRUE(h.wire.transcript().contains(QStringLiteral("MYC DL1ABC<CR>L 1<CR>")))
        << "no wrap break inside the commands";

    h.modal.queueConfirm(true);
    ASSERT_TRUE(lifecycle.FormCloseQuery());
    const QByteArray saved = dir.read(QStringLiteral("Orvanti.ini"));
    for (const char* key : {"BaudRate=9600", "Color=16777215", "PromptColor=32768",
                            "WrapLineLength=60", "Call=DL1ABC"})
        EXPECT_TRUE(saved.contains(key)) << key;
}

// With maildrop on, or the controller left active, the start only greets it.
TEST_F(LifecycleTest, MaildropOrLeavePtcActiveStartOnlyGreetsTheController)
{
    for (const auto& [edit, checked] :
         {std::pair{"Program/Maildrop=ON", Name::MenuToggleMaildrop},
          std::pair{"PtcParameters/Leave Ptc Active=ON", Name::Sub_MenuPtcOn}}) {
        SCOPED_TRACE(edit);
        StationDir station;
        CoreHarness harness;
        harness.behaveLikeController();
        station.writeSettings({edit});
        harness.core.lifecycle.FormCreate(station.path());
        EXPECT_EQ(harness.wire.transcript(), Greeting);
        EXPECT_TRUE(harness.view.isChecked(checked));
    }
    // Maildrop shows in the transmit bar.
    start({"Program/Maildrop=ON"});
    EXPECT_EQ(h.view.component(Name::Transmitbalk).fill, Colors::Red);
    EXPECT_TRUE(h.settings().MaildropOn);
}

TEST_F(LifecycleTest, BiosControllerHidesTheModesAndShowsFiveRedLines)
{
    h.port.answer("Version\r", "PTC-II BIOS 1.4\rSystemtest ok\r");
    h.port.answer("\r", "PTC-II BIOS 1.4\rSystemtest ok\r");
    start();
    EXPECT_EQ(h.wire.transcript(), Greeting + QStringLiteral("Version<CR>[200ms]He<CR>"));
    EXPECT_TRUE(h.station().BiosMode);
    EXPECT_EQ(h.view.receiveText(), QStringLiteral("You are in the BIOS now !\n"
                                                   "Dipswitch 8 of the PTC II is ON or\n"
                                                   "The PTC IIe is swiched OFF with the green "
                                                   "Leds on\n\n"
                                                   "The Normal functions are not active now !\n"));
    EXPECT_EQ(h.view.receiveFontColor(), Colors::Red);
    for (const char* hidden : {"PageControl", "KnoppenBalk", "MainMenuConfiguration",
                               "MainMenuMode", "MainMenuAction", "MainMenuMailbox"})
        EXPECT_FALSE(h.view.component(QLatin1String(hidden)).visible) << hidden;
}

TEST_F(LifecycleTest, SilentControllerIsReportedAndTheStartCarriesOn)
{
    start();
    EXPECT_TRUE(h.view.receiveText().startsWith(QStringLiteral("ERROR !\n")));
    EXPECT_TRUE(h.wire.writtenText().endsWith(QStringLiteral("RESET<CR>")));
    EXPECT_EQ(h.station().PtcType, PtcModel::Unknown);
    EXPECT_FALSE(h.view.component(Name::TrxConfigButton).visible)
        << "below the PTC-II there is no transceiver control";
    EXPECT_FALSE(h.view.component(Name::ScanButton).visible);
}

TEST_F(LifecycleTest, APortThatWillNotOpenSendsNothing)
{
    h.port.openSucceeds = false;
    start();
    EXPECT_TRUE(h.wire.events().empty());
    EXPECT_TRUE(h.view.receiveText().startsWith(QStringLiteral("Serial Port not found !")));
    EXPECT_TRUE(h.station().FormReady);
    EXPECT_FALSE(h.station().ReceiveHold);

    h.core.config.MenuComPortClick();
    ASSERT_FALSE(h.modal.shown.isEmpty());
    EXPECT_EQ(h.modal.shown.last().text, QStringLiteral("Port ERROR"));
    EXPECT_EQ(h.modal.shown.last().caption, QStringLiteral("Warning"));
}

// A FIFO would block the start for ever when read: it counts as missing too. The exit
// that follows closes at once.
TEST_F(LifecycleTest, WithoutASettingsFileTheProcessEndsAndNothingIsSent)
{
    EXPECT_EQ(lifecycle.FormCreate(dir.path()), CreateResult::SettingsMissing);
    ASSERT_EQ(mkfifo(dir.file(QStringLiteral("Orvanti.ini")).toLocal8Bit().constData(), 0600), 0);
    EXPECT_EQ(lifecycle.FormCreate(dir.path()), CreateResult::SettingsMissing);
    Settings settings;
    EXPECT_FALSE(ReadIniFile(dir.file(QStringLiteral("Orvanti.ini")), settings));
    EXPECT_EQ(h.port.opens(), 0);
    EXPECT_FALSE(h.station().FormReady);
    EXPECT_TRUE(lifecycle.FormCloseQuery());
    EXPECT_TRUE(h.modal.shown.isEmpty());
}

// Even with no language file at all; the box about it shows once, though its closing
// activates the window again.
TEST_F(LifecycleTest, EveryActivationSendsTheStartUpCommandsAndSkipsEmptyOnes)
{
    h.behaveLikeController();
    start({"Startup Commands/Startup_1=TONES 2", "Startup Commands/Startup_3=MYLEV 4"});
    QFile::remove(dir.file(QStringLiteral("Orvanti_EN.ini")));
    h.wire.clear();
    lifecycle.FormActivate();
    EXPECT_EQ(h.wire.writtenText(), QStringLiteral("TONES 2<CR>MYLEV 4<CR>"));
    lifecycle.FormActivate();
    EXPECT_EQ(h.wire.writtenText(), QStringLiteral("TONES 2<CR>MYLEV 4<CR>TONES 2<CR>MYLEV 4<CR>"));
    EXPECT_EQ(h.modal.shown.size(), 1);
}

TEST_F(LifecycleTest, AMissingLanguageFileIsReportedOnceAndEnglishIsUsed)
{
    h.behaveLikeController();
    dir.writeSettings({"Program/Language=FR", "Startup Commands/Startup_1=TONES 2"});
    QFile::remove(dir.file(QStringLiteral("Orvanti_FR.ini")));
    ASSERT_EQ(lifecycle.FormCreate(dir.path()), CreateResult::Ready);
    h.wire.clear();
    lifecycle.FormActivate();
    ASSERT_EQ(h.modal.shown.size(), 1);
    EXPECT_TRUE(
        h.modal.shown[0].text.startsWith(QStringLiteral("File   Orvanti_FR.ini   NOT found \r")));
    EXPECT_EQ(h.settings().LanguageIndex, 1);
    EXPECT_TRUE(h.view.isChecked(QStringLiteral("English")));
    EXPECT_FALSE(h.view.isChecked(QStringLiteral("French")));
    EXPECT_EQ(h.texts().Warningtext, QStringLiteral("Warning"));
    EXPECT_EQ(h.wire.writtenText(), QStringLiteral("TONES 2<CR>"));
}

TEST_F(LifecycleTest, FirstLayoutShowsTheModelAndReleasesThePoll)
{
    h.behaveLikeController("PTC-IIpro v4.1\r");
    start();
    h.core.config.ComBaudConfigCreate(); // the COM port dialog holds the poll
    EXPECT_TRUE(h.station().ReceiveHold);
    lifecycle.FormResize();
    EXPECT_FALSE(h.station().ReceiveHold);
    EXPECT_EQ(h.view.caption(Name::PtcTekst), QStringLiteral("PTC II Pro"));
    EXPECT_EQ(h.core.link.TxColumn, 0);
}

TEST_F(LifecycleTest, ConfirmedExitSendsTheShutDownSequenceAndSavesTheSettings)
{
    h.behaveLikeController();
    start({"ShutDown Commands/ShutDown_1=S1", "ShutDown Commands/ShutDown_2=S2",
           "ShutDown Commands/ShutDown_4=S4"});
    lifecycle.FormActivate();
    h.wire.clear();
    h.view.setWindowMaximized(true);
    h.modal.queueConfirm(true);

    EXPECT_TRUE(lifecycle.FormCloseQuery());
    EXPECT_EQ(h.modal.shown.last().text, QStringLiteral("Close Orvanti?"));
    // The splash second and the PACTOR pause, then the commands and the readying.
    EXPECT_EQ(h.wire.transcript(), QStringLiteral("[1500ms]S1<CR>S2<CR>S4<CR>L 0<CR>[400ms]"
                                                  "Pac Mon 0<CR><ESC>Q<CR>Reset<CR>"));
    EXPECT_EQ(h.view.splashes(), 1);
    EXPECT_FALSE(h.port.IsOpen());
    EXPECT_TRUE(dir.read(QStringLiteral("Orvanti.ini")).contains("Max Screen=ON"));
    EXPECT_EQ(h.view.component(Name::LeesLed).fill, Colors::Lime);
    EXPECT_TRUE(h.view.receiveText().isEmpty());
}

TEST_F(LifecycleTest, CancelledExitSendsNothingAndLeavesTheFileAlone)
{
    h.behaveLikeController();
    start();
    lifecycle.FormActivate(); // loads CloseText
    const QByteArray before = dir.read(QStringLiteral("Orvanti.ini"));
    h.settings().MyCall = QStringLiteral("CHANGED");
    h.wire.clear();
    h.modal.queueConfirm(false);

    EXPECT_FALSE(lifecycle.FormCloseQuery());
    EXPECT_EQ(h.modal.shown.last().text, QStringLiteral("Close Orvanti?"));
    EXPECT_TRUE(h.wire.events().empty());
    EXPECT_TRUE(h.port.IsOpen());
    EXPECT_EQ(dir.read(QStringLiteral("Orvanti.ini")), before);
}

// Duplex is switched off first, even when the controller stays running (maildrop).
TEST_F(LifecycleTest, ExitSwitchesDuplexOffFirstEvenWhenTheControllerStaysRunning)
{
    const struct {
        QByteArray edit;
        bool duplex;
        QString transcript;
    } cases[] = {
        {"Program/Maildrop=OFF", true,
         QStringLiteral("[1000ms]<ESC>Pd 0<CR>[500ms]L 0<CR>[400ms]Pac Mon 0<CR><ESC>Q<CR>"
                        "Reset<CR>")},
        {"Program/Maildrop=ON", true, QStringLiteral("[1000ms]<ESC>Pd 0<CR>[500ms]")},
        {"Program/Maildrop=ON", false, QStringLiteral("[1500ms]")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.edit.constData() + std::to_string(c.duplex));
        StationDir station;
        CoreHarness harness;
        harness.behaveLikeController();
        station.writeSettings({c.edit});
        harness.core.lifecycle.FormCreate(station.path());
        if (c.duplex)
            harness.core.commands.PactorDuplexClick();
        harness.wire.clear();
        harness.modal.queueConfirm(true);

        EXPECT_TRUE(harness.core.lifecycle.FormCloseQuery());
        EXPECT_EQ(harness.wire.transcript(), c.transcript);
        EXPECT_FALSE(harness.station().DuplexOn);
        EXPECT_TRUE(station.read(QStringLiteral("Orvanti.ini")).contains(c.edit.mid(8)));
    }
}

TEST_F(LifecycleTest, SettingsThatCannotBeSavedAreReportedAndTheExitCompletes)
{
    h.behaveLikeController();
    start();
    ASSERT_TRUE(QFile::remove(dir.file(QStringLiteral("Orvanti.ini"))));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Orvanti.ini")));
    h.modal.queueConfirm(true);
    EXPECT_TRUE(lifecycle.FormCloseQuery());
    ASSERT_EQ(h.modal.shown.size(), 2);
    EXPECT_TRUE(h.modal.shown[1].text.startsWith(QStringLiteral("The settings were not saved.")));
    EXPECT_FALSE(h.port.IsOpen());
}

TEST_F(LifecycleTest, ComPortDialogStoresTheNewPortForTheNextStart)
{
    h.behaveLikeController();
    start();
    h.core.config.PoortOkKnopClick(QStringLiteral("/dev/ttyUSB0"), 19200);
    ASSERT_EQ(h.modal.shown.size(), 1);
    EXPECT_EQ(h.modal.shown[0].caption, QStringLiteral("Orvanti    Warning"));
    EXPECT_EQ(h.port.deviceName(), QStringLiteral("COM1")) << "the open port is unchanged";
    EXPECT_EQ(h.settings().ShownBaudRate, 19200);
    EXPECT_FALSE(h.station().ReceiveHold);

    h.modal.queueConfirm(true);
    ASSERT_TRUE(lifecycle.FormCloseQuery());
    Settings next;
    ASSERT_TRUE(ReadIniFile(dir.file(QStringLiteral("Orvanti.ini")), next));
    EXPECT_EQ(next.SettingPortName, QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(next.SettingBaudRate, 19200);
}
