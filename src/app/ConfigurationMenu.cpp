#include "app/ConfigurationMenu.h"

#include "base/ComponentNames.h"
#include "base/Modal.h"
#include "base/Port.h"
#include "base/Settings.h"
#include "base/Station.h"
#include "base/View.h"
#include "link/PortLink.h"

namespace {
constexpr QLatin1StringView LanguageItems[] = {Name::English, Name::German,    Name::Dutch,
                                               Name::French,  Name::Italian,   Name::Spanish,
                                               Name::Swedish, Name::Norwegian, Name::Portuguese};
} // namespace

QString languageItemName(int languageIndex)
{
    if (languageIndex < 1 || languageIndex > 9)
        return {};
    return LanguageItems[languageIndex - 1];
}

ConfigurationMenu::ConfigurationMenu(Station& station, Settings& settings, PortLink& link,
                                     View& view, Modal& modal)
    : station_(station), settings_(settings), link_(link), view_(view), modal_(modal)
{
}

QString ConfigurationMenu::portInUse() const
{
    return portOverride_.isEmpty() ? settings_.ComPortName : portOverride_;
}

void ConfigurationMenu::showPortInPane8()
{
    view_.setCaption(Name::Pane8,
                     portInUse() + QStringLiteral(": ") + QString::number(settings_.ShownBaudRate));
}

void ConfigurationMenu::MenuComPortClick()
{
    link_.StopTimers();
    modal_.runDialog(Dialog::ComPort);
    if (link_.portError())
        modal_.message(QStringLiteral("Warning"), QStringLiteral("Port ERROR"));
    showPortInPane8();
    station_.MenuHold = false;
}

void ConfigurationMenu::ComBaudConfigCreate()
{
    // The dialog is created once at start; it holds the poll until the first layout.
    link_.StopTimers();
}

void ConfigurationMenu::PoortOkKnopClick(const QString& portName, int baudRate)
{
    link_.StopTimers();
    if (!portName.isEmpty())
        settings_.ComPortName = portName;
    BaudRate speed{};
    if (baudRateFromValue(baudRate, &speed))
        settings_.ComBaudRate = baudRate;
    settings_.ShownBaudRate = settings_.ComBaudRate;
    // The port stays as it is: the new values are saved at exit and used at next start.
    modal_.message(QStringLiteral("Orvanti    Warning"),
                   QStringLiteral("If you changed the Comport parameters with\r\n"
                                  "the PTC switched ON,\r\n"
                                  "Stop Orvanti, Switch PTC Off and On and Start again"));
    link_.StartTimers();
    station_.FormReady = true;
}

void ConfigurationMenu::PoortCancelknopClick()
{
    link_.StartTimers();
}

void ConfigurationMenu::setSwitch(const QString& onItem, const QString& offItem, bool on)
{
    view_.setChecked(onItem, on);
    view_.setChecked(offItem, !on);
    station_.MenuHold = false;
}

void ConfigurationMenu::Sub_MenuMessagesOnScreenOnClick()
{
    settings_.MessagesOnScreen = true;
    setSwitch(Name::Sub_MenuMessagesOnScreenOn, Name::Sub_MenuMessagesOnScreenOff, true);
}

void ConfigurationMenu::Sub_MenuMessagesOnScreenOffClick()
{
    settings_.MessagesOnScreen = false;
    setSwitch(Name::Sub_MenuMessagesOnScreenOn, Name::Sub_MenuMessagesOnScreenOff, false);
}

void ConfigurationMenu::Sub_MenuHintsOnClick()
{
    view_.setHintsEnabled(true);
    settings_.HintsSetting = QStringLiteral("On");
    setSwitch(Name::Sub_MenuHintsOn, Name::Sub_MenuHintsOff, true);
}

void ConfigurationMenu::Sub_MenuHintsOffClick()
{
    view_.setHintsEnabled(false);
    settings_.HintsSetting = QStringLiteral("Off");
    setSwitch(Name::Sub_MenuHintsOn, Name::Sub_MenuHintsOff, false);
}

void ConfigurationMenu::Sub_MenuPtcOnClick()
{
    settings_.LeavePtcActive = true;
    setSwitch(Name::Sub_MenuPtcOn, Name::Sub_MenuPtcOff, true);
}

void ConfigurationMenu::Sub_MenuPtcOffClick()
{
    settings_.LeavePtcActive = false;
    setSwitch(Name::Sub_MenuPtcOn, Name::Sub_MenuPtcOff, false);
}

void ConfigurationMenu::languageClick(int languageIndex)
{
    // Swedish and Norwegian have no texts of their own yet.
    if (languageIndex < 1 || languageIndex > 9 || languageIndex == 7 || languageIndex == 8)
        return;
    settings_.LanguageIndex = languageIndex;
    markLanguageItem();
    if (reloadTexts)
        reloadTexts();
}

void ConfigurationMenu::languageItemClick(int languageIndex)
{
    languageClick(languageIndex);
    markLanguageItem();
}

void ConfigurationMenu::markLanguageItem()
{
    for (int i = 1; i <= 9; ++i)
        view_.setChecked(languageItemName(i), i == settings_.LanguageIndex);
}

void ConfigurationMenu::MenuWordwraplengthClick()
{
    modal_.runDialog(Dialog::WordWrap);
    station_.MenuHold = false;
}
