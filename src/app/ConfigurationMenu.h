#pragma once

// Handlers of the Configuration menu that change settings: the COM port dialog, the
// language items and the on/off switches. Changes live in memory until the confirmed
// exit writes them.

#include <QString>
#include <functional>

class Modal;
class PortLink;
class View;
struct Settings;
struct Station;

class ConfigurationMenu {
public:
    ConfigurationMenu(Station& station, Settings& settings, PortLink& link, View& view,
                      Modal& modal);

    // The port the link uses in this run: the command line's choice, else the setting.
    QString portInUse() const;
    void setPortOverride(const QString& device) { portOverride_ = device; }
    void showPortInPane8();

    void MenuComPortClick();
    // The COM port dialog. `portName` is "COM1".."COM6" or a device path, empty to keep
    // the present one; `baudRate` 0 keeps the present rate.
    void ComBaudConfigCreate();
    void PoortOkKnopClick(const QString& portName, int baudRate); // the port OK button
    void PoortCancelknopClick();                                  // the port Cancel button

    void Sub_MenuMessagesOnScreenOnClick();
    void Sub_MenuMessagesOnScreenOffClick();
    void Sub_MenuHintsOnClick();
    void Sub_MenuHintsOffClick();
    void Sub_MenuPtcOnClick();
    void Sub_MenuPtcOffClick();
    void MenuWordwraplengthClick();

    // Language items: 1 English ... 9 Portuguese; Swedish (7) and Norwegian (8) do
    // nothing. The chosen language's texts load at once.
    void languageClick(int languageIndex);
    void markLanguageItem();
    // A language item chosen: like languageClick, and the mark stays on the language in
    // use (Swedish and Norwegian leave it where it was).
    void languageItemClick(int languageIndex);
    std::function<void()> reloadTexts; // FormActivate

private:
    void setSwitch(const QString& onItem, const QString& offItem, bool on);

    Station& station_;
    Settings& settings_;
    PortLink& link_;
    View& view_;
    Modal& modal_;
    QString portOverride_;
};

// Component names of the language items, index 1..9.
QString languageItemName(int languageIndex);
