#pragma once

// Moving the controller between operating modes: the page-change rule (no change while
// a link is up or this station sends), readying the controller for a new mode, and the
// switch sequences with their fixed pauses and drains.

#include <QByteArray>

class Clock;
class PortLink;
class StatusDisplay;
class View;
struct MessageTexts;
struct Station;

// Pages of PageControl, in order.
enum class ModePage { Pactor = 0, Amtor, Packet, Rtty, Cw, Audio, Psk31, Navtex, Dumb };

class ModeSwitch {
public:
    ModeSwitch(Station& station, const MessageTexts& texts, PortLink& link, StatusDisplay& status,
               View& view, Clock& clock);

    void MenuPactorClick();
    // Selects `page` and runs the page-change rule.
    void ZetTabNaar(ModePage page);
    // The page shown changed (by the operator or by ZetTabNaar).
    void PageControlChange(int pageIndex);
    // Brings the controller back to its command prompt, out of the present mode.
    void ZetPtcKlaar();
    void SwitchListenOn();
    void SwitchListenOff();
    void SwitchToPactor();

private:
    void send(const QByteArray& bytes);

    Station& station_;
    const MessageTexts& texts_;
    PortLink& link_;
    StatusDisplay& status_;
    View& view_;
    Clock& clock_;
};
