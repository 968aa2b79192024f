#pragma once

// The Configuration menu's fonts and colours of the main window, and the receive
// buffer's length. Each choice shows at once and lives in its settings variable until
// the confirmed exit writes it.

#include "base/Color.h"

#include <QString>
#include <functional>

class Modal;
class PortLink;
class StatusDisplay;
class View;
struct FontChoice;
struct MessageTexts;
struct Settings;
struct Station;

class DisplayOptions {
public:
    DisplayOptions(Station& station, Settings& settings, const MessageTexts& texts, PortLink& link,
                   StatusDisplay& status, View& view, Modal& modal);

    void MenuRxWindowFontClick();
    void MenuTxWindowFontClick();
    void MenuTabsClick();
    void MenuStatusLineFontClick();
    void MenuLogBookFontClick();

    void SubMenu_Color_RxWindowClick();
    void SubMenu_Color_TxWindowClick();
    void Sub_SubMenuColor_SystemTekstClick();
    void Sub_SubMenuColor_ReceivedTextClick();
    void Sub_SubMenuColor_DelayedTransmittedTextClick();
    void SubMenuPromptColorClick();
    void SubMenu_Color_ReceiveandTransmitbarClick();
    void Sub_SubMenuNormalColorClick();
    void Sub_SubMenuMouseOnColorClick();
    void Sub_SubMenuClickColorClick();

    void MenuMaxLengthReceivebufferClick();

    // Stops (true) or restarts (false) the housekeeping timer around the receive font
    // dialog.
    std::function<void(bool)> holdHousekeeping = [](bool) {};
    // The main window's full layout (FormResize).
    std::function<void()> formResize = [] {};

private:
    // The colour dialog, holding the receive timer while it is open; false for Cancel.
    bool chooseColor(Color* color);
    void chooseTextColor(Color* setting);
    void chooseButtonColor(Color* setting);

    Station& station_;
    Settings& settings_;
    const MessageTexts& texts_;
    PortLink& link_;
    StatusDisplay& status_;
    View& view_;
    Modal& modal_;
};

// Gives every toolbar button the font and the three caption colours of the settings
// (normal, mouse over, held down).
void MakeAllButtonFonts(View& view, const Settings& settings, const QString& family, int points,
                        int styleCode);

// Puts a font setting on a component: style code, then name, then size.
void applyFontSetting(View& view, const QString& name, int styleCode, const QString& family,
                      int points);
