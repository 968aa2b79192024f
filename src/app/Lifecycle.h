#pragma once

// The order in which the program comes up and goes down: the main window's set-up from
// the settings file, the first conversation with the controller, the start-up commands
// on every activation, and the confirmed exit that readies the controller, sends the
// shut-down commands and saves the settings.

#include "base/LanguageFile.h"
#include "base/Station.h"

#include <QSet>
#include <QString>
#include <functional>

class Clock;
class ConfigurationMenu;
class Modal;
class ModeCommands;
class ModeSwitch;
class Port;
class PortLink;
class ReceiveView;
class StatusDisplay;
class View;
struct MessageTexts;
struct Settings;
struct Station;

enum class CreateResult {
    Ready,          // the main window is set up
    SettingsMissing // no "Orvanti.ini" here: the process ends
};

class Lifecycle {
public:
    Lifecycle(Station& station, Settings& settings, MessageTexts& texts, PortLink& link, Port& port,
              StatusDisplay& status, ModeSwitch& modes, ModeCommands& commands,
              ConfigurationMenu& config, View& view, ReceiveView& receiveWindow, Modal& modal,
              Clock& clock);

    // `stationFolder` holds Orvanti.ini and the operator's files.
    CreateResult FormCreate(const QString& stationFolder);
    void FormActivate();
    // The first layout of the main window (and each one after it).
    void FormResize();
    // The transmit window's share of the text area, in thousandths; a setting outside
    // 1..999 gives the built-in 300.
    int transmitShare() const;
    // True when the window may close.
    bool FormCloseQuery();
    // File menu's Exit: asks the window to close, which runs FormCloseQuery.
    void MenuExitOrvantiClick();
    void MenuAboutClick();

    // "Load button data": loads the language texts, sends the start-up commands.
    void LaadKnopGegevens();
    // The component texts of the language loaded last, for the dialogs as they open.
    const WindowTexts& windowTexts() const { return windowTexts_; }

    // Closes the capture file if one is open (twice in the exit: at its start, and
    // before the controller is reset in case anything opened one meanwhile).
    std::function<void()> closeCapture = [] {};
    // Places the window's parts from its size, the tab font and the transmit share;
    // every new layout starts with it.
    std::function<void()> layoutWindow = [] {};
    // Runs after a language file is loaded: captions that show state take the new texts.
    std::function<void()> textsLoaded = [] {};

private:
    void applyWindowSettings();
    void applyFont(const QString& name, int styleCode, const QString& family, int points);
    void applyBuildInParameters();
    void initialiseController();
    void enterBiosMode();
    void sendCommandList(const QString* commands);
    void loadLanguageFile(const QString& path, const QString& code);

    Station& station_;
    Settings& settings_;
    MessageTexts& texts_;
    PortLink& link_;
    Port& port_;
    StatusDisplay& status_;
    ModeSwitch& modes_;
    ModeCommands& commands_;
    ConfigurationMenu& config_;
    View& view_;
    ReceiveView& receiveWindow_;
    Modal& modal_;
    Clock& clock_;

    bool activating_ = false;
    QSet<QString> reportedLanguageFiles_; // a missing file is reported once per run
    WindowTexts windowTexts_;
};

// The model name the receive bar shows.
QString ptcModelName(PtcModel ptcType);
