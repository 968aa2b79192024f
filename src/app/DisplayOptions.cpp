#include "app/DisplayOptions.h"

#include "base/ComponentNames.h"
#include "base/MessageTexts.h"
#include "base/Modal.h"
#include "base/Settings.h"
#include "base/Station.h"
#include "base/Version.h"
#include "base/View.h"
#include "link/PortLink.h"
#include "link/StatusDisplay.h"
#include "modes/ModeCommands.h"

namespace {

constexpr int ShortestRxLength = 10000;
constexpr int LongestRxLength = 65500;

FontChoice fontOf(const QString& family, int points, int styleCode)
{
    FontChoice font;
    font.family = family;
    font.points = points;
    font.bold = styleCode == 3 || styleCode == 4;
    font.italic = styleCode == 2 || styleCode == 4;
    return font;
}

FontRequest fontRequest(const FontChoice& start, int minPoints, int maxPoints)
{
    FontRequest request;
    request.start = start;
    request.minPoints = minPoints;
    request.maxPoints = maxPoints;
    return request;
}

} // namespace

void applyFontSetting(View& view, const QString& name, int styleCode, const QString& family,
                      int points)
{
    view.setFontStyle(name, styleCode);
    view.setFontName(name, family);
    view.setFontSize(name, points);
}

void MakeAllButtonFonts(View& view, const Settings& settings, const QString& family, int points,
                        int styleCode)
{
    view.setButtonFonts(family, points, styleCode, settings.ButtonBaseColor,
                        settings.ButtonFlareColor, settings.ButtonClickColor);
}

DisplayOptions::DisplayOptions(Station& station, Settings& settings, const MessageTexts& texts,
                               PortLink& link, StatusDisplay& status, View& view, Modal& modal)
    : station_(station), settings_(settings), texts_(texts), link_(link), status_(status),
      view_(view), modal_(modal)
{
}

void DisplayOptions::MenuRxWindowFontClick()
{
    holdHousekeeping(true);
    FontRequest request = fontRequest(
        fontOf(QStringLiteral("Courier New"), settings_.RxFontSize, settings_.RxFontStyle), 6, 16);
    request.textWindow = true;
    const std::optional<FontChoice> font = modal_.chooseFont(request);
    if (font) {
        const int points = qBound(6, font->points, 16);
        applyFontSetting(view_, Name::ReceiveWindow, font->styleCode(), font->family, points);
        settings_.RxFontName = font->family;
        settings_.RxFontSize = static_cast<quint8>(points);
        settings_.RxFontStyle = static_cast<quint8>(font->styleCode());
        view_.redraw(Name::ReceiveWindow);
        view_.setFocus(Name::TransmitWindow);
        link_.ScrollNaarEnd();
    }
    holdHousekeeping(false);
    // The old furthest scroll position may now lie beyond the end.
    station_.FontChanged = true;
    station_.MenuHold = false;
    view_.redraw(Name::ReceiveWindow);
}

void DisplayOptions::MenuTxWindowFontClick()
{
    FontRequest request = fontRequest(
        fontOf(settings_.TxFontName, settings_.TxFontSize, settings_.TxFontStyle), 6, 72);
    request.start.color = settings_.TxFontColor;
    request.withColor = true;
    request.textWindow = true;
    if (const std::optional<FontChoice> font = modal_.chooseFont(request)) {
        const int points = qBound(request.minPoints, font->points, request.maxPoints);
        applyFontSetting(view_, Name::TransmitWindow, font->styleCode(), font->family, points);
        view_.setTextColor(Name::TransmitWindow, font->color);
        settings_.TxFontName = font->family;
        settings_.TxFontSize = static_cast<quint8>(points);
        settings_.TxFontStyle = static_cast<quint8>(font->styleCode());
        settings_.TxFontColor = font->color;
    }
    formResize();
}

void DisplayOptions::MenuTabsClick()
{
    FontRequest request = fontRequest(
        fontOf(settings_.TabFontName, settings_.TabFontSize, settings_.TabFontStyle), 7, 12);
    // The button widths count characters, which holds only for a fixed-pitch font.
    request.fixedPitchOnly = true;
    if (const std::optional<FontChoice> font = modal_.chooseFont(request)) {
        const int points = qBound(7, font->points, 12);
        MakeAllButtonFonts(view_, settings_, font->family, points, font->styleCode());
        applyFontSetting(view_, Name::PageControl, font->styleCode(), font->family, points);
        settings_.TabFontName = font->family;
        settings_.TabFontSize = static_cast<quint8>(points);
        settings_.TabFontStyle = static_cast<quint8>(font->styleCode());
    }
    formResize();
}

void DisplayOptions::MenuStatusLineFontClick()
{
    const std::optional<FontChoice> font = modal_.chooseFont(fontRequest(
        fontOf(settings_.StatusFontName, settings_.StatusFontSize, settings_.StatusFontStyle), 6,
        11));
    if (font) {
        const int points = qBound(6, font->points, 11);
        applyFontSetting(view_, Name::Statusbalk, font->styleCode(), font->family, points);
        settings_.StatusFontName = font->family;
        settings_.StatusFontSize = static_cast<quint8>(points);
        settings_.StatusFontStyle = static_cast<quint8>(font->styleCode());
    }
    view_.redraw(Name::Statusbalk);
}

void DisplayOptions::MenuLogBookFontClick()
{
    FontRequest request = fontRequest(
        fontOf(settings_.LogBookFontName, settings_.LogBookFontSize, settings_.LogBookFontStyle), 6,
        72);
    request.fixedPitchOnly = true; // the list lines up its columns
    // Only stored: the logbook list takes it when it opens.
    if (const std::optional<FontChoice> font = modal_.chooseFont(request)) {
        settings_.LogBookFontName = font->family;
        settings_.LogBookFontSize = qBound(request.minPoints, font->points, request.maxPoints);
        settings_.LogBookFontStyle = static_cast<quint8>(font->styleCode());
    }
}

bool DisplayOptions::chooseColor(Color* color)
{
    station_.ReceiveHold = true;
    const std::optional<Color> chosen = modal_.chooseColor(*color);
    station_.ReceiveHold = false;
    if (chosen)
        *color = *chosen;
    return chosen.has_value();
}

void DisplayOptions::SubMenu_Color_RxWindowClick()
{
    if (chooseColor(&settings_.RxWindowColor))
        view_.setFillColor(Name::ReceiveWindow, settings_.RxWindowColor);
}

void DisplayOptions::SubMenu_Color_TxWindowClick()
{
    if (chooseColor(&settings_.TxWindowColor))
        view_.setFillColor(Name::TransmitWindow, settings_.TxWindowColor);
}

void DisplayOptions::chooseTextColor(Color* setting)
{
    // Text shown from now on takes it; what is shown keeps its colour.
    chooseColor(setting);
}

void DisplayOptions::Sub_SubMenuColor_SystemTekstClick()
{
    chooseTextColor(&settings_.SystemTextColor);
}

void DisplayOptions::Sub_SubMenuColor_ReceivedTextClick()
{
    chooseTextColor(&settings_.ReceiveTextColor);
}

void DisplayOptions::Sub_SubMenuColor_DelayedTransmittedTextClick()
{
    chooseTextColor(&settings_.DelayTextColor);
}

void DisplayOptions::SubMenuPromptColorClick()
{
    chooseTextColor(&settings_.PromptColor);
}

void DisplayOptions::SubMenu_Color_ReceiveandTransmitbarClick()
{
    if (chooseColor(&settings_.ReceiveBarColor))
        view_.setFillColor(Name::Receivebar, settings_.ReceiveBarColor);
    settings_.TransmitBarColor = settings_.ReceiveBarColor;
    // The transmit bar stays red while it announces the maildrop.
    if (!settings_.MaildropOn)
        view_.setFillColor(Name::Transmitbalk, settings_.TransmitBarColor);
    view_.setFillColor(Name::TempMemo, settings_.ReceiveBarColor);
}

void DisplayOptions::chooseButtonColor(Color* setting)
{
    if (chooseColor(setting))
        MakeAllButtonFonts(view_, settings_, settings_.TabFontName, settings_.TabFontSize,
                           settings_.TabFontStyle);
}

void DisplayOptions::Sub_SubMenuNormalColorClick()
{
    chooseButtonColor(&settings_.ButtonBaseColor);
}

void DisplayOptions::Sub_SubMenuMouseOnColorClick()
{
    chooseButtonColor(&settings_.ButtonFlareColor);
}

void DisplayOptions::Sub_SubMenuClickColorClick()
{
    chooseButtonColor(&settings_.ButtonClickColor);
}

void DisplayOptions::MenuMaxLengthReceivebufferClick()
{
    const QString preset = QString::number(settings_.MaxRxLength);
    const QString answer =
        modal_.inputBox(texts_.MaxlengthText, QStringLiteral("max 65500"), preset);
    bool isNumber = false;
    const int length = answer.trimmed().toInt(&isNumber);
    if (!isNumber)
        modal_.message(ProgramName, notAValidNumberMessage(answer));
    else if (length < ShortestRxLength || length > LongestRxLength)
        status_.Warning(texts_.BetweenText);
    else
        settings_.MaxRxLength = length;
    station_.MenuHold = false;
}
