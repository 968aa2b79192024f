#include "app/Lifecycle.h"

#include "app/ConfigurationMenu.h"
#include "app/DisplayOptions.h"
#include "base/Clock.h"
#include "base/ComponentNames.h"
#include "base/Cp437.h"
#include "base/FileIo.h"
#include "base/LanguageFile.h"
#include "base/MessageTexts.h"
#include "base/Modal.h"
#include "base/Port.h"
#include "base/Settings.h"
#include "base/Station.h"
#include "base/Version.h"
#include "base/View.h"
#include "link/PortLink.h"
#include "link/StatusDisplay.h"
#include "modes/ModeCommands.h"
#include "modes/ModeSwitch.h"
#include "trx/PositionQuery.h"

#include <QDir>

namespace {

constexpr int SplashPauseMs = 1000;
constexpr int PactorPauseMs = 500;

QByteArray commandLine(const QString& command)
{
    return Cp437::encode(command) + '\r';
}

} // namespace

QString ptcModelName(PtcModel ptcType)
{
    switch (ptcType) {
    case PtcModel::Z80:
        return QStringLiteral("Z80 PTC");
    case PtcModel::Plus:
        return QStringLiteral("PTC PLUS");
    case PtcModel::IIe:
        return QStringLiteral("PTC IIe");
    case PtcModel::II:
        return QStringLiteral("PTC II");
    case PtcModel::IIpro:
        return QStringLiteral("PTC II Pro");
    default:
        return QStringLiteral("PTC");
    }
}

Lifecycle::Lifecycle(Station& station, Settings& settings, MessageTexts& texts, PortLink& link,
                     Port& port, StatusDisplay& status, ModeSwitch& modes, ModeCommands& commands,
                     ConfigurationMenu& config, View& view, ReceiveView& receiveWindow,
                     Modal& modal, Clock& clock)
    : station_(station), settings_(settings), texts_(texts), link_(link), port_(port),
      status_(status), modes_(modes), commands_(commands), config_(config), view_(view),
      receiveWindow_(receiveWindow), modal_(modal), clock_(clock)
{
}

CreateResult Lifecycle::FormCreate(const QString& stationFolder)
{
    if (!isRegularFile(QDir(stationFolder).filePath(SettingsFileName)))
        return CreateResult::SettingsMissing;

    station_.CwWeight = 50;
    station_.ProgramDir = stationFolder;
    if (!station_.ProgramDir.endsWith(QLatin1Char('/')))
        station_.ProgramDir += QLatin1Char('/');
    station_.ModeId = Mode::Pactor;
    station_.RttyBaudText = QStringLiteral("45");

    // A key the file lacks, or one that is no number, keeps the built-in value.
    ReadBuildInParameters(settings_);
    if (!ReadIniFile(station_.ProgramDir + SettingsFileName, settings_)) {
        applyBuildInParameters();
        return CreateResult::Ready;
    }

    station_.FormReady = true;
    settings_.ComPortName = settings_.SettingPortName;
    settings_.ComBaudRate = settings_.SettingBaudRate;
    settings_.ShownBaudRate = settings_.ComBaudRate;
    applyWindowSettings();
    station_.MyCallField = settings_.MyCall;
    view_.setWindowMaximized(settings_.MaxScreen);
    if (settings_.MessagesOnScreen)
        config_.Sub_MenuMessagesOnScreenOnClick();
    else
        config_.Sub_MenuMessagesOnScreenOffClick();

    // The logbook file itself arrives with the logbook; the switch and menus are here.
    view_.setChecked(Name::Sub_MenuLogBookAan, settings_.LogBookOn);
    view_.setChecked(Name::Sub_MenuLogBookUit, !settings_.LogBookOn);
    view_.setEnabled(Name::MenuShowLogbook, settings_.LogBookOn);
    view_.setEnabled(Name::MenuEditLogbook, settings_.LogBookOn);
    view_.setCursor(Name::ReceiveWindow,
                    settings_.LogBookOn ? CursorShape::PointingHand : CursorShape::Arrow);

    if (settings_.HintsSetting == QLatin1String("On"))
        config_.Sub_MenuHintsOnClick();
    else
        config_.Sub_MenuHintsOffClick();

    if (settings_.MaildropOn) {
        view_.setChecked(Name::MenuToggleMaildrop, true);
        view_.setCaption(Name::Transmitbalk, texts_.Maildroptext);
        view_.setColors(Name::Transmitbalk, Colors::Red, Colors::White);
    } else {
        view_.setChecked(Name::MenuToggleMaildrop, false);
        status_.ZetTransmitbalkTerug();
    }

    if (settings_.LeavePtcActive)
        config_.Sub_MenuPtcOnClick();
    else
        config_.Sub_MenuPtcOffClick();

    config_.markLanguageItem();
    config_.showPortInPane8();

    link_.OpenPoort(config_.portInUse());
    if (!link_.portError())
        initialiseController();
    // After the initialisation, whose answer to RESET clears the window.
    if (!settings_.RejectedBaudRate.isEmpty())
        receiveWindow_.appendLine(QStringLiteral("BaudRate ") + settings_.RejectedBaudRate +
                                  QStringLiteral(" in Orvanti.ini is no serial rate: using ") +
                                  QString::number(settings_.ComBaudRate));

    link_.StartTimers();
    station_.TextClass = 1;

    view_.setCaption(Name::Versie, QStringLiteral("Version ") + ProgramVersion);
    view_.setEnabled(Name::PacketDisconnect, false);
    view_.setWindowTitle(station_.ProgramDir + QStringLiteral("   ") + ProgramName +
                         QStringLiteral(", terminal for the PTC controllers. Version ") +
                         ProgramVersion);
    if (station_.PtcType < PtcModel::II) {
        view_.setVisible(Name::TrxConfigButton, false);
        view_.setVisible(Name::ScanButton, false);
    }
    return CreateResult::Ready;
}

void Lifecycle::applyWindowSettings()
{
    view_.setFillColor(Name::ReceiveWindow, settings_.RxWindowColor);
    view_.setFontStyle(Name::ReceiveWindow, 1); // an unknown style code leaves it regular
    applyFont(Name::ReceiveWindow, settings_.RxFontStyle, settings_.RxFontName,
              settings_.RxFontSize);

    view_.setFillColor(Name::TransmitWindow, settings_.TxWindowColor);
    view_.setTextColor(Name::TransmitWindow, settings_.TxFontColor);
    applyFont(Name::TransmitWindow, settings_.TxFontStyle, settings_.TxFontName,
              settings_.TxFontSize);

    applyFont(Name::PageControl, settings_.TabFontStyle, settings_.TabFontName,
              settings_.TabFontSize);
    MakeAllButtonFonts(view_, settings_, settings_.TabFontName, settings_.TabFontSize,
                       settings_.TabFontStyle);
    applyFont(Name::KnoppenBalk, settings_.ButtonFontStyle, settings_.ButtonFontName,
              settings_.ButtonFontSize);
    applyFont(Name::Statusbalk, settings_.StatusFontStyle, settings_.StatusFontName,
              settings_.StatusFontSize);

    // The bar's colour is the settings', so its captions' must not be the theme's.
    view_.setColors(Name::Receivebar, settings_.ReceiveBarColor, Colors::Black);
    view_.setFillColor(Name::Transmitbalk, settings_.TransmitBarColor);
    view_.setFillColor(Name::TempMemo, settings_.ReceiveBarColor);
}

void Lifecycle::applyFont(const QString& name, int styleCode, const QString& family, int points)
{
    applyFontSetting(view_, name, styleCode, family, points);
}

void Lifecycle::applyBuildInParameters()
{
    ReadBuildInParameters(settings_);
    applyWindowSettings();
    station_.PtcType = PtcModel::II;
    station_.MyCallField = settings_.MyCall;
    view_.setChecked(Name::Sub_MenuMessagesOnScreenOn, true);
    view_.setChecked(Name::Sub_MenuMessagesOnScreenOff, false);
    view_.setEnabled(Name::MenuShowLogbook, false);
    view_.setEnabled(Name::MenuEditLogbook, false);
}

void Lifecycle::initialiseController()
{
    link_.ZendNaarPtc("\r");
    view_.setVisible(Name::NavtexLed, false);
    link_.ZendNaarPtc("Version\r");
    link_.DummiRead();
    link_.ZendNaarPtc("\x1b");
    view_.setVisible(Name::NavtexToolbar, true);
    view_.setVisible(Name::TrxConfigButton, true);
    view_.setVisible(Name::ScanButton, true);

    // Maildrop and leave-active keep the controller as it runs (an unattended mailbox).
    if (settings_.MaildropOn || settings_.LeavePtcActive)
        return;

    link_.ZendNaarPtc("Version\r");
    link_.DummiRead();
    if (!station_.BiosMode) {
        link_.ZendNaarPtc(commandLine(QStringLiteral("MYC ") + station_.MyCallField));
        link_.ZendNaarPtc("L 1\r");
        link_.ZendNaarPtc("Esc 27\r");
        link_.DummiRead();
        link_.ZendNaarPtc("PAC MON 0\r");
        link_.DummiRead();
        link_.ZendNaarPtc("Term 4\r");
        link_.ZendNaarPtc("L 1\r");
        link_.DummiRead();
        station_.TrafficState = QStringLiteral("LISTEN");
        link_.DummiRead();
        view_.setVisible(Name::NavtexToolbar, true);
        view_.setVisible(Name::TrxConfigButton, true);
        view_.setVisible(Name::ScanButton, true);
        station_.PositionText = ReadPosition(PositionFormat::Plain, link_, clock_);
        station_.NmeaText = ReadPosition(PositionFormat::Nmea, link_, clock_);
    }
    link_.StartTimers();
    if (station_.BiosMode) {
        enterBiosMode();
    } else {
        link_.ZendNaarPtc("RESET\r");
        if (link_.WaitForData() > 0)
            receiveWindow_.clear();
    }
}

void Lifecycle::enterBiosMode()
{
    receiveWindow_.clear();
    receiveWindow_.setFontColor(Colors::Red);
    for (QLatin1StringView name :
         {Name::PageControl, Name::KnoppenBalk, Name::MainMenuConfiguration, Name::MainMenuMode,
          Name::MainMenuAction, Name::MainMenuMailbox})
        view_.setVisible(name, false);
    receiveWindow_.appendLine(QStringLiteral("You are in the BIOS now !"));
    receiveWindow_.appendLine(QStringLiteral("Dipswitch 8 of the PTC II is ON or"));
    receiveWindow_.appendLine(QStringLiteral("The PTC IIe is swiched OFF with the green Leds on"));
    receiveWindow_.appendLine(QString());
    receiveWindow_.appendLine(QStringLiteral("The Normal functions are not active now !"));
    link_.ZendNaarPtc("He\r");
}

void Lifecycle::FormActivate()
{
    // A message box shown while loading gives the focus back and would re-enter.
    if (activating_)
        return;
    activating_ = true;
    LaadKnopGegevens();
    station_.MenuHold = false;
    activating_ = false;
}

void Lifecycle::LaadKnopGegevens()
{
    QString code = languageCode(settings_.LanguageIndex);
    QString name = languageFileName(code);
    if (!isRegularFile(station_.ProgramDir + name)) {
        if (!reportedLanguageFiles_.contains(name)) {
            reportedLanguageFiles_.insert(name);
            modal_.message(QStringLiteral("Warning"),
                           QStringLiteral("File   ") + name +
                               QStringLiteral("   NOT found \r"
                                              "Copy the language files into the program folder "
                                              "(orvanti --init copies the shipped ones)."));
        }
        if (code != QLatin1String("EN")) {
            settings_.LanguageIndex = 1;
            config_.markLanguageItem();
            code = languageCode(1);
            name = languageFileName(code);
        }
    }
    // Without any language file the texts stay as they are; the start-up commands
    // still go out.
    if (isRegularFile(station_.ProgramDir + name))
        loadLanguageFile(station_.ProgramDir + name, code);
    sendCommandList(settings_.StartupCommands.data());
}

void Lifecycle::loadLanguageFile(const QString& path, const QString& code)
{
    QByteArray bytes;
    QString error;
    if (!readWholeFile(path, &bytes, &error)) {
        modal_.message(QStringLiteral("Warning"), error);
        return;
    }
    readLanguageFile(bytes, code, windowTexts_, texts_);
    // The main window's texts go out by name; the dialogs take theirs when they open.
    for (const ComponentText& text : windowTexts_.components) {
        if (text.window != MainWindowName || !Name::isKnown(text.name))
            continue;
        if (!text.caption.isNull())
            view_.setCaption(text.name, text.caption);
        if (!text.hint.isNull())
            view_.setHint(text.name, text.hint);
    }
    textsLoaded();
}

void Lifecycle::sendCommandList(const QString* commands)
{
    for (int i = 0; i < CommandListSize; ++i) {
        if (!commands[i].isEmpty())
            link_.ZendNaarPtc(commandLine(commands[i]));
    }
}

void Lifecycle::FormResize()
{
    // The transmit bar keeps its caption: a maildrop that is on stays on and says so.
    layoutWindow();
    if (!station_.FirstLayoutDone) {
        station_.FirstLayoutDone = true;
        // Show once what the controller said during start-up, with its messages.
        if (!link_.portError() && !settings_.MessagesOnScreen) {
            settings_.MessagesOnScreen = true;
            link_.LeesV24Poort();
            if (link_.decodeBlock)
                link_.decodeBlock();
            settings_.MessagesOnScreen = false;
        }
        view_.setEnabled(Name::MenuUnpro, true);
        view_.setEnabled(Name::MenuAmtorFec, false);
        view_.setEnabled(Name::MenuBaudotTransmit, false);
    }
    modes_.showModesOfModel();
    link_.StartTimers();
    view_.setCaption(Name::PtcTekst, ptcModelName(station_.PtcType));
    link_.ScrollNaarEnd();
    if (!station_.FormReady) {
        for (QLatin1StringView menu :
             {Name::MainMenuMode, Name::MainMenuAction, Name::MainMenuMailbox})
            view_.setEnabled(menu, false);
        receiveWindow_.clear();
        receiveWindow_.insertText(
            QStringLiteral("Orvanti.ini not found on disk !\n\n"
                           "Goto the CONFIGURATION menu and:\n\n"
                           "Install the right Comport and Baudrate.\n\n"
                           "Stop Orvanti, Switch PTC Off and On and Start again\n\n"
                           "Once the PTC has started Install the other parameters."),
            settings_.SystemTextColor);
    }
    // The same rule as the housekeeping tick, so a new layout neither hides a lit lamp
    // nor names the reception otherwise.
    status_.showNavtexLed();
    link_.resetWrapColumns();
    station_.ScrollMaxPos = 0;
}

bool Lifecycle::FormCloseQuery()
{
    if (!station_.FormReady)
        return true;
    if (!modal_.confirm(ProgramName, texts_.CloseText))
        return false;

    view_.showSplash();
    clock_.sleep(SplashPauseMs);
    closeCapture();
    settings_.MaxScreen = view_.isWindowMaximized();
    // A controller left running (maildrop, leave active) must not stay in duplex.
    if (station_.DuplexOn)
        commands_.PactorDuplexClick();
    if (station_.MailboxReloadActive)
        link_.ZendNaarPtc("+\r");
    modes_.MenuPactorClick();
    clock_.sleep(PactorPauseMs);
    sendCommandList(settings_.ShutdownCommands.data());
    receiveWindow_.clear();
    closeCapture();

    if (!settings_.MaildropOn && !settings_.LeavePtcActive) {
        link_.StopTimers();
        modes_.ZetPtcKlaar();
        link_.ZendNaarPtc("Pac Mon 0\r");
        link_.ZendNaarPtc("\x1bQ\r");
        link_.ZendNaarPtc("Reset\r");
    }

    status_.DiskLed(1);
    QString error;
    const bool saved = WriteIniFile(station_.ProgramDir + SettingsFileName, settings_, &error);
    status_.DiskLed(0);
    if (!saved)
        modal_.message(QStringLiteral("Warning"),
                       QStringLiteral("The settings were not saved.\r\n") + error);

    port_.ClosePort();
    station_.ReceiveHold = false;
    return true;
}

void Lifecycle::MenuExitOrvantiClick()
{
    view_.closeWindow();
}

void Lifecycle::MenuAboutClick()
{
    station_.MenuHold = false;
    modal_.runDialog(Dialog::About);
}

int Lifecycle::transmitShare() const
{
    const int share = settings_.TransmitScreenHeight;
    return share <= 0 || share >= 1000 ? 300 : share;
}
